#include "editor/forms/GoToStepForm.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TGoToStepForm::TGoToStepForm(const NumberEntryRequest& request, QWidget* parent)
    : QDialog(parent), caption_(request.caption) {
    setObjectName("GoToStepForm");
    auto* layout = new QVBoxLayout(this);
    StepNoLabel = new QLabel(widgetText(request.stepNoLabel), this);
    StepNoLabel->setObjectName("StepNoLabel");
    StringLabel = new QLabel(widgetText(request.stringLabel), this);
    StringLabel->setObjectName("StringLabel");
    Edit1 = new QLineEdit(widgetText(request.text), this);
    Edit1->setObjectName("Edit1");
    Edit1->setMaxLength(kNumberEntryMaxDigits);
    // Typed keys are checked with their message; text pasted in is held to digits as well.
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), Edit1));
    Edit1->installEventFilter(this);
    layout->addWidget(StepNoLabel);
    layout->addWidget(Edit1);
    layout->addWidget(StringLabel);
    addOkCancelRow(this, layout, btnOk, btnCancel);
    Captions::of(this)
        .translatedTitle(request.caption)
        .translatedText(StepNoLabel, request.stepNoLabel)
        .translatedText(StringLabel, request.stringLabel);
    keepLaidOutSize(*this);
}

bool TGoToStepForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text[0].unicode() >= 0x20) {
            const char key = text[0].unicode() < 0x80 ? static_cast<char>(text[0].unicode()) : '?';
            if (!acceptNumberKey(key, caption_)) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

NumberEntryResult TGoToStepForm::result() const {
    return numberEntryResult(QDialog::result() == QDialog::Accepted, Edit1->text().toStdString());
}

NumberEntryResult runGoToStepForm(const NumberEntryRequest& request) {
    TGoToStepForm form(request);
    form.exec();
    return form.result();
}

NumberEntryResult QtEditorDialogs::goToStep(const NumberEntryRequest& request) {
    return runGoToStepForm(request);
}

}  // namespace kestrion::forms
