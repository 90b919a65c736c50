#include "devviews/forms/QtDevViewsDialogs.h"

#include <QAction>
#include <QMenu>

#include "devviews/forms/DevViewForm.h"
#include "devviews/forms/ViewMoreForm.h"

namespace kestrion::forms {

void QtDevViewsDialogs::showTextView(const DevTextView& view) {
    runDevViewForm(view);
}

void QtDevViewsDialogs::viewMore(ViewMoreDialog& dialog) {
    runViewMoreForm(dialog);
}

void QtDevViewsDialogs::showDeveloperMenus(bool shown) {
    if (!mainWindow_) return;
    for (const char* name : {"xRS", "xTHIS"})
        if (auto* menu = mainWindow_->findChild<QMenu*>(name)) menu->menuAction()->setVisible(shown);
}

void revealMoreView(QWidget& mainWindow) {
    if (auto* item = mainWindow.findChild<QAction*>("MoreView1")) {
        item->setVisible(true);
        item->setEnabled(true);
    }
}

}  // namespace kestrion::forms
