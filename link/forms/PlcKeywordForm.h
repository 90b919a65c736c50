// TplcKeywordForm: the keyword, user ID and keyword question dialog; its rules are PlcKeywordDialog's.
#pragma once

#include <QDialog>

#include "link/plc/Keywords.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kestrion::forms {

class TplcKeywordForm : public QDialog {
    Q_OBJECT
public:
    explicit TplcKeywordForm(PlcKeywordDialog& state, QWidget* parent = nullptr);
    ~TplcKeywordForm() override;

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    QCheckBox* CheckBox1 = nullptr;

public slots:
    void btnOkClick();
    void btnCancelClick();
    void CheckBox1Click();

private:
    void wipeEdits();
    PlcKeywordDialog& state_;
};

void runPlcKeywordForm(PlcKeywordDialog& state);

}  // namespace kestrion::forms
