// TGoToStepForm: the go-to step dialog, also the number-entry dialog of the commands that ask for
// one number: a caption, a label or two and an edit of digits.
#pragma once

#include <QDialog>
#include <string>

#include "editor/EditorDialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TGoToStepForm : public QDialog {
    Q_OBJECT
public:
    explicit TGoToStepForm(const NumberEntryRequest& request, QWidget* parent = nullptr);

    QLabel* StepNoLabel = nullptr;
    QLabel* StringLabel = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // The OK flag and the number after the modal run.
    NumberEntryResult result() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::string caption_;  // the caller's, which a refused key's box keeps whatever the language
};

NumberEntryResult runGoToStepForm(const NumberEntryRequest& request);

class QtEditorDialogs : public EditorDialogs {
public:
    NumberEntryResult goToStep(const NumberEntryRequest& request) override;
    bool commentEdit(CommentEditDialog& dialog) override;  // editor/forms/CommentEditForm.cpp
    void find(FindDialog& dialog) override;                // editor/forms/UpDnSearchForm.cpp
    void findList(FindListDialog& dialog) override;        // editor/forms/LdrSearchForm.cpp
    bool replace(ReplaceDialog& dialog) override;          // editor/forms/ObjMaskForm.cpp
};

}  // namespace kestrion::forms
