// TrsTimOutForm: the reply time-out and retry dialog; its rules are the core's (link/CommRecord.h).
#pragma once

#include <QDialog>
#include <string>

#include "link/LinkDialogs.h"

class QComboBox;
class QPushButton;

namespace kestrion::forms {

class TrsTimOutForm : public QDialog {
    Q_OBJECT
public:
    explicit TrsTimOutForm(QWidget* parent = nullptr);

    QComboBox* TimeOutComboBox = nullptr;
    QComboBox* RetryComboBox = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnCancel = nullptr;
    int timeOutIndex = 0;
    int retryIndex = 0;
    bool confirmed = false;

public slots:
    void FormShow();
    void TimeOutComboBoxChange(const QString& text);
    void RetryComboBoxChange(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
};

// Shows the dialog modally preset with the indexes and gives back the choice.
RsTimOutResult runRsTimOutForm(const std::string& caption, int timeOutIndex, int retryIndex);

}  // namespace kestrion::forms
