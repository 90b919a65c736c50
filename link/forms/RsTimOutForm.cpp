#include "link/forms/RsTimOutForm.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/TitleWidth.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

QComboBox* numberBox(QWidget* parent, const char* name, int first, int last) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    for (int i = first; i <= last; ++i) box->addItem(QString::number(i));
    return box;
}

// Runs a change rule when the user has chosen or typed a text.
template <typename Slot>
void onTextCommitted(QComboBox* box, QObject* receiver, Slot slot) {
    QObject::connect(box, &QComboBox::textActivated, receiver, slot);
    QObject::connect(box->lineEdit(), &QLineEdit::editingFinished, receiver,
                     [box, slot] { slot(box->currentText()); });
}

// Shows a text in the box and marks the list item that holds it, so the open list highlights the
// value the box shows (none for a typed value that is not in the list).
void showText(QComboBox* box, const std::string& text) {
    const QString value = widgetText(text);
    box->setCurrentIndex(box->findText(value));
    box->setEditText(value);
}

}  // namespace

TrsTimOutForm::TrsTimOutForm(QWidget* parent) : QDialog(parent) {
    setObjectName("rsTimOutForm");
    auto* layout = new QFormLayout(this);
    TimeOutComboBox = numberBox(this, "TimeOutComboBox", 2, 10);
    RetryComboBox = numberBox(this, "RetryComboBox", 1, 5);
    auto* timeOut = new QLabel(this);
    auto* retry = new QLabel(this);
    layout->addRow(timeOut, TimeOutComboBox);
    layout->addRow(retry, RetryComboBox);
    const OkCancelRow buttons = makeOkCancelRow(this, "Ok");
    btnOk = buttons.ok;
    btnCancel = buttons.cancel;
    layout->addRow(buttons.row);
    Captions::of(this)
        .translatedTitle("Communication Time Out Setting")
        .text(timeOut, "TimeOutSeconds")
        .text(retry, "TimeOutRetry")
        .text(btnOk, "Ok");

    onTextCommitted(TimeOutComboBox, this, [this](const QString& text) { TimeOutComboBoxChange(text); });
    onTextCommitted(RetryComboBox, this, [this](const QString& text) { RetryComboBoxChange(text); });
    connect(btnOk, &QPushButton::clicked, this, [this] {
        // Numbers typed into the boxes count even when a box never lost the focus.
        TimeOutComboBoxChange(TimeOutComboBox->currentText());
        RetryComboBoxChange(RetryComboBox->currentText());
        state.btnOkClick();
        accept();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        state.btnCancelClick();
        reject();
    });
    keepLaidOutSize(*this);
}

void TrsTimOutForm::showEvent(QShowEvent* event) {
    FormShow();
    widenForTitle(*this);
    QDialog::showEvent(event);
}

void TrsTimOutForm::FormShow() {
    showText(TimeOutComboBox, state.timeOutText());
    showText(RetryComboBox, state.retryText());
}

void TrsTimOutForm::TimeOutComboBoxChange(const QString& text) {
    showText(TimeOutComboBox, state.TimeOutComboBoxChange(text.toStdString()));
}

void TrsTimOutForm::RetryComboBoxChange(const QString& text) {
    showText(RetryComboBox, state.RetryComboBoxChange(text.toStdString()));
}

RsTimOutResult runRsTimOutForm(const std::string& caption, int timeOutIndex, int retryIndex) {
    TrsTimOutForm form(QApplication::activeWindow());
    Captions::of(&form).translatedTitle(caption);
    form.state.timeOutIndex = timeOutIndex;
    form.state.retryIndex = retryIndex;
    form.exec();
    if (!form.state.confirmed) return {};
    return form.state.result();
}

}  // namespace kestrion::forms
