// TldrSearchForm: the find list, every place of the program that matches the query (step,
// instruction line, comment); a double click on a row frames its place in the ladder and the list
// stays open until it is closed.
#pragma once

#include <QDialog>

#include "editor/EditorDialogs.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace kestrion::forms {

class TldrSearchForm : public QDialog {
    Q_OBJECT
public:
    explicit TldrSearchForm(FindListDialog& dialog, QWidget* parent = nullptr);

    QLabel* CountLabel = nullptr;
    QTableWidget* FoundGrid = nullptr;
    QPushButton* btnClose = nullptr;

    void FoundGridDblClick(int row);

private:
    void fitColumns();

    FindListDialog& dialog_;
};

void runLdrSearchForm(FindListDialog& dialog);

}  // namespace kestrion::forms
