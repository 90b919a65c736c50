#include "monitor/forms/MonitorWidgets.h"

#include <QAction>
#include <QHeaderView>
#include <QTreeWidget>
#include <QWidget>

#include "lang/forms/Captions.h"
#include "lang/forms/WidgetText.h"

namespace kestrion::forms {

namespace {

constexpr int kColumnWidths[] = {60, 160, 100, 60, 60, 200};

}  // namespace

QTreeWidget* makeDeviceListView(QWidget* parent, const char* objectName) {
    auto* view = new QTreeWidget(parent);
    view->setObjectName(objectName);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    // Grid lines; a styled item draws its own selection, or its text would be lost on a plain ground.
    view->setStyleSheet(
        "QTreeView::item { border: 1px solid #d0d0d0; }"
        "QTreeView::item:selected { background: palette(highlight); color: palette(highlighted-text); }");
    Captions::of(view).with([view] {
        view->setHeaderLabels({captionText("CommentDevice"), captionText("MonCurrentValue"),
                               captionText("MonSettingValue"), captionText("MonConnect"),
                               captionText("CommentListCoil"), captionText("CommentCaption")});
    });
    view->header()->setSectionsClickable(false);
    for (int c = 0; c < 6; ++c) view->setColumnWidth(c, kColumnWidths[c]);
    return view;
}

void showRows(QTreeWidget& view, const MonitorRows& rows, int focusedRow) {
    const int count = static_cast<int>(rows.size());
    while (view.topLevelItemCount() > count) delete view.takeTopLevelItem(view.topLevelItemCount() - 1);
    while (view.topLevelItemCount() < count) view.addTopLevelItem(new QTreeWidgetItem);
    for (int r = 0; r < count; ++r) {
        QTreeWidgetItem* item = view.topLevelItem(r);
        const MonitorRow& row = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < view.columnCount(); ++c) {
            const std::size_t sub = static_cast<std::size_t>(c);
            const QString text = widgetText(c == 0                          ? row.caption
                                            : sub - 1 < row.subItems.size() ? row.subItems[sub - 1]
                                                                            : "");
            if (item->text(c) != text) item->setText(c, text);
        }
    }
    if (focusedRow >= 0 && focusedRow < count && view.indexOfTopLevelItem(view.currentItem()) != focusedRow)
        view.setCurrentItem(view.topLevelItem(focusedRow));
}

void applyControls(QObject& root, const MonitorControls& controls) {
    for (const auto& [name, state] : controls) {
        const QString objectName = QString::fromStdString(name);
        for (QAction* action : root.findChildren<QAction*>(objectName)) {
            action->setEnabled(state.enabled);
            if (action->isCheckable()) action->setChecked(state.checked);
        }
        for (QWidget* widget : root.findChildren<QWidget*>(objectName))
            if (widget->objectName() == objectName) widget->setEnabled(state.enabled);
    }
}

}  // namespace kestrion::forms
