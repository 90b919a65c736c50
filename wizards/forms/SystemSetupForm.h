// TSystemSetupForm: the Options dialog. Its check boxes run SystemSetupDialog's rules as they are
// clicked; OK only closes it.
#pragma once

#include <QDialog>

#include "wizards/DisplayOptions.h"

class QCheckBox;
class QPushButton;
class QTabWidget;

namespace kestrion::forms {

class TSystemSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TSystemSetupForm(SystemSetupDialog& state, QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QCheckBox* DoNotShowTemplatesDeclared = nullptr;
    QCheckBox* ShowDeviceComment = nullptr;
    QCheckBox* ShowBlockComment = nullptr;
    QCheckBox* ShowCoilComment = nullptr;
    QCheckBox* DisableProgramRead = nullptr;
    QPushButton* btnOk = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    SystemSetupDialog& state_;
};

void runSystemSetupForm(SystemSetupDialog& state);

}  // namespace kestrion::forms
