#include "wizards/forms/PictureForms.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>

#include "lang/forms/WidgetText.h"
#include "wizards/HelpViews.h"

namespace kestrion::forms {

TProductMemoForm::TProductMemoForm(QWidget* parent) : QDialog(parent) {
    setObjectName("ProductMemoForm");
    systemMenuOnly(*this);
    setFixedSize(979, 563);
    msgMemo = placed<QPlainTextEdit>(this, "msgMemo", 8, 8, 953, 513);
    msgMemo->setReadOnly(true);
    msgMemo->setPlainText("msgMemo");
}

void TProductMemoForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

void TProductMemoForm::FormShow() {
    setWindowTitle(widgetText(memoCaption));
    if (memoTopic != 1) return;
    msgMemo->clear();
    for (const std::string& line : productMemoLines(memoTopic)) msgMemo->appendPlainText(widgetText(line));
}

TImageForm1::TImageForm1(QWidget* parent) : QDialog(parent) {
    setObjectName("ImageForm1");
    systemMenuOnly(*this);
    resize(789, 539);
    Image1 = placed<PictureBox>(this, "Image1", 0, 0, 789, 539);
}

void TImageForm1::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TImageForm1::resizeEvent(QResizeEvent* event) {
    Image1->setGeometry(rect());
    QDialog::resizeEvent(event);
}

void TImageForm1::FormShow() {
    Image1->load(QString::fromStdString(imagePicturePath(imageTopic, windowTitle().toStdString())));
}

TFlowChartForm::TFlowChartForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FlowChartForm");
    setWindowTitle("FlowChart");
    resize(979, 563);
    Image1 = placed<PictureBox>(this, "Image1", 456, 72, 425, 409);
    Button1 = placed<QPushButton>(this, "Button1", 24, 16, 120, 25, kFlowChartPrograms[0].caption);
    Button2 = placed<QPushButton>(this, "Button2", 24, 48, 120, 25, kFlowChartPrograms[1].caption);
    Button3 = placed<QPushButton>(this, "Button3", 80, 112, 75, 25, "PDF");
    connect(Button1, &QPushButton::clicked, this, [] { flowChartButtonClick(0); });
    connect(Button2, &QPushButton::clicked, this, [] { flowChartButtonClick(1); });
}

void TFlowChartForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TFlowChartForm::FormShow() {
    Image1->load(QString::fromStdString(flowChartPicturePath()));
}

void runProductMemoForm(const std::string& caption, int topic) {
    TProductMemoForm form(QApplication::activeWindow());
    form.memoCaption = caption;
    form.memoTopic = topic;
    form.exec();
}

void runImageForm1(const std::string& caption, int topic, int width, int height) {
    TImageForm1 form(QApplication::activeWindow());
    form.setWindowTitle(widgetText(caption));
    form.imageTopic = topic;
    form.resize(width, height);
    form.exec();
}

void runFlowChartForm(int width, int height) {
    TFlowChartForm form(QApplication::activeWindow());
    form.resize(width, height);
    form.exec();
}

}  // namespace kestrion::forms
