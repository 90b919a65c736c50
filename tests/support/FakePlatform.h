// Fakes of the platform services: they record what the core shows and answer as a test scripts.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Services.h"

namespace kestrion::test {

struct ShownMessage {
    std::string text, caption;
    platform::MsgIcon icon;
    platform::MsgButtons buttons;
};

class FakeMessages : public platform::Messages {
public:
    platform::MsgAnswer show(const std::string& text, const std::string& caption, platform::MsgIcon icon,
                             platform::MsgButtons buttons) override;
    // Answers given in order; when none is left the default button of the box is chosen (Ok or Yes,
    // No for YesNoDefaultNo).
    void scriptAnswers(std::initializer_list<platform::MsgAnswer> answers) {
        answers_.insert(answers_.end(), answers.begin(), answers.end());
    }
    std::vector<ShownMessage> shown;

private:
    std::deque<platform::MsgAnswer> answers_;
};

class FakeStatusBar : public platform::StatusBar {
public:
    void setPanelText(int panel, const std::string& text) override {
        if (panel >= 0 && panel < panelCount) texts_[panel] = text;
        writes_.emplace_back(panel, text);
    }
    // Every text a panel was given, in order.
    std::vector<std::string> history(int panel) const {
        std::vector<std::string> texts;
        for (const auto& [written, text] : writes_)
            if (written == panel) texts.push_back(text);
        return texts;
    }
    // For a test that runs many commands and reads only the panels' last texts.
    void forgetHistory() { writes_.clear(); }
    std::string panelText(int panel) const override {
        return panel >= 0 && panel < panelCount ? texts_[panel] : "";
    }

private:
    std::string texts_[panelCount];
    std::vector<std::pair<int, std::string>> writes_;
};

class FakeTraceMemos : public platform::TraceMemos {
public:
    bool visible(platform::Memo memo) const override { return visible_[index(memo)]; }
    void setVisible(platform::Memo memo, bool visible) override { visible_[index(memo)] = visible; }
    void append(platform::Memo memo, const std::string& line) override {
        if (visible(memo)) lines_[index(memo)].push_back(line);
    }
    void clear(platform::Memo memo) override { lines_[index(memo)].clear(); }
    int lineCount(platform::Memo memo) const override { return static_cast<int>(lines_[index(memo)].size()); }
    const std::vector<std::string>& lines(platform::Memo memo) const { return lines_[index(memo)]; }

private:
    static int index(platform::Memo memo) { return static_cast<int>(memo); }
    bool visible_[platform::memoCount] = {};
    std::vector<std::string> lines_[platform::memoCount];
};

class FakeProgress : public platform::Progress {
public:
    void show(const std::string& text, int low, int high) override {
        caption = text, minimum = low, maximum = high, visible = true;
        captions.push_back(text);
    }
    void setPosition(int at) override {
        position = at;
        positions.push_back(at);
    }
    void hide() override { visible = false; }
    std::string caption;
    std::vector<std::string> captions;  // every caption shown, in order
    int minimum = -1, maximum = -1, position = -1;
    bool visible = false;
    std::vector<int> positions;
};

class FakeSystem : public platform::System {
public:
    void beep() override { ++beeps; }
    platform::ScreenSize screenSize() const override { return screen; }
    void setMainCaption(const std::string& text) override { caption = text; }
    void showBusy(bool shown) override {
        busy = shown;
        busyChanges.push_back(shown);
    }
    platform::LocalTime localTime() const override { return now; }
    platform::DiskSpace diskSpaceOf(const std::string& path) const override {
        askedDisk = path;
        return disk;
    }
    int beeps = 0;
    std::string caption;
    bool busy = false;
    std::vector<bool> busyChanges;
    platform::ScreenSize screen{1920, 1080};
    platform::LocalTime now{2024, 2, 29, 13, 5, 9, 4};  // a Thursday
    platform::DiskSpace disk;
    mutable std::string askedDisk;
};

// A virtual clock with the main window's timers. Time only moves when the core runs the message
// loop (one step each time) or a test advances it; due timers fire on the way, so waits are exact
// and take no real time.
class FakeClockAndTimers : public platform::Clock, public platform::Timers {
public:
    std::uint32_t tickCount() const override { return now_; }
    void runMessageLoopOnce() override { advance(step); }
    // Moves the clock forward one millisecond at a time, firing every timer that falls due.
    void advance(std::uint32_t milliseconds);
    // Code that runs when the clock reaches a time (a reply arriving, a key pressed).
    void at(std::uint32_t time, std::function<void()> action) { actions_.emplace(time, std::move(action)); }

    void setEnabled(platform::TimerId id, bool enabled) override;
    bool enabled(platform::TimerId id) const override { return timers_[index(id)].enabled; }
    void setInterval(platform::TimerId id, std::uint32_t milliseconds) override {
        timers_[index(id)].interval = milliseconds;
        timers_[index(id)].due = now_ + milliseconds;
    }
    std::uint32_t interval(platform::TimerId id) const override { return timers_[index(id)].interval; }
    void bind(platform::TimerId id, std::function<void()> handler) {
        timers_[index(id)].handler = std::move(handler);
    }

