// Window tests run the real services: Qt message boxes, status bar and timers, and the local file
// system with an installation folder of the test's own, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "app/forms/QtPlatform.h"
#include "platform/PosixFiles.h"

class QFileDialog;
class QString;

namespace kestrion::test {

class RealServicesTest : public ::testing::Test {
protected:
    // tag names the installation folder, so tests running at once never share one.
    explicit RealServicesTest(const std::string& tag);
    ~RealServicesTest() override;

    std::filesystem::path home;  // not created: start-up makes it, as on a first start
    platform::PosixFiles files;
    app::QtPlatform services;
};

// The open program as LD of the device at step 0 on the first line, END below it.
void putContactOnFirstLine(const char* device);

// A program of a few words (END last) into the open program image and onto the ladder, as a file's
// load puts them.
void showProgramWords(std::span<const std::uint16_t> words);

// Puts a file's name into a file dialog as a user types it. selectFile leaves the name field as it
// is while that field has the focus, which it may have by then on a busy machine; the name is then
// written into the field itself.
void enterFileName(QFileDialog& dialog, const QString& path);

}  // namespace kestrion::test
