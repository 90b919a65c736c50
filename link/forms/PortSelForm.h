// TPortSelForm: the port and rate dialog. Its rules are PortSelDialog's; the controls write
// comPortIndex and baudIndex as the user changes them.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "link/line/PortSelDialog.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kestrion::forms {

class TPortSelForm : public QDialog {
    Q_OBJECT
public:
    explicit TPortSelForm(QWidget* parent = nullptr);

    QComboBox* comPortComboBox = nullptr;
    QButtonGroup* baudRateRadioGroup = nullptr;
    QLabel* deviceLabel = nullptr;
    // COM1..COM19, each with the device it opens and what is there; a click picks the port.
    QTreeWidget* portListView = nullptr;
    QPushButton* btnOk = nullptr;
    PortSelDialog state;

public slots:
    void FormShow();
    void comPortComboBoxChange(const QString& text);
    void baudRateRadioGroupClick(int itemIndex);
    void btnOkClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showDevice();
    void fillPortList();
    void portListViewClick(QTreeWidgetItem* item);

    std::vector<PortSelRow> rows_;
};

// Shows the dialog modally; true when confirmed with OK.
bool runPortSelForm(const std::string& caption);

}  // namespace kestrion::forms
