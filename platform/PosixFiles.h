// Files on the local file system, with case-blind lookup of the last path component.
#pragma once

#include <string>

#include "platform/Services.h"

namespace kestrion::platform {

// The installation directory: $KESTRION_HOME when set and not empty, else <home>/Tovel/Kestrion.
// A trailing '/' is dropped.
std::string resolveInstallDirectory(const char* kestrionHome, const char* home);

// The path itself when it exists; else the entry of its folder whose name equals the last
// component but for ASCII letter case; else the path unchanged.
std::string findCaseInsensitive(const std::string& path);

// Where the shipped files lie: a "data" folder beside the running program.
std::string shippedDataDirectory();

class PosixFiles : public Files {
public:
    PosixFiles(std::string installDirectory, std::string dataDirectory);
    // Uses the environment and the running program's location.
    static PosixFiles fromEnvironment();

    ReadResult readWhole(const std::string& path, std::size_t maxBytes) const override;
    ReadResult readStart(const std::string& path, std::size_t count) const override;
    FileStatus writeWhole(const std::string& path, const std::uint8_t* data, std::size_t size) override;
    using Files::writeWhole;
    bool exists(const std::string& path) const override;
    bool remove(const std::string& path) override;
    FileStatus rename(const std::string& from, const std::string& to) override;
    bool makeDirectory(const std::string& path) override;
    std::string installDirectory() const override { return installDir_; }
    std::string dataDirectory() const override { return dataDir_; }

private:
    std::string installDir_;
    std::string dataDir_;
};

}  // namespace kestrion::platform
