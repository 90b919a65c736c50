#include "monitor/forms/DeveloperViewForms.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/forms/WidgetText.h"
#include "monitor/access/AnyAddress.h"
#include "monitor/access/AnyAddressOpeners.h"

namespace kestrion::forms {

namespace {

QPlainTextEdit* addMemo(QWidget* parent) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return memo;
}

QString lines(const std::vector<std::string>& texts) {
    QStringList shown;
    for (const std::string& text : texts) shown << widgetText(text);
    return shown.join('\n');
}

}  // namespace

TmachineCodeForm::TmachineCodeForm(const QString& caption, int selectionField, QWidget* parent)
    : QDialog(parent), selection(selectionField) {
    setObjectName("machineCodeForm");
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    btnAnyAddress = new QPushButton("AnyAddress", this);
    btnAnyAddress->setObjectName("btnAnyAddress");
    Memo1 = addMemo(this);
    layout->addWidget(btnAnyAddress);
    layout->addWidget(Memo1);
    connect(btnAnyAddress, &QPushButton::clicked, this, &TmachineCodeForm::btnAnyAddressClick);
    resize(560, 420);
}

void TmachineCodeForm::btnAnyAddressClick() {
    Memo1->setPlainText(lines(anyAddressHexRows()));
}

TThisSoftwareForm::TThisSoftwareForm(const QString& caption, QWidget* parent) : QDialog(parent) {
    setObjectName("ThisSoftwareForm");
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    Memo1 = addMemo(this);
    layout->addWidget(Memo1);
    Memo1->setPlainText(lines(softwareVariableLines()));
}

}  // namespace kestrion::forms
