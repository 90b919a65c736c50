// TrsTimOutForm: the reply time-out and retry dialog; its rules are RsTimOutDialog's.
#pragma once

#include <QDialog>
#include <string>

#include "link/line/RsTimOutDialog.h"

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
    // Preset the indexes before the show, read the result afterwards.
    RsTimOutDialog state;

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
