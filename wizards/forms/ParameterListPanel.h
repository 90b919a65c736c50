// ParameterGroupBox with its ParameterListView: the main window's report list that the link-setup
// menu fills with a module's buffer-memory rows, in place of the ladder.
#pragma once

#include <QGroupBox>
#include <string>
#include <vector>

#include "wizards/gateway/BfmLists.h"

class QPushButton;
class QTableWidget;

namespace kestrion::forms {

class ParameterListPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit ParameterListPanel(QWidget* parent = nullptr);
    // Shows the rows; the list is refilled only when they changed.
    void setRows(const std::vector<ParameterRow>& rows);

    QTableWidget* ParameterListView = nullptr;
    QPushButton* btnParameterViewClose = nullptr;

signals:
    // A double-click on a row: its device caption, its first value and its index.
    void rowDoubleClicked(const std::string& caption, const std::string& value, int index);

private:
    std::vector<ParameterRow> shown_;
};

}  // namespace kestrion::forms
