#include "lang/forms/AboutForm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

TAboutTovelForm::TAboutTovelForm(const AboutBox& box, QWidget* parent) : QDialog(parent) {
    setObjectName("AboutTovelForm");
    setWindowTitle(widgetText(box.caption));
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->setContentsMargins(24, 24, 24, 16);
    const auto label = [&](QLabel*& field, const char* name, const std::string& text) {
        field = new QLabel(widgetText(text), this);
        field->setObjectName(name);
        field->setAlignment(Qt::AlignCenter);
        layout->addWidget(field);
    };
    label(TitleLabel, "TitleLabel", box.title);
    QFont bigger = TitleLabel->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.4);
    bigger.setBold(true);
    TitleLabel->setFont(bigger);
    label(PurposeLabel, "PurposeLabel", box.purpose);
    label(MakerLabel, "MakerLabel", box.maker);
    btnOk = new QPushButton(widgetText(box.ok), this);
    btnOk->setObjectName("btnOk");
    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(btnOk, 0, Qt::AlignCenter);
}

TAboutMarboForm::TAboutMarboForm(const AboutBox& box, QWidget* parent) : TAboutTovelForm(box, parent) {
    setObjectName("AboutMarboForm");
}

void showAboutForm(const AboutBox& box) {
    if (box.secondBrand) {
        TAboutMarboForm form(box, QApplication::activeWindow());
        form.exec();
        return;
    }
    TAboutTovelForm form(box, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
