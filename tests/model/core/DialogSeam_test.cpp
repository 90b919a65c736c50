#include "model/core/DialogSeam.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

struct ProbeDialogs {
    static constexpr const char* seamName = "probe dialogs";
    int answer;
};

int askProbe() {
    return DialogSeam<ProbeDialogs>::get().answer;
}

TEST(DialogSeamTest, AnInstallationHoldsForItsScopeAndPutsBackTheOneBefore) {
    EXPECT_THROW(askProbe(), std::logic_error);
    {
        ProbeDialogs outer{1};
        InstalledDialogs<ProbeDialogs> outerInstalled(outer);
        {
            ProbeDialogs inner{2};
            InstalledDialogs<ProbeDialogs> innerInstalled(inner);
            EXPECT_EQ(askProbe(), 2);
        }
        EXPECT_EQ(askProbe(), 1);
    }
    EXPECT_THROW(askProbe(), std::logic_error);
}

}  // namespace
}  // namespace kestrion
