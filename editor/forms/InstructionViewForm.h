// The instruction view's list (InstructionMemo): one row a program line, in columns Step,
// Instruction, Operand and Comment, read only. The rows come from a source that gives the texts of
// one row when the view paints it, so a list of 64,000 lines costs no more than the lines on
// screen. A double click hands the row to onDoubleClick.
#pragma once

#include <QTableView>
#include <array>
#include <functional>
#include <string>

namespace kestrion::forms {

class InstructionLinesModel;

class InstructionViewForm : public QTableView {
    Q_OBJECT
public:
    using Row = std::array<std::string, 4>;
    using RowSource = std::function<Row(int row)>;

    explicit InstructionViewForm(QWidget* parent = nullptr);

    // Takes new lines: count rows, read through source. The current row is kept where it can be.
    void setLines(int count, RowSource source);
    // The same lines with their texts read again (comments switched on or off, comments edited).
    void refreshShown();

    std::function<void(int row)> onDoubleClick;

private:
    InstructionLinesModel* lines_;
};

}  // namespace kestrion::forms
