// A machine's serial devices as a folder tree of the test's own, for the device scan to read:
// dev/serial/by-id links to adapter nodes, dev/ttyUSB*, ttyACM*, ttyS* nodes and
// sys/class/tty/ttyS*/type with the port type the driver reports (0: no UART).
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace kestrion::test {

class SerialTree {
public:
    explicit SerialTree(const std::string& tag)
        : root((std::filesystem::temp_directory_path() /
                ("kestrion-tree-" + tag + "-" + std::to_string(getpid())))
                   .string()) {
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root + "/dev/serial/by-id");
    }
    ~SerialTree() { std::filesystem::remove_all(root); }
    SerialTree(const SerialTree&) = delete;
    SerialTree& operator=(const SerialTree&) = delete;

    // A device node: a link to /dev/null, a character device as a serial port is.
    std::string node(const std::string& name) const {
        const std::string at = root + "/dev/" + name;
        std::filesystem::remove(at);
        std::filesystem::create_symlink("/dev/null", at);
        return at;
    }
    // Entries that only look like device nodes: a plain file, a link that leads nowhere.
    std::string plainFile(const std::string& name) const {
        std::ofstream(root + "/dev/" + name).put('\0');
        return root + "/dev/" + name;
    }
    std::string danglingLink(const std::string& name) const {
        const std::string at = root + "/dev/" + name;
        std::filesystem::create_symlink(root + "/gone/" + name, at);
        return at;
    }
    // An adapter's node and its by-id link, relative as udev makes it.
    std::string adapter(const std::string& byIdName, const std::string& nodeName) const {
        const std::string path = node(nodeName);
        link(byIdName, "../../" + nodeName);
        return path;
    }
    // The by-id link to any device (a pseudo-terminal standing in for an adapter).
    void link(const std::string& byIdName, const std::string& target) const {
        const std::string at = root + "/dev/serial/by-id/" + byIdName;
        std::filesystem::remove(at);
        std::filesystem::create_symlink(target, at);
    }
    std::string onboard(const std::string& name, int portType) const {
        std::filesystem::create_directories(root + "/sys/class/tty/" + name);
        std::ofstream(root + "/sys/class/tty/" + name + "/type") << portType << '\n';
        return node(name);
    }
    // An on-board port whose type file is a named pipe that nobody writes (a read would wait).
    std::string onboardWithPipeType(const std::string& name) const {
        std::filesystem::create_directories(root + "/sys/class/tty/" + name);
        mkfifo((root + "/sys/class/tty/" + name + "/type").c_str(), 0600);
        return node(name);
    }

    const std::string root;
};

}  // namespace kestrion::test
