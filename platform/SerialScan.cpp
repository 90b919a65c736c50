#include "platform/SerialScan.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

namespace kestrion::platform {

namespace fs = std::filesystem;

namespace {

// "ttyUSB" and 10 from "ttyUSB10"; no number when the name does not end in digits.
struct NodeName {
    std::string stem;
    long number = -1;
};

NodeName splitNumber(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
    if (digits == name.size() || name.size() - digits > 6) return {name, -1};
    return {name.substr(0, digits), std::stol(name.substr(digits))};
}

// ttyUSB2 before ttyUSB10.
bool nodeBefore(const std::string& a, const std::string& b) {
    const NodeName x = splitNumber(a), y = splitNumber(b);
    return x.stem != y.stem ? x.stem < y.stem : x.number < y.number;
}

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

// A serial port is a character device: a name in /dev that is a dangling link, a plain file or
// anything else is no port, whatever it is called.
bool isCharacterDevice(const fs::path& path) {
    std::error_code error;
    return fs::is_character_file(path, error);
}

// The node a by-id link leads to, relative links taken from the link's folder; empty for an entry
// that is not a link or leads to no device (an adapter being unplugged).
std::string linkTarget(const fs::path& link) {
    std::error_code error;
    const fs::path target = fs::read_symlink(link, error);
    if (error) return {};
    const fs::path node = (target.is_absolute() ? target : link.parent_path() / target).lexically_normal();
    return isCharacterDevice(node) ? node.string() : std::string();
}

// The start of a small file that the kernel keeps (a sysfs attribute): opened without waiting and
// read once, so a pipe or a device put in its place neither blocks the scan nor feeds it without
// end; empty for anything but a regular file.
std::string smallFileText(const fs::path& path) {
    constexpr std::size_t kMost = 32;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {};
    std::string text;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        char buffer[kMost];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) text.assign(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

bool hasUart(const fs::path& root, const std::string& name) {
    const std::string text = smallFileText(root / "sys/class/tty" / name / "type");
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    // PORT_UNKNOWN (0): the driver found no UART at the port's address.
    return digits > 0 && digits < 6 && std::stoi(text.substr(0, digits)) != 0;
}

bool isNodeOf(const std::string& name, const char* stem) {
    const NodeName split = splitNumber(name);
    return split.number >= 0 && split.stem == stem;
}

}  // namespace

std::vector<SerialDevice> scanSerialDevices(const std::string& root) {
    const fs::path dev = fs::path(root) / "dev";
    std::vector<SerialDevice> found;
    std::set<std::string> taken;

    std::vector<std::string> links = namesIn(dev / "serial/by-id");
    std::sort(links.begin(), links.end());
    for (const std::string& link : links) {
        const std::string node = linkTarget(dev / "serial/by-id" / link);
        if (node.empty() || !taken.insert(node).second) continue;
        found.push_back({node, link});
    }

    std::vector<std::string> nodes = namesIn(dev);
    std::sort(nodes.begin(), nodes.end(), nodeBefore);
    for (const std::string& name : nodes) {
        const std::string node = (dev / name).string();
        if ((isNodeOf(name, "ttyUSB") || isNodeOf(name, "ttyACM")) && isCharacterDevice(node) &&
            taken.insert(node).second)
            found.push_back({node, ""});
    }
    for (const std::string& name : nodes) {
        const std::string node = (dev / name).string();
        if (isNodeOf(name, "ttyS") && isCharacterDevice(node) && hasUart(root, name) &&
            taken.insert(node).second)
            found.push_back({node, ""});
    }
    return found;
}

ComPortInfo resolveComPort(int comNumber, const char* environmentValue,
                           const std::vector<SerialDevice>& found, const std::string& root) {
    ComPortInfo port;
    port.comNumber = comNumber;
    if (environmentValue != nullptr && *environmentValue != '\0') {
        port.device = environmentValue;
        port.environmentVariable = "KESTRION_COM" + std::to_string(comNumber);
        port.present = isThere(port.device);
        for (const SerialDevice& device : found)
            if (device.path == port.device) port.byIdName = device.byIdName;
        return port;
    }
    if (comNumber >= 1 && static_cast<std::size_t>(comNumber) <= found.size()) {
        const SerialDevice& device = found[static_cast<std::size_t>(comNumber - 1)];
        port.device = device.path;
        port.byIdName = device.byIdName;
        port.present = true;
        return port;
    }
    port.device = (fs::path(root) / "dev" / ("ttyS" + std::to_string(comNumber - 1))).string();
    port.present = std::any_of(found.begin(), found.end(),
                               [&](const SerialDevice& device) { return device.path == port.device; });
    return port;
}

}  // namespace kestrion::platform
