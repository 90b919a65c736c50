// TRunStopForm (remote RUN or STOP) and TMemoryClearForm (the areas to clear); their rules are
// RunStopDialog's and MemoryClearDialog's.
#pragma once

#include <QDialog>
#include <string>

#include "link/plc/RemoteDialogs.h"

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QRadioButton;

namespace kestrion::forms {

class TRunStopForm : public QDialog {
    Q_OBJECT
public:
    explicit TRunStopForm(QWidget* parent = nullptr);

    QButtonGroup* RunStopRadioGroup = nullptr;
    QRadioButton* runItem = nullptr;
    QRadioButton* stopItem = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    RunStopDialog state;
};

class TMemoryClearForm : public QDialog {
    Q_OBJECT
public:
    explicit TMemoryClearForm(QWidget* parent = nullptr);

    QCheckBox* progCheckBox = nullptr;
    QCheckBox* dataCheckBox = nullptr;
    QCheckBox* bitsCheckBox = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    MemoryClearDialog state;
};

RunStopResult runRunStopForm(const std::string& caption);
MemoryClearResult runMemoryClearForm(const std::string& caption);

}  // namespace kestrion::forms
