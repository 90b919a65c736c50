#include "app/forms/FileTitleForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

TFileTitleForm::TFileTitleForm(const FileTitleRequest& request, QWidget* parent)
    : QDialog(parent), original_(request.title) {
    setObjectName("FileTitleForm");
    auto* layout = new QVBoxLayout(this);
    FileNameLabel = new QLabel(widgetText(request.fileName), this);
    FileNameLabel->setObjectName("FileNameLabel");
    TitleEdit = new QLineEdit(widgetText(request.title), this);
    TitleEdit->setObjectName("TitleEdit");
    TitleEdit->setMaxLength(request.maxLength);
    TitleLabel = new QLabel(this);
    TitleLabel->setObjectName("TitleLabel");
    TitleLabel->setBuddy(TitleEdit);
    layout->addWidget(FileNameLabel);
    layout->addWidget(TitleLabel);
    layout->addWidget(TitleEdit);
    addOkCancelRow(this, layout, btnOk, btnCancel);
    Captions::of(this).translatedTitle(request.caption).text(TitleLabel, "FileTitleLabel");
    keepLaidOutSize(*this);
}

FileTitleResult TFileTitleForm::result() const {
    if (TitleEdit->text() == widgetText(original_)) return {true, original_};
    return {true, TitleEdit->text().toStdString()};
}

FileTitleResult runFileTitleForm(const FileTitleRequest& request) {
    TFileTitleForm form(request);
    if (form.exec() != QDialog::Accepted) return {};
    return form.result();
}

}  // namespace kestrion::forms
