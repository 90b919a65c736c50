#include "editor/forms/CommentEditForm.h"

#include <QApplication>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/forms/GoToStepForm.h"
#include "lang/forms/Captions.h"
#include "platform/forms/DialogButtons.h"
#include "platform/forms/WindowPlacing.h"

namespace kestrion::forms {

namespace {

QString shown(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string typed(const QLineEdit* edit) {
    return edit->text().toStdString();
}

QLineEdit* addEdit(QWidget* parent, const char* name, const std::string& text, CommentKind kind) {
    auto* edit = new QLineEdit(shown(text), parent);
    edit->setObjectName(name);
    Captions::of(parent).with(
        [edit, kind] { edit->setPlaceholderText(captionText("CommentLimit").arg(commentLimit(kind))); });
    edit->setMinimumWidth(static_cast<int>(commentLimit(kind)) * edit->fontMetrics().averageCharWidth() + 16);
    return edit;
}

}  // namespace

TCommentEditForm::TCommentEditForm(CommentEditDialog& dialog, QWidget* parent)
    : QDialog(parent != nullptr ? parent : QApplication::activeWindow()), dialog_(dialog) {
    setObjectName("CommentEditForm");
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    DeviceEdit = new QLineEdit(shown(dialog.device), this);
    DeviceEdit->setObjectName("DeviceEdit");
    DeviceEdit->setMaxLength(6);
    DeviceEdit->setPlaceholderText("X000, D100 ...");
    connect(DeviceEdit, &QLineEdit::editingFinished, this, &TCommentEditForm::DeviceEditExit);
    auto* deviceLabel = new QLabel(this);
    fields->addRow(deviceLabel, DeviceEdit);
    DeviceCommentEdit = addEdit(this, "DeviceCommentEdit", dialog.deviceComment, CommentKind::Device);
    auto* deviceCommentLabel = new QLabel(this);
    fields->addRow(deviceCommentLabel, DeviceCommentEdit);
    BlockCommentEdit = addEdit(this, "BlockCommentEdit", dialog.blockComment, CommentKind::Block);
    BlockCommentLabel = new QLabel(this);
    BlockCommentLabel->setObjectName("BlockCommentLabel");
    fields->addRow(BlockCommentLabel, BlockCommentEdit);
    CoilCommentEdit = addEdit(this, "CoilCommentEdit", dialog.coilComment, CommentKind::Coil);
    CoilCommentLabel = new QLabel(this);
    CoilCommentLabel->setObjectName("CoilCommentLabel");
    fields->addRow(CoilCommentLabel, CoilCommentEdit);
    BlockCommentEdit->setEnabled(dialog.blockAvailable);
    CoilCommentEdit->setEnabled(dialog.coilAvailable);
    layout->addLayout(fields);
    addOkCancelRow(this, layout, btnOk, btnCancel);
    // The block and coil labels name the step and the coil the comments belong to.
    const auto labelled = [](const char* id, const std::string& label) {
        return [id, label](QLabel* to) {
            to->setText(captionText(id) + shown(label.empty() ? "" : ", " + label));
        };
    };
    Captions::of(this)
        .translatedTitle(kCommentCaption)
        .text(deviceLabel, "CommentDevice")
        .text(deviceCommentLabel, "CommentOfDevice")
        .with([this, set = labelled("CommentOfBlock", dialog.blockLabel)] { set(BlockCommentLabel); })
        .with([this, set = labelled("CommentOfCoil", dialog.coilLabel)] { set(CoilCommentLabel); });
    disconnect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnOk, &QPushButton::clicked, this, &TCommentEditForm::btnOkClick);
    (dialog.device.empty() ? DeviceEdit : DeviceCommentEdit)->setFocus();
    keepLaidOutSize(*this);
}

void TCommentEditForm::takeTexts() {
    dialog_.device = typed(DeviceEdit);
    dialog_.deviceComment = typed(DeviceCommentEdit);
    dialog_.blockComment = typed(BlockCommentEdit);
    dialog_.coilComment = typed(CoilCommentEdit);
}

void TCommentEditForm::DeviceEditExit() {
    dialog_.deviceChanged(typed(DeviceEdit));
    DeviceEdit->setText(shown(dialog_.device));
    DeviceCommentEdit->setText(shown(dialog_.deviceComment));
}

void TCommentEditForm::btnOkClick() {
    takeTexts();
    if (dialog_.btnOkClick()) accept();
}

bool runCommentEditForm(CommentEditDialog& dialog) {
    TCommentEditForm form(dialog);
    return form.exec() == QDialog::Accepted;
}

bool QtEditorDialogs::commentEdit(CommentEditDialog& dialog) {
    return runCommentEditForm(dialog);
}

}  // namespace kestrion::forms