    std::uint32_t step = 1;

private:
    struct Timer {
        bool enabled = false;
        std::uint32_t interval = 1000, due = 0;
        std::function<void()> handler;
    };
    static int index(platform::TimerId id) { return static_cast<int>(id); }
    std::uint32_t now_ = 0;
    Timer timers_[platform::timerCount];
    std::multimap<std::uint32_t, std::function<void()>> actions_;
};

// An in-memory file system. Names are compared case-blind in their last component, as on disk.
class FakeFiles : public platform::Files {
public:
    platform::ReadResult readWhole(const std::string& path, std::size_t maxBytes) const override;
    platform::ReadResult readStart(const std::string& path, std::size_t count) const override;
    platform::FileStatus writeWhole(const std::string& path, const std::uint8_t* data,
                                    std::size_t size) override;
    using platform::Files::writeWhole;
    bool exists(const std::string& path) const override {
        return find(path) != files.end() || directories.count(path);
    }
    bool remove(const std::string& path) override;
    bool makeDirectory(const std::string& path) override {
        if (unwritable.count(path) != 0) return false;
        directories.insert(path);
        return true;
    }
    std::string installDirectory() const override { return installDir; }
    std::string dataDirectory() const override { return dataDir; }

    void put(const std::string& path, std::vector<std::uint8_t> bytes) { files[path] = std::move(bytes); }
    // The bytes stored under a name (case-blind); empty when there is none.
    std::vector<std::uint8_t> content(const std::string& path) const {
        const auto it = find(path);
        return it == files.end() ? std::vector<std::uint8_t>() : it->second;
    }

    std::string installDir = "/home/tester/Tovel/Kestrion";
    std::string dataDir = "/opt/kestrion/data";
    std::map<std::string, std::vector<std::uint8_t>> files;
    std::set<std::string> directories;
    std::set<std::string> unwritable;  // paths whose writes fail with AccessDenied
    std::set<std::string> unreadable;  // paths whose reads fail with AccessDenied

private:
    std::map<std::string, std::vector<std::uint8_t>>::const_iterator find(const std::string& path) const;
};

// The far side of the fake serial line: the program wrote these bytes with the line in this format.
class FakeSerialDevice {
public:
    virtual ~FakeSerialDevice() = default;
    virtual void received(const std::uint8_t* data, std::size_t size,
                          const platform::SerialFormat& format) = 0;
};

// An in-memory serial line: what the program writes goes to the device at the far end, what the
// device sends waits in the receive queue until the program reads it. One port is open at a time.
class FakeSerialPorts : public platform::SerialPorts {
public:
    std::string deviceName(int comNumber) const override {
        for (const platform::ComPortInfo& port : listed)
            if (port.comNumber == comNumber) return port.device;
        return "/dev/ttyS" + std::to_string(comNumber - 1);
    }
    // The listed ports, or each COMn on /dev/ttyS<n-1> with nothing there.
    std::vector<platform::ComPortInfo> comPorts() const override;
    platform::SerialOpenResult open(int comNumber) override;
    // Bytes arriving from the far end; lost while no port is open.
    void deliver(const std::vector<std::uint8_t>& bytes) {
        if (open_) receiveQueue.insert(receiveQueue.end(), bytes.begin(), bytes.end());
    }
    bool isOpen() const { return open_; }

    std::map<int, platform::SerialOpenStatus> openFailures;  // COM number -> why it will not open
    std::set<int> failingAttempts;  // the opens, counted from 1, that fail whatever the port
    int attempts = 0;
    std::string deniedGroup = "dialout";  // the owner of a device refused for access
    bool refuseFormat = false;
    bool unplugged = false;  // the open port's device has gone: writes fail, the port is lost
    std::vector<platform::ComPortInfo> listed;
    FakeSerialDevice* device = nullptr;
    std::vector<std::uint8_t> written;  // everything the program wrote, in order
    std::deque<std::uint8_t> receiveQueue;
    platform::SerialFormat format;  // the last format applied
    int openedCom = 0, opens = 0, purges = 0;
    std::vector<std::size_t> readSizes;  // how many bytes each read asked for

private:
    class Port;
    bool open_ = false;
};

// All fakes together, installed for the lifetime of the object.
struct FakePlatform {
    FakePlatform() {
        platform::install(
            {&messages, &statusBar, &trace, &progress, &system, &clock, &clock, &files, &serial});
    }
    ~FakePlatform() { platform::uninstall(); }
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    // Drops what the fakes recorded so far (the boxes, every text the panels were given, the progress
    // captions and positions, the busy cursor's changes) for a property that judges each program by
    // what it shows from then on: a long run keeps one program's records, not every program's. The
    // panels keep their texts and the progress window its state.
    void forgetRecords() {
        messages.shown.clear();
        statusBar.forgetHistory();
        progress.captions.clear();
        progress.positions.clear();
        system.busyChanges.clear();
    }

    FakeMessages messages;
    FakeStatusBar statusBar;
    FakeTraceMemos trace;
    FakeProgress progress;
    FakeSystem system;
    FakeClockAndTimers clock;
    FakeFiles files;
    FakeSerialPorts serial;
};

}  // namespace kestrion::test
