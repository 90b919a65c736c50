// The developer views as Qt windows. The main window names itself, whose hidden menus and items
// they show.
#pragma once

#include <QPointer>
#include <QWidget>

#include "devviews/DevViewsDialogs.h"

namespace kestrion::forms {

class QtDevViewsDialogs : public DevViewsDialogs {
public:
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

    void showTextView(const DevTextView& view) override;
    void viewMore(ViewMoreDialog& dialog) override;
    void showDeveloperMenus(bool shown) override;
    void mathTest() override;  // devviews/forms/MathTestForm.cpp

private:
    QPointer<QWidget> mainWindow_;
};

// Tools > "More view ..." visible and enabled: what the instruction box's access code reveals.
void revealMoreView(QWidget& mainWindow);

}  // namespace kestrion::forms
