// TDeclaredForm1: the template disclaimer, laid out from the screen width by DeclaredDialog's rules.
#pragma once

#include <QDialog>

#include "wizards/DisplayOptions.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace kestrion::forms {

class TDeclaredForm1 : public QDialog {
    Q_OBJECT
public:
    explicit TDeclaredForm1(DeclaredDialog& state, QWidget* parent = nullptr);

    QPushButton* btnAgree = nullptr;
    QPushButton* btnDoNotAgree = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DeclaredDialog& state_;
};

void runDeclaredForm1(DeclaredDialog& state);

}  // namespace kestrion::forms
