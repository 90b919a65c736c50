#include "model/DialogSeam.h"

#include <gtest/gtest.h>

namespace kestrion {
namespace {

class ProbeDialogs {
public:
    static constexpr const char* seamName = "probe dialogs";
    virtual ~ProbeDialogs() = default;
    virtual int answer() = 0;
};

class Answering : public ProbeDialogs {
public:
    explicit Answering(int value) : value_(value) {}
    int answer() override { return value_; }

private:
    int value_;
};

int askProbe() { return DialogSeam<ProbeDialogs>::get().answer(); }

void expectNotInstalled() {
    try {
        askProbe();
        ADD_FAILURE() << "no error without installed dialogs";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(error.what(), "dialogs not installed: probe dialogs");
    }
}

TEST(DialogSeamTest, AnInstallationHoldsForItsScopeAndPutsBackTheOneBefore) {
    expectNotInstalled();
    {
        Answering outer(1);
        InstalledDialogs<ProbeDialogs> outerInstalled(outer);
        EXPECT_EQ(askProbe(), 1);
        {
            Answering inner(2);
            InstalledDialogs<ProbeDialogs> innerInstalled(inner);
            EXPECT_EQ(askProbe(), 2);
        }
        EXPECT_EQ(askProbe(), 1);
    }
    expectNotInstalled();
}

}  // namespace
}  // namespace kestrion
