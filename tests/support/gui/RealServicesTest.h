// Window tests run the real services: Qt message boxes, status bar and timers, and the local file
// system with an installation folder of the test's own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/forms/QtPlatform.h"
#include "platform/PosixFiles.h"

namespace kestrion::testing {

class RealServicesTest : public ::testing::Test {
protected:
    // tag names the installation folder, so tests running at once never share one.
    explicit RealServicesTest(const std::string& tag);
    ~RealServicesTest() override;

    std::filesystem::path home;  // not created: start-up makes it, as on a first start
    platform::PosixFiles files;
    app::QtPlatform services;
};

}  // namespace kestrion::testing
