// TMathTestForm: xTHIS > "Math test". A value typed above, the program's own conversions of it
// below, following every key; Enter shows them and keeps the view open for the next value.
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
    void ValueEditEnter();
};

}  // namespace kestrion::forms
