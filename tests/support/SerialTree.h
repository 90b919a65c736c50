// A machine's serial devices as a folder tree of the test's own, for the device scan to read:
// dev/serial/by-id links to adapter nodes, dev/ttyUSB*, ttyACM*, ttyS* nodes and
// sys/class/tty/ttyS*/type with the port type the driver reports (0: no UART).
#pragma once

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

    std::string node(const std::string& name) const {
        std::ofstream(root + "/dev/" + name).put('\0');
        return root + "/dev/" + name;
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

    const std::string root;
};

}  // namespace kestrion::test
