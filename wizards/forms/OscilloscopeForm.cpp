#include "wizards/forms/OscilloscopeForm.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>

#include "lang/forms/WidgetText.h"
#include "wizards/ScopeView.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

const QColor kPurple(0x80, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);

}  // namespace

ScopePaintBox::ScopePaintBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void ScopePaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (const ScopeLine& line : scopeGridLines()) {
        QPen pen(Qt::black, line.width, line.dashed ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
}

void ScopePaintBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
}

TOscilloscopeForm::TOscilloscopeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("OscilloscopeForm");
    setWindowTitle("Oscilloscope");
    systemMenuOnly(*this);
    setFixedSize(1326, 721);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    auto* panel = placed<QFrame>(this, "Panel1", 4, 8, 1209, 569);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAutoFillBackground(true);
    QPalette plain = panel->palette();
    plain.setColor(QPalette::Window, QApplication::palette().color(QPalette::Window));
    plain.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    panel->setPalette(plain);
    ScreenPaintBox1 =
        placed<ScopePaintBox>(panel, "ScreenPaintBox1", 100, 20, kScopePlotWidth + 21, kScopePlotHeight + 1);
    for (const ScopeScaleLabel& scale : scopeScaleLabels()) {
        auto* label = new QLabel(panel);
        label->setObjectName(QString::fromStdString(scale.name));
        label->move(scale.left, scale.top);
    }
    placed<QLabel>(panel, "Label1", 100, 4, 60, 16, "[Vlaue]");
    placed<QLabel>(panel, "Label2", 1112, 488, 60, 16, "[Time]");
    placed<QLabel>(panel, "t1mLabel", 1080, 508, 40, 16, "[x10]");
    placed<QLabel>(panel, "t2mLabel", 1080, 524, 40, 16, "[x10]");

    auto* statusBar = placed<QFrame>(this, "ScopeStatusBar", 0, 721 - 22, 1326, 22);
    statusBar->setAutoFillBackground(true);
    QPalette white = statusBar->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    statusBar->setPalette(white);
    auto* panels = new QHBoxLayout(statusBar);
    panels->setContentsMargins(2, 0, 2, 0);
    for (int width : {200, 50, 50, 50}) {
        auto* label = new QLabel(statusBar);
        label->setFixedWidth(width);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels->addWidget(label);
        if (scopePanel0 == nullptr) scopePanel0 = label;
    }
    panels->addStretch(1);

    const int scrollLefts[] = {4, 304, 608, 912};
    const int scrollWidths[] = {296, 300, 300, 300};
    for (int i = 0; i < 4; ++i) {
        auto* box = placed<QScrollArea>(this, "", scrollLefts[i], 584, scrollWidths[i], 73);
        box->setObjectName(QString("ScrollBox%1").arg(i + 1));
        box->setStyleSheet("background: white;");
    }
    placed<QFrame>(this, "Shape1", 1224, 584, 73, 73)->hide();
    btnClose = placed<QPushButton>(this, "btnClose", 1224, 552, 90, 25, "Close");
    btnDisplay = placed<QPushButton>(this, "btnDisplay", 1224, 520, 90, 25, "Display");
    ComboBox1 = placed<QComboBox>(this, "ComboBox1", 1224, 8, 90, 22);
    connect(btnClose, &QPushButton::clicked, this, &TOscilloscopeForm::btnCloseClick);
    connect(ScreenPaintBox1, &ScopePaintBox::mouseMoved, this, &TOscilloscopeForm::ScreenPaintBox1MouseMove);
}

void TOscilloscopeForm::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TOscilloscopeForm::FormShow() {
    for (const ScopeScaleLabel& scale : scopeScaleLabels()) {
        auto* label = findChild<QLabel*>(QString::fromStdString(scale.name));
        if (label == nullptr) continue;
        label->setText(QString::fromStdString(scale.text));
        label->adjustSize();
        label->move(scale.left, scale.top);
        QPalette colour = label->palette();
        colour.setColor(QPalette::WindowText, scale.secondSet ? kBlue : kPurple);
        label->setPalette(colour);
    }
}

void TOscilloscopeForm::ScreenPaintBox1MouseMove(int x, int y) {
    // Only the plot area itself reads out; the grid's overhang to the right is not part of it.
    if (x < 0 || y < 0 || x > kScopePlotWidth || y > kScopePlotHeight) return;
    scopePanel0->setText(QString::fromStdString(scopeMouseText(x, y)));
}

void TOscilloscopeForm::btnCloseClick() {
    bClosed = 1;
    done(QDialog::Accepted);
}

void runOscilloscopeForm(const std::string& caption) {
    TOscilloscopeForm form(QApplication::activeWindow());
    form.setWindowTitle(widgetText(caption));
    form.exec();
}

}  // namespace kestrion::forms
