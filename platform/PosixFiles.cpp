#include "platform/PosixFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <system_error>

namespace kestrion::platform {

namespace {

FileStatus statusFromErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: return FileStatus::NotFound;
        case EACCES:
        case EPERM:
        case EROFS: return FileStatus::AccessDenied;
        default: return FileStatus::Failed;
    }
}

std::string homeDirectory(const char* home) {
    if (home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return ".";
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string resolveInstallDirectory(const char* kestrionHome, const char* home) {
    if (kestrionHome != nullptr && *kestrionHome != '\0') return withoutTrailingSlash(kestrionHome);
    return withoutTrailingSlash(homeDirectory(home)) + "/Tovel/Kestrion";
}

std::string findCaseInsensitive(const std::string& path) {
    struct stat info {};
    if (path.empty() || lstat(path.c_str(), &info) == 0) return path;
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return path;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return path;
    std::string found = path;
    while (const dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

std::string shippedDataDirectory() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return "data";
    return (self.parent_path() / "data").string();
}

PosixFiles::PosixFiles(std::string installDirectory, std::string dataDirectory)
    : installDir_(withoutTrailingSlash(std::move(installDirectory))),
      dataDir_(withoutTrailingSlash(std::move(dataDirectory))) {}

PosixFiles PosixFiles::fromEnvironment() {
    return PosixFiles(resolveInstallDirectory(std::getenv("KESTRION_HOME"), std::getenv("HOME")),
                      shippedDataDirectory());
}

namespace {

// Reads what the descriptor gives, but never more than limit + 1 bytes: one byte past the limit is
// enough to know that the file is too long. A file whose size the system does not know in advance
// (those of /proc report 0) is read in growing steps.
FileStatus readAtMost(int fd, std::size_t expected, std::size_t limit, bool refuseLonger,
                      std::vector<std::uint8_t>& bytes) {
    const std::size_t ceiling = refuseLonger && limit < SIZE_MAX ? limit + 1 : limit;
    std::size_t used = 0;
    try {
        bytes.resize(std::min(expected + 1, ceiling));
        for (;;) {
            if (used == bytes.size()) {
                if (used >= ceiling) break;
                bytes.resize(std::min(ceiling, std::max<std::size_t>(2 * used, 4096)));
            }
            const ssize_t got = read(fd, bytes.data() + used, bytes.size() - used);
            if (got < 0) {
                if (errno == EINTR) continue;
                return statusFromErrno(errno);
            }
            if (got == 0) break;
            used += static_cast<std::size_t>(got);
        }
        if (used > limit) return FileStatus::TooLarge;
        bytes.resize(used);
        bytes.shrink_to_fit();
    } catch (const std::bad_alloc&) {
        return FileStatus::Failed;
    } catch (const std::length_error&) {
        return FileStatus::Failed;
    }
    return FileStatus::Ok;
}

ReadResult readRegularFile(const std::string& path, std::size_t limit, bool refuseLonger) {
    ReadResult result;
    // Non-blocking, so that a pipe without a writer or a terminal never holds the program up; it
    // is refused below anyway, as everything that is not a plain file.
    const int fd = open(findCaseInsensitive(path).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        result.status = statusFromErrno(errno);
        return result;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        result.status = statusFromErrno(errno);
    } else if (!S_ISREG(info.st_mode)) {
        result.status = FileStatus::NotRegular;
    } else if (info.st_size < 0 || (refuseLonger && static_cast<std::uintmax_t>(info.st_size) > limit)) {
        result.status = FileStatus::TooLarge;
    } else {
        std::vector<std::uint8_t> bytes;
        const auto size = static_cast<std::uintmax_t>(info.st_size);
        const std::size_t expected = size < limit ? static_cast<std::size_t>(size) : limit;
        result.status = readAtMost(fd, expected, limit, refuseLonger, bytes);
        if (result.status == FileStatus::Ok) result.data = ByteReader(std::move(bytes));
    }
    close(fd);
    return result;
}

}  // namespace

ReadResult PosixFiles::readWhole(const std::string& path, std::size_t maxBytes) const {
    return readRegularFile(path, maxBytes, true);
}

ReadResult PosixFiles::readStart(const std::string& path, std::size_t count) const {
    return readRegularFile(path, count, false);
}

FileStatus PosixFiles::writeWhole(const std::string& path, const std::uint8_t* data, std::size_t size) {
    // Write beside the target and rename over it, so a failed write never leaves half a file.
    const std::string target = findCaseInsensitive(path);
    const std::string temporary = target + ".kestrion-tmp";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return statusFromErrno(errno);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = write(fd, data + done, size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            close(fd);
            unlink(temporary.c_str());
            return statusFromErrno(error);
        }
        done += static_cast<std::size_t>(put);
    }
    const int syncError = fsync(fd) == 0 ? 0 : errno;
    const int closeError = close(fd) == 0 ? 0 : errno;
    if (syncError != 0 || closeError != 0) {
        unlink(temporary.c_str());
        return statusFromErrno(syncError != 0 ? syncError : closeError);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        return statusFromErrno(error);
    }
    return FileStatus::Ok;
}

bool PosixFiles::exists(const std::string& path) const {
    struct stat info {};
    return stat(findCaseInsensitive(path).c_str(), &info) == 0;
}

bool PosixFiles::remove(const std::string& path) {
    return unlink(findCaseInsensitive(path).c_str()) == 0;
}

FileStatus PosixFiles::rename(const std::string& from, const std::string& to) {
    // The target keeps the spelling it has on disk.
    if (::rename(findCaseInsensitive(from).c_str(), findCaseInsensitive(to).c_str()) != 0)
        return statusFromErrno(errno);
    return FileStatus::Ok;
}

bool PosixFiles::makeDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return std::filesystem::is_directory(path, error);
}

}  // namespace kestrion::platform
