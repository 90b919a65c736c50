#include "model/forms/StackCodeForm.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kestrion::forms {

QPointer<TstackCodeForm> stackCodeForm;

namespace {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* addTextField(QWidget* form, QVBoxLayout* layout, const char* name) {
    auto* field = new QLineEdit(form);
    field->setObjectName(name);
    field->setReadOnly(true);
    field->setMinimumWidth(420);
    layout->addWidget(field);
    return field;
}

}  // namespace

TstackCodeForm::TstackCodeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("stackCodeForm");
    auto* layout = new QVBoxLayout(this);
    Edit1 = addTextField(this, layout, "Edit1");
    Edit2 = addTextField(this, layout, "Edit2");
}

void showStackCodeForm(const StackCodeView& view) {
    if (!stackCodeForm) stackCodeForm = new TstackCodeForm(QApplication::activeWindow());
    stackCodeForm->setWindowTitle(fromUtf8(view.caption));
    stackCodeForm->Edit1->setText(fromUtf8(view.text1));
    stackCodeForm->Edit2->setText(fromUtf8(view.text2));
    stackCodeForm->exec();
    if (stackCodeForm) stackCodeForm->hide();
}

}  // namespace kestrion::forms
