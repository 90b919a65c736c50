#include "devviews/forms/DevViewForm.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 480;

}  // namespace

TDevViewForm::TDevViewForm(const DevTextView& view, QWidget* parent) : QDialog(parent) {
    setObjectName(QString::fromStdString(view.formName));
    setWindowTitle(widgetText(view.caption));
    auto* layout = new QVBoxLayout(this);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    std::string text;
    for (const std::string& line : view.lines) text += line + "\n";
    Memo1->setPlainText(widgetText(text));
    layout->addWidget(Memo1);
    btnClose = new QPushButton(this);
    Captions::of(this).text(btnClose, "Close");
    btnClose->setObjectName("btnClose");
    btnClose->setDefault(true);
    layout->addWidget(btnClose, 0, Qt::AlignRight);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::accept);
    resize(kWidth, kHeight);
}

void runDevViewForm(const DevTextView& view) {
    QWidget* parent = QApplication::activeWindow();
    const auto form = view.formName == "ObjLadderForm" ? std::make_unique<TObjLadderForm>(view, parent)
                                                       : std::make_unique<TDevViewForm>(view, parent);
    form->exec();
}

}  // namespace kestrion::forms
