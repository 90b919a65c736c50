// TFileTitleForm: the program title of a file, shown with the file's name when it is opened or
// saved under a new name.
#pragma once

#include <QDialog>

#include "app/AppDialogs.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TFileTitleForm : public QDialog {
    Q_OBJECT
public:
    explicit TFileTitleForm(const FileTitleRequest& request, QWidget* parent = nullptr);

    QLabel* FileNameLabel = nullptr;
    QLabel* TitleLabel = nullptr;  // names the field: the program title
    QLineEdit* TitleEdit = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;

    // The title as the header is to hold it: the file's own bytes while the text is unchanged.
    FileTitleResult result() const;

private:
    std::string original_;
};

FileTitleResult runFileTitleForm(const FileTitleRequest& request);

}  // namespace kestrion::forms
