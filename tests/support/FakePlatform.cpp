#include "support/FakePlatform.h"

#include <strings.h>

#include <algorithm>
#include <utility>

#include "model/core/StateRegistry.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion::test {

using platform::FileStatus;
using platform::MsgAnswer;
using platform::MsgButtons;

void resetAllState() {
    state::resetAll();
    // Every command that notes its changes is checked against a copy of the whole ladder.
    checkNotedChanges(true);
}

MsgAnswer FakeMessages::show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             MsgButtons buttons) {
    shown.push_back({text, caption, icon, buttons});
    if (answers_.empty()) {
        if (buttons == MsgButtons::YesNoDefaultNo) return MsgAnswer::No;
        return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes
                                                                                  : MsgAnswer::Ok;
    }
    const MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

void FakeClockAndTimers::advance(std::uint32_t milliseconds) {
    const std::uint32_t target = now_ + milliseconds;
    while (static_cast<std::int32_t>(target - now_) > 0) {
        ++now_;
        for (auto due = actions_.begin(); due != actions_.end() && due->first <= now_;
             due = actions_.begin()) {
            auto action = std::move(due->second);
            actions_.erase(due);
            action();
        }
        for (Timer& timer : timers_) {
            if (!timer.enabled || timer.due > now_ || !timer.handler) continue;
            timer.due = now_ + timer.interval;
            // A timer does not fire again while its own handler runs (as with the real timers).
            auto handler = std::exchange(timer.handler, nullptr);
            handler();
            if (!timer.handler) timer.handler = std::move(handler);
        }
    }
}

void FakeClockAndTimers::setEnabled(platform::TimerId id, bool enabled) {
    Timer& timer = timers_[index(id)];
    if (enabled && !timer.enabled) timer.due = now_ + timer.interval;
    timer.enabled = enabled;
}

std::map<std::string, std::vector<std::uint8_t>>::const_iterator FakeFiles::find(
    const std::string& path) const {
    if (auto exact = files.find(path); exact != files.end()) return exact;
    const std::size_t nameStart = path.find_last_of('/') + 1;  // 0 without a folder
    return std::find_if(files.begin(), files.end(), [&](const auto& file) {
        const std::string& name = file.first;
        return name.find_last_of('/') + 1 == nameStart &&
               name.compare(0, nameStart, path, 0, nameStart) == 0 &&
               strcasecmp(name.c_str() + nameStart, path.c_str() + nameStart) == 0;
    });
}

platform::ReadResult FakeFiles::readStart(const std::string& path, std::size_t count) const {
    platform::ReadResult result;
    const auto it = find(path);
    if (unreadable.count(path) != 0 || it == files.end()) {
        result.status = unreadable.count(path) != 0 ? FileStatus::AccessDenied : FileStatus::NotFound;
        return result;
    }
    result.status = FileStatus::Ok;
    const auto end = it->second.begin() + static_cast<std::ptrdiff_t>(std::min(count, it->second.size()));
    result.data = platform::ByteReader(std::vector<std::uint8_t>(it->second.begin(), end));
    return result;
}

platform::ReadResult FakeFiles::readWhole(const std::string& path, std::size_t maxBytes) const {
    platform::ReadResult result = readStart(path, maxBytes);
    if (result.ok() && content(path).size() > maxBytes)
        result = {FileStatus::TooLarge, platform::ByteReader()};
    return result;
}

FileStatus FakeFiles::writeWhole(const std::string& path, const std::uint8_t* data, std::size_t size) {
    if (unwritable.count(path) != 0) return FileStatus::AccessDenied;
    const auto it = find(path);
    files[it == files.end() ? path : it->first] = std::vector<std::uint8_t>(data, data + size);
    return FileStatus::Ok;
}

bool FakeFiles::remove(const std::string& path) {
    const auto it = find(path);
    if (it == files.end()) return false;
    files.erase(it);
    return true;
}

class FakeSerialPorts::Port : public platform::SerialPort {
public:
    Port(FakeSerialPorts& line, int handle) : line_(line), handle_(handle) {}
    ~Port() override { line_.open_ = false, line_.receiveQueue.clear(); }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    int handle() const override { return handle_; }
    bool configure(const platform::SerialFormat& format) override {
        if (!line_.refuseFormat) line_.format = format;
        return !line_.refuseFormat;
    }
    void clearErrors() override {}
    std::size_t queuedBytes() override { return line_.receiveQueue.size(); }
    void purgeReceive() override { ++line_.purges, line_.receiveQueue.clear(); }
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        line_.readSizes.push_back(size);
        const std::size_t count = std::min(size, line_.receiveQueue.size());
        std::copy_n(line_.receiveQueue.begin(), count, buffer);
        line_.receiveQueue.erase(line_.receiveQueue.begin(),
                                 line_.receiveQueue.begin() + std::ptrdiff_t(count));
        return count;
    }
    bool lost() const override { return line_.unplugged; }
    std::size_t write(const std::uint8_t* data, std::size_t size) override {
        if (line_.unplugged) return 0;
        line_.written.insert(line_.written.end(), data, data + size);
        if (line_.device != nullptr) line_.device->received(data, size, line_.format);
        return size;
    }

private:
    FakeSerialPorts& line_;
    int handle_;
};

std::vector<platform::ComPortInfo> FakeSerialPorts::comPorts() const {
    return listed.empty() ? platform::SerialPorts::comPorts() : listed;
}

platform::SerialOpenResult FakeSerialPorts::open(int comNumber) {
    platform::SerialOpenResult result;
    if (failingAttempts.count(++attempts) != 0) {
        result.status = platform::SerialOpenStatus::Failed;
        return result;
    }
    if (const auto failure = openFailures.find(comNumber); failure != openFailures.end()) {
        result.status = failure->second;
        if (result.status == platform::SerialOpenStatus::AccessDenied) result.deviceGroup = deniedGroup;
        return result;
    }
    result.status = open_ ? platform::SerialOpenStatus::Busy : platform::SerialOpenStatus::Ok;
    if (open_) return result;
    open_ = true;
    openedCom = comNumber;
    result.port = std::make_unique<Port>(*this, 100 + ++opens);
    return result;
}

}  // namespace kestrion::test
