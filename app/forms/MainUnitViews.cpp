// The main window's views in place of the ladder (instruction lines, registers), its main tool
// bar and its function-key panel.
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/MainView.h"
#include "app/ToolButtons.h"
#include "app/forms/MainUnit.h"
#include "app/forms/RegisterViewPanel.h"
#include "editor/LadderLayout.h"
#include "editor/forms/InstructionViewForm.h"
#include "editor/forms/LadderViewForm.h"
#include "lang/Texts.h"
#include "lang/forms/Captions.h"
#include "lang/forms/MenuItemWidgets.h"
#include "lang/forms/WidgetText.h"
#include "link/transfer/TransferCommands.h"
#include "model/ladder/EditorState.h"
#include "monitor/MonitorMode.h"
#include "reader/InstructionList.h"
#include "wizards/forms/ParameterListPanel.h"

namespace kestrion::app {

namespace {

forms::InstructionViewForm::Row rowOf(int row) {
    const InstructionLine line = instructionLine(static_cast<std::size_t>(row));
    return {std::to_string(line.step), line.mnemonic, line.operands, line.comment};
}

}  // namespace

// A menu item by its object name; a menu (Error Check) by the action that opens it.
QAction* TMainForm::menuItemAction(const char* objectName) const {
    if (QAction* item = action(objectName)) return item;
    if (QMenu* holder = menu(objectName)) return holder->menuAction();
    return nullptr;
}

void TMainForm::buildMainToolBar() {
    ToolBar1 = addToolBar("Tools");
    ToolBar1->setObjectName("ToolBar1");
    QToolBar* bar = ToolBar1;
    for (const ToolButtonRow& row : toolButtonRows()) {
        if (row.startsBar) {
            bar = addToolBar("Link");
            bar->setObjectName("LinkToolBar");
        }
        QAction* button = bar->addAction(row.caption);
        button->setObjectName(row.objectName);
        button->setToolTip(row.hint);
        button->setProperty("menuItem", row.menuItem);
        button->setVisible(!row.hidden);
        toolButtons_.emplace_back(button, &row);
        connect(button, &QAction::triggered, this, [this, &row] {
            if (row.command == nullptr) {
                // The item brings the window up to date itself, and waits for the line as it does.
                if (QAction* item = menuItemAction(row.menuItem)) {
                    item->trigger();
                    return;
                }
            }
            runClick(row.objectName, [this, &row] {
                if (row.command != nullptr) row.command();
                syncFromCore();
            });
        });
    }
    for (const char* view : {"spbtnLadderView", "spbtnInstructionView", "spbtnRegisterView"})
        if (QAction* button = findChild<QAction*>(view)) button->setCheckable(true);
}

void TMainForm::captionButtons() {
    const Language language = currentLanguage();
    for (const auto& [button, row] : toolButtons_) {
        button->setText(forms::widgetText(toolButtonCaption(*row, language)));
        button->setToolTip(forms::widgetText(toolButtonHint(*row, language)));
    }
    for (QAction* button : ladderButtons_) {
        const QByteArray id = button->property("textId").toByteArray();
        if (id.isEmpty()) continue;
        button->setText(forms::captionText(id.toStdString()));
        button->setToolTip(button->text());
    }
    const std::span<const FncKeyButtonRow> keys = fncKeyButtonRows();
    for (std::size_t i = 0; i < fncKeyButtons_.size() && i < keys.size(); ++i)
        fncKeyButtons_[i]->setText(forms::widgetText(fncKeyCaption(keys[i], language)));
    ProjectGroupBox1->setTitle(forms::captionText("ColumnInstruction"));
    fitToolBars();
}

// The tool bars fill a row after another, in their order: where the captions are too long for one
// row (the other languages, a narrow screen) a bar starts the next row rather than hiding its
// buttons behind the overflow button.
void TMainForm::fitToolBars() {
    int used = 0;
    for (const char* name : {"ToolBar1", "LinkToolBar", "RunStopToolBar", "LadderToolBar"}) {
        auto* bar = findChild<QToolBar*>(name);
        if (bar == nullptr) continue;
        const int needed = bar->sizeHint().width();
        const bool newRow = used > 0 && used + needed > width();
        if (newRow != toolBarBreak(bar)) {
            if (newRow) {
                insertToolBarBreak(bar);
            } else {
                removeToolBarBreak(bar);
            }
        }
        used = newRow ? needed : used + needed;
    }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    fitToolBars();
}

void TMainForm::buildViewPanels(QVBoxLayout* editLayout) {
    ProjectGroupBox1 = new QGroupBox("Instruction", EditPanel1);
    ProjectGroupBox1->setObjectName("ProjectGroupBox1");
    auto* box = new QVBoxLayout(ProjectGroupBox1);
    InstructionMemo = new forms::InstructionViewForm(ProjectGroupBox1);
    InstructionMemo->onDoubleClick = [this](int row) {
        instructionLineDoubleClick(static_cast<std::size_t>(row));
        syncFromCore();
    };
    box->addWidget(InstructionMemo);
    ProjectGroupBox1->hide();
    editLayout->addWidget(ProjectGroupBox1);

    RegisterViewGroupBox = new forms::RegisterViewPanel(EditPanel1);
    RegisterViewGroupBox->afterCommand = [this] { syncFromCore(); };
    RegisterViewGroupBox->hide();
    editLayout->addWidget(RegisterViewGroupBox);

    ParameterGroupBox = new forms::ParameterListPanel(EditPanel1);
    ParameterGroupBox->hide();
    connect(ParameterGroupBox->btnParameterViewClose, &QPushButton::clicked, this, [this] {
        btnParameterViewCloseClick();
        syncFromCore();
    });
    connect(ParameterGroupBox, &forms::ParameterListPanel::rowDoubleClicked, this,
            [](const std::string& caption, const std::string& value, int index) {
                ParameterListViewDblClick(caption, value, index);
            });
    editLayout->addWidget(ParameterGroupBox);
}

void TMainForm::buildFncKeyPanel(QVBoxLayout* layout) {
    FncKeyPanel = new QWidget(centralWidget() != nullptr ? centralWidget() : this);
    FncKeyPanel->setObjectName("FncKeyPanel");
    auto* row = new QHBoxLayout(FncKeyPanel);
    row->setContentsMargins(2, 2, 2, 2);
    for (const FncKeyButtonRow& key : fncKeyButtonRows()) {
        auto* button = new QPushButton(key.caption, FncKeyPanel);
        button->setObjectName(key.objectName);
        button->setFocusPolicy(Qt::NoFocus);  // the ladder keeps the keys
        row->addWidget(button);
        fncKeyButtons_.push_back(button);
        connect(button, &QPushButton::clicked, this, [this, functionKey = key.functionKey] {
            fncKeyButtonClick(functionKey);
            ladderEditScreen->update();
            syncFromCore();
        });
    }
    FncKeyPanel->hide();
    layout->addWidget(FncKeyPanel);
}

void TMainForm::syncViews() {
    // A button with a state of its own takes it by its name; the others follow their items.
    for (const auto& [button, row] : toolButtons_) {
        if (menuItems_->governs(row->objectName)) continue;
        const QAction* item = menuItems_->action(row->menuItem);
        button->setEnabled(item != nullptr && item->isEnabled());
    }
    const std::pair<const char*, std::uint8_t> viewButtons[] = {
        {"spbtnLadderView", kLadderViewButton},
        {"spbtnInstructionView", kInstructionViewButton},
        {"spbtnRegisterView", kRegisterViewButton}};
    for (const auto& [name, bit] : viewButtons)
        if (QAction* button = menuItems_->action(name))
            button->setChecked((appState.viewButtonsDown & bit) != 0);

    FncKeyPanel->setVisible(appState.programPanelsVisible);
    for (QPushButton* button : fncKeyButtons_) button->setEnabled(appState.fncKeyViewMode == 1);

    // The monitor's panels take the place of the ladder and of the instruction view.
    const bool monitorPanel = monitorState.panelVisible || monitorState.changeValuePanel.visible;
    const bool ladderShown = !appState.instructionViewVisible && !appState.registerViewVisible &&
                             !appState.parameterViewVisible && !monitorPanel;
    const bool listShown = appState.instructionViewVisible && !monitorPanel;
    const bool ladderComesBack = ladderShown && ProjectScrollBox->isHidden();
    const bool listComesUp = listShown && ProjectGroupBox1->isHidden();
    ProjectScrollBox->setVisible(ladderShown);
    ProjectGroupBox1->setVisible(listShown);
    RegisterViewGroupBox->setVisible(appState.registerViewVisible);
    ParameterGroupBox->setVisible(appState.parameterViewVisible);
    if (appState.parameterViewVisible) ParameterGroupBox->setRows(appState.parameterRows);
    if (listShown) {
        if (refreshInstructionList())
            InstructionMemo->setLines(static_cast<int>(instructionLineCount()), rowOf);
        else
            InstructionMemo->refreshShown();
        if (listComesUp) InstructionMemo->setFocus();
    }
    if (appState.registerViewVisible) RegisterViewGroupBox->syncFromCore();
    if (ladderComesBack && appState.programPanelsVisible) {
        ladderEditScreen->setFocus();
        // The frame (set while the ladder was hidden, by a double click on a line) is brought to
        // the middle of the view once the view is laid out.
        QTimer::singleShot(0, this, [this] {
            const int x = scaledToScreen(BlueFrame.x1), y = scaledToScreen(BlueFrame.y1);
            ProjectScrollBox->ensureVisible(x, y, ProjectScrollBox->viewport()->width() / 2,
                                            ProjectScrollBox->viewport()->height() / 2);
        });
    }
}

}  // namespace kestrion::app
