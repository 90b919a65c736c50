// Window tests run the real Qt widgets on the offscreen platform, under the program's own
// application object.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/forms/KestrionApplication.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    kestrion::app::KestrionApplication application(argc, argv);
    return RUN_ALL_TESTS();
}
