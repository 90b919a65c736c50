// The benchmarks that show windows share one QApplication on the offscreen platform, made by
// whichever runs first; QT_QPA_PLATFORM set in the environment (xcb) runs them on a real display
// instead.
#pragma once

#include <QApplication>

namespace kestrion::bench {

inline void ensureOffscreenApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "kestrion_bench";
    static char* argv[] = {name, nullptr};
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own statics may be gone before a static application would go.
    static QApplication* const app = new QApplication(argc, argv);
    (void)app;
}

}  // namespace kestrion::bench
