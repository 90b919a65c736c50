// The benchmarks that show windows share one QApplication on the offscreen platform, made by
// whichever runs first.
#pragma once

#include <QApplication>

namespace kestrion::bench {

inline void ensureOffscreenApplication() {
    if (QApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "kestrion_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

}  // namespace kestrion::bench
