#include "support/FakePlatform.h"

#include <strings.h>

#include <algorithm>
#include <utility>

namespace kestrion::test {

using platform::FileStatus;
using platform::MsgAnswer;
using platform::MsgButtons;

MsgAnswer FakeMessages::show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             MsgButtons buttons) {
    shown.push_back({text, caption, icon, buttons});
    if (!answers_.empty()) {
        const MsgAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoCancel ? MsgAnswer::Yes : MsgAnswer::Ok;
}

void FakeMessages::scriptAnswers(std::initializer_list<MsgAnswer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
}

void FakeStatusBar::setPanelText(int panel, const std::string& text) {
    if (panel >= 0 && panel < panelCount) texts_[panel] = text;
    writes_.emplace_back(panel, text);
}

std::vector<std::string> FakeStatusBar::history(int panel) const {
    std::vector<std::string> texts;
    for (const auto& [written, text] : writes_)
        if (written == panel) texts.push_back(text);
    return texts;
}

std::string FakeStatusBar::panelText(int panel) const {
    return panel >= 0 && panel < panelCount ? texts_[panel] : std::string();
}

void FakeTraceMemos::append(platform::Memo memo, const std::string& line) {
    if (visible(memo)) lines_[index(memo)].push_back(line);
}

void FakeProgress::show(const std::string& shownCaption, int low, int high) {
    visible = true;
    caption = shownCaption;
    minimum = low;
    maximum = high;
}

void FakeClockAndTimers::advance(std::uint32_t milliseconds) {
    const std::uint32_t target = now_ + milliseconds;
    while (static_cast<std::int32_t>(target - now_) > 0) {
        ++now_;
        for (auto due = actions_.begin(); due != actions_.end() && due->first <= now_; due = actions_.begin()) {
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

void FakeClockAndTimers::at(std::uint32_t time, std::function<void()> action) {
    actions_.emplace(time, std::move(action));
}

void FakeClockAndTimers::setEnabled(platform::TimerId id, bool enabled) {
    Timer& timer = timers_[index(id)];
    if (enabled && !timer.enabled) timer.due = now_ + timer.interval;
    timer.enabled = enabled;
}

void FakeClockAndTimers::setInterval(platform::TimerId id, std::uint32_t milliseconds) {
    Timer& timer = timers_[index(id)];
    timer.interval = milliseconds;
    timer.due = now_ + milliseconds;
}

namespace {

bool sameFile(const std::string& a, const std::string& b) {
    const std::size_t slashA = a.find_last_of('/');
    const std::size_t slashB = b.find_last_of('/');
    if (slashA != slashB) return false;
    const std::size_t nameStart = slashA == std::string::npos ? 0 : slashA + 1;
    return a.compare(0, nameStart, b, 0, nameStart) == 0 &&
           strcasecmp(a.c_str() + nameStart, b.c_str() + nameStart) == 0;
}

}  // namespace

std::map<std::string, std::vector<std::uint8_t>>::const_iterator FakeFiles::find(const std::string& path) const {
    if (auto exact = files.find(path); exact != files.end()) return exact;
    for (auto it = files.begin(); it != files.end(); ++it)
        if (sameFile(it->first, path)) return it;
    return files.end();
}

platform::ReadResult FakeFiles::readStart(const std::string& path, std::size_t count) const {
    platform::ReadResult result;
    if (unreadable.count(path) != 0) {
        result.status = FileStatus::AccessDenied;
        return result;
    }
    const auto it = find(path);
    if (it == files.end()) {
        result.status = FileStatus::NotFound;
        return result;
    }
    result.status = FileStatus::Ok;
    const auto end = it->second.begin() + static_cast<std::ptrdiff_t>(std::min(count, it->second.size()));
    result.data = platform::ByteReader(std::vector<std::uint8_t>(it->second.begin(), end));
    return result;
}

platform::ReadResult FakeFiles::readWhole(const std::string& path, std::size_t maxBytes) const {
    platform::ReadResult result = readStart(path, maxBytes);
    if (result.ok() && content(path).size() > maxBytes) {
        result.status = FileStatus::TooLarge;
        result.data = platform::ByteReader();
    }
    return result;
}

FileStatus FakeFiles::writeWhole(const std::string& path, const std::uint8_t* data, std::size_t size) {
    if (unwritable.count(path) != 0) return FileStatus::AccessDenied;
    const auto it = find(path);
    const std::string name = it == files.end() ? path : it->first;
    files[name] = std::vector<std::uint8_t>(data, data + size);
    return FileStatus::Ok;
}

bool FakeFiles::exists(const std::string& path) const { return find(path) != files.end() || directories.count(path); }

bool FakeFiles::remove(const std::string& path) {
    const auto it = find(path);
    if (it == files.end()) return false;
    files.erase(it);
    return true;
}

bool FakeFiles::makeDirectory(const std::string& path) {
    if (unwritable.count(path) != 0) return false;
    directories.insert(path);
    return true;
}

std::vector<std::uint8_t> FakeFiles::content(const std::string& path) const {
    const auto it = find(path);
    return it == files.end() ? std::vector<std::uint8_t>() : it->second;
}

class FakeSerialPorts::Port : public platform::SerialPort {
public:
    Port(FakeSerialPorts& line, int handle) : line_(line), handle_(handle) {}
    ~Port() override {
        line_.open_ = false;
        line_.receiveQueue.clear();
    }
    Port(const Port&) = delete;
    Port& operator=(const Port&) = delete;

    int handle() const override { return handle_; }
    bool configure(const platform::SerialFormat& format) override {
        if (line_.refuseFormat) return false;
        line_.format = format;
        return true;
    }
    void clearErrors() override {}
    std::size_t queuedBytes() override { return line_.receiveQueue.size(); }
    void purgeReceive() override {
        ++line_.purges;
        line_.receiveQueue.clear();
    }
    std::size_t read(std::uint8_t* buffer, std::size_t size) override {
        line_.readSizes.push_back(size);
        std::size_t count = 0;
        for (; count < size && !line_.receiveQueue.empty(); ++count) {
            buffer[count] = line_.receiveQueue.front();
            line_.receiveQueue.pop_front();
        }
        return count;
    }
    std::size_t write(const std::uint8_t* data, std::size_t size) override {
        line_.written.insert(line_.written.end(), data, data + size);
        if (line_.device != nullptr) line_.device->received(data, size, line_.format);
        return size;
    }

private:
    FakeSerialPorts& line_;
    int handle_;
};

std::string FakeSerialPorts::deviceName(int comNumber) const { return "/dev/ttyS" + std::to_string(comNumber - 1); }

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
    if (open_) {
        result.status = platform::SerialOpenStatus::Busy;
        return result;
    }
    ++opens;
    open_ = true;
    openedCom = comNumber;
    result.status = platform::SerialOpenStatus::Ok;
    result.port = std::make_unique<Port>(*this, 100 + opens);
    return result;
}

void FakeSerialPorts::deliver(const std::vector<std::uint8_t>& bytes) {
    if (open_) receiveQueue.insert(receiveQueue.end(), bytes.begin(), bytes.end());
}

FakePlatform::FakePlatform() {
    platform::Services services;
    services.messages = &messages;
    services.statusBar = &statusBar;
    services.trace = &trace;
    services.progress = &progress;
    services.system = &system;
    services.clock = &clock;
    services.timers = &clock;
    services.files = &files;
    services.serial = &serial;
    platform::install(services);
}

FakePlatform::~FakePlatform() { platform::uninstall(); }

}  // namespace kestrion::test
