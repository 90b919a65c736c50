#include "platform/Services.h"

#include <cstdint>
#include <stdexcept>

namespace kestrion::platform {

namespace {

Services current;

template <typename T>
T& checked(T* service, const char* name) {
    if (service == nullptr) throw std::logic_error(std::string("platform service not installed: ") + name);
    return *service;
}

}  // namespace

void ByteReader::copyTo(std::size_t offset, std::uint8_t* out, std::size_t count) const {
    for (std::size_t i = 0; i < count; ++i) out[i] = at(offset + i);
}

std::vector<ComPortInfo> SerialPorts::comPorts() const {
    std::vector<ComPortInfo> ports;
    for (int n = 1; n <= kComPortCount; ++n) ports.push_back({n, deviceName(n), "", "", false});
    return ports;
}

FileStatus Files::rename(const std::string& from, const std::string& to) {
    const ReadResult file = readWhole(from, SIZE_MAX);
    if (!file.ok()) return file.status;
    const FileStatus written = writeWhole(to, file.data.bytes());
    if (written == FileStatus::Ok) remove(from);
    return written;
}

void install(const Services& services) {
    if (!services.messages || !services.statusBar || !services.trace || !services.progress ||
        !services.system || !services.clock || !services.timers || !services.files || !services.serial)
        throw std::logic_error("platform::install needs every service");
    current = services;
}

void uninstall() {
    current = Services{};
}

bool installed() {
    return current.messages != nullptr;
}

Services installedServices() {
    return current;
}

Messages& messages() {
    return checked(current.messages, "messages");
}
StatusBar& statusBar() {
    return checked(current.statusBar, "status bar");
}
TraceMemos& trace() {
    return checked(current.trace, "trace memos");
}
Progress& progress() {
    return checked(current.progress, "progress");
}
System& system() {
    return checked(current.system, "system");
}
Clock& clock() {
    return checked(current.clock, "clock");
}
Timers& timers() {
    return checked(current.timers, "timers");
}
Files& files() {
    return checked(current.files, "files");
}
SerialPorts& serial() {
    return checked(current.serial, "serial ports");
}

}  // namespace kestrion::platform
