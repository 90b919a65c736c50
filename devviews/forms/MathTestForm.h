// TMathTestForm: xTHIS > "Math test". A value typed above, the program's own conversions of it
// below, following every key.
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TMathTestForm : public QDialog {
    Q_OBJECT
public:
    explicit TMathTestForm(QWidget* parent = nullptr);

    QLineEdit* ValueEdit = nullptr;
    QPlainTextEdit* ResultMemo = nullptr;
    QPushButton* btnClose = nullptr;

    void ValueEditChange();
};

}  // namespace kestrion::forms
