// The register panel (RegisterViewGroupBox) and its grid regStringGrid: the core's register view
// (link/transfer/RegisterView.h) as a table whose cells are read when painted. A text a cell keeps
// when its typing ends (Enter, Tab, a click elsewhere, the view closed) is written through the core.
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
class RegisterGrid;

class RegisterViewPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit RegisterViewPanel(QWidget* parent = nullptr);

    // Fills the grid again when the core filled the view since the last look.
    void syncFromCore();
    // Enter in the grid (regStringGridKeyPress, key 13).
    void regStringGridEnter();
    // A cell still open for typing keeps its text and closes: the text is written as Enter writes
    // it. Before a command runs and before the close question.
    void commitOpenCell();

    QTableView* regStringGrid = nullptr;
    // Runs after each of the panel's buttons, for the window to follow the core.
    std::function<void()> afterCommand;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RegisterCellsModel* cells_;
    RegisterGrid* grid_ = nullptr;
    bool writing_ = false;
    std::uint32_t shownFills_ = 0;
    std::vector<std::pair<QPushButton*, int>> shownBy_;  // the layout and format buttons
};

}  // namespace kestrion::forms
