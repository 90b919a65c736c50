// The register panel (RegisterViewGroupBox) and its grid regStringGrid: the core's register view
// (link/transfer/RegisterView.h) as a table whose cells are read when painted. Typed cell texts
// stay in the grid until the view is filled again; Enter writes them through the core.
#pragma once

#include <QGroupBox>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

class QPushButton;
class QTableView;

namespace kestrion::forms {

class RegisterCellsModel;

class RegisterViewPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit RegisterViewPanel(QWidget* parent = nullptr);

    // Fills the grid again when the core filled the view since the last look.
    void syncFromCore();
    // Enter in the grid (regStringGridKeyPress, key 13).
    void regStringGridEnter();

    QTableView* regStringGrid = nullptr;
    // Runs after each of the panel's buttons, for the window to follow the core.
    std::function<void()> afterCommand;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RegisterCellsModel* cells_;
    std::uint32_t shownFills_ = 0;
    std::vector<std::pair<QPushButton*, int>> shownBy_;  // the layout and format buttons
};

}  // namespace kestrion::forms
