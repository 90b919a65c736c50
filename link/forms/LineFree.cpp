#include "link/forms/LineFree.h"

#include <QTimer>

#include "link/line/LineHold.h"

namespace kestrion::forms {

void runWhenLineFree(QObject* context, std::function<void()> click) {
    if (holdLineForClick()) {
        QTimer::singleShot(10, context, [context, click = std::move(click)]() mutable {
            runWhenLineFree(context, std::move(click));
        });
        return;
    }
    click();
    releaseLineHold();
}

}  // namespace kestrion::forms
