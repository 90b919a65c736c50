#include "wizards/forms/DeclaredForm1.h"

#include <QApplication>
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextOption>

#include "lang/forms/WidgetText.h"
#include "wizards/forms/FormPlacing.h"

namespace kestrion::forms {

namespace {

constexpr int kClientHeight = 86;
constexpr int kMemoTop = 4;
constexpr int kMemoHeight = 44;
constexpr int kButtonTop = 54;
constexpr int kButtonHeight = 26;

}  // namespace

TDeclaredForm1::TDeclaredForm1(DeclaredDialog& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName("DeclaredForm1");
    // No border icons: the dialog is answered with its buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    const DeclaredLayout& at = state_.layout;
    setFixedSize(at.width, kClientHeight);
    btnAgree = placed<QPushButton>(this, "btnAgree", at.agreeLeft, kButtonTop, at.agreeWidth, kButtonHeight,
                                   "Agree");
    btnDoNotAgree = placed<QPushButton>(this, "btnDoNotAgree", at.doNotAgreeLeft, kButtonTop,
                                        at.doNotAgreeWidth, kButtonHeight, "Do not agree");
    Memo1 = placed<QPlainTextEdit>(this, "Memo1", at.memoLeft, kMemoTop, at.memoWidth, kMemoHeight);
    Memo1->setReadOnly(true);
    QFont memoFont = Memo1->font();
    memoFont.setPixelSize(16);
    Memo1->setFont(memoFont);
    CheckBox1 = placed<QCheckBox>(this, "CheckBox1", at.checkBoxLeft, kButtonTop, at.checkBoxWidth,
                                  kButtonHeight, "Do not show again");
    connect(btnAgree, &QPushButton::clicked, this, [this] {
        state_.btnAgreeClick();
        accept();
    });
    connect(btnDoNotAgree, &QPushButton::clicked, this, [this] {
        state_.btnDoNotAgreeClick();
        reject();
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool checked) { state_.CheckBox1Click(checked); });
}

void TDeclaredForm1::showEvent(QShowEvent* event) {
    setWindowTitle(widgetText(state_.caption));
    Memo1->clear();
    Memo1->setPlainText(widgetText(state_.memoLine));
    QTextOption centred = Memo1->document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    Memo1->document()->setDefaultTextOption(centred);
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void runDeclaredForm1(DeclaredDialog& state) {
    TDeclaredForm1 form(state, QApplication::activeWindow());
    form.exec();
}

}  // namespace kestrion::forms
