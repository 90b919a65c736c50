// The services the core needs from the outside world: message boxes, the status bar, trace memos,
// the progress window, time and the message loop, timers, files and serial ports. The core reaches
// them only through these accessors; the program installs the real implementations at start-up
// and the test fixture installs fakes. Dialogs belong to the subsystem that opens them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kestrion::platform {

// ---- Message boxes -------------------------------------------------------------------------------

enum class MsgIcon { None, Information, Warning, Error, Question };
// The first button is the default (the one Enter presses) but for YesNoDefaultNo: Yes and No with No
// the default, for the questions whose Yes cannot be taken back.
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel, YesNoDefaultNo };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class Messages {
public:
    virtual ~Messages() = default;
    // Shows a modal box and returns the button the user chose. Texts are UTF-8.
    virtual MsgAnswer show(const std::string& text, const std::string& caption, MsgIcon icon,
                           MsgButtons buttons) = 0;
};

// ---- Status bar, trace memos, progress window, system ----------------------------------------

class StatusBar {
public:
    static constexpr int panelCount = 14;
    virtual ~StatusBar() = default;
    // Panels outside 0..13 are ignored.
    virtual void setPanelText(int panel, const std::string& text) = 0;
    virtual std::string panelText(int panel) const = 0;
};

// The debug memos of the main window and VirtualArrayMemo, its view of the canvas grids. Lines
// are only added while a memo is visible.
enum class Memo {
    Debug1,
    Debug2,
    Debug3,
    Debug4,
    Debug5,
    Debug6,
    Debug7,
    Debug8,
    Debug9,
    Rx,
    Msg1,
    VirtualArray
};
constexpr int memoCount = 12;

class TraceMemos {
public:
    virtual ~TraceMemos() = default;
    virtual bool visible(Memo memo) const = 0;
    virtual void setVisible(Memo memo, bool visible) = 0;
    virtual void append(Memo memo, const std::string& line) = 0;
    virtual void clear(Memo memo) = 0;
    // Lines the memo holds now.
    virtual int lineCount(Memo memo) const = 0;
};

class Progress {
public:
    virtual ~Progress() = default;
    virtual void show(const std::string& caption, int minimum, int maximum) = 0;
    virtual void setPosition(int position) = 0;
    virtual void hide() = 0;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// A moment of the machine's clock in its local time zone.
struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;  // 0 Sunday .. 6 Saturday
};

// The file system that holds a folder: where it is mounted, its type, its size and what is free
// for a user (without the blocks kept for the system).
struct DiskSpace {
    bool known = false;
    std::string mountPoint;
    std::string fileSystem;
    std::uint64_t totalBytes = 0;
    std::uint64_t freeBytes = 0;
};

class System {
public:
    virtual ~System() = default;
    virtual void beep() = 0;
    virtual ScreenSize screenSize() const = 0;
    // The main window's caption (the title bar text).
    virtual void setMainCaption(const std::string& text) = 0;
    // A command that owns the user's input has begun (true) or ended (false): meanwhile the main
    // window shows that it is busy, so that keys and clicks it drops do not look lost.
    virtual void showBusy(bool busy) = 0;
    // The machine's clock (platform/SystemInfo.h unless a fake answers).
    virtual LocalTime localTime() const;
    // The file system of a folder, or of its nearest parent that exists.
    virtual DiskSpace diskSpaceOf(const std::string& path) const;
};

// ---- Time, the message loop and timers -----------------------------------------------------------

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start; wraps like a 32-bit tick counter.
    virtual std::uint32_t tickCount() const = 0;
    // Handles the events that are waiting (user input, timers) and returns.
    virtual void runMessageLoopOnce() = 0;
};

// The main window's timers. The core switches them and sets their periods; the main window owns
// the real timers and calls the core's handlers when they fire.
enum class TimerId { Timer0, Timer1, Timer2, Timer3 };
constexpr int timerCount = 4;

class Timers {
public:
    virtual ~Timers() = default;
    virtual void setEnabled(TimerId id, bool enabled) = 0;
    virtual bool enabled(TimerId id) const = 0;
    virtual void setInterval(TimerId id, std::uint32_t milliseconds) = 0;
    virtual std::uint32_t interval(TimerId id) const = 0;
};

// ---- Files ---------------------------------------------------------------------------------------

// The whole content of a file. Reading past the end gives 0xFF, as the program file readers expect,
// while length() tells the real size.
class ByteReader {
public:
    ByteReader() = default;
    explicit ByteReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}
    std::size_t length() const { return bytes_.size(); }
    std::uint8_t at(std::size_t offset) const { return offset < bytes_.size() ? bytes_[offset] : 0xFF; }
    // Copies count bytes from offset into out, 0xFF-filled past the end.
    void copyTo(std::size_t offset, std::uint8_t* out, std::size_t count) const;
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// NotRegular: a folder, a device, a pipe or a socket; TooLarge: more bytes than the reader takes.
enum class FileStatus { Ok, NotFound, AccessDenied, NotRegular, TooLarge, Failed };

struct ReadResult {
    FileStatus status = FileStatus::Failed;
    ByteReader data;
    bool ok() const { return status == FileStatus::Ok; }
};

// Paths are UTF-8 with '/' separators. Every operation finds a file whose name differs from the
// one asked for only in letter case (files made on case-blind systems keep their spelling).
class Files {
public:
    virtual ~Files() = default;
    // Reads a regular file of at most maxBytes bytes. Anything else (a folder, a device, a pipe, a
    // longer file) is refused without waiting and without taking more than maxBytes + 1 bytes of
    // memory; running out of memory is a failed read.
    [[nodiscard]] virtual ReadResult readWhole(const std::string& path, std::size_t maxBytes) const = 0;
    // The first count bytes of a regular file (all of a shorter one), under the same rules but for
    // the length: the rest of a longer file is not read.
    [[nodiscard]] virtual ReadResult readStart(const std::string& path, std::size_t count) const = 0;
    virtual FileStatus writeWhole(const std::string& path, const std::uint8_t* data, std::size_t size) = 0;
    FileStatus writeWhole(const std::string& path, const std::vector<std::uint8_t>& data) {
        return writeWhole(path, data.data(), data.size());
    }
    virtual bool exists(const std::string& path) const = 0;
    virtual bool remove(const std::string& path) = 0;
    // Puts the file from in the place of the file to (replacing it) and removes from. The default
    // copies through memory; a real file system renames, which never leaves to half written.
    virtual FileStatus rename(const std::string& from, const std::string& to);
    // Creates the folder and any missing parents; true when it exists afterwards.
    virtual bool makeDirectory(const std::string& path) = 0;
    // The folder that holds the settings file and the user's programs (no trailing '/').
    virtual std::string installDirectory() const = 0;
    // The folder of the read-only files shipped with the program.
    virtual std::string dataDirectory() const = 0;
};

// ---- Serial ports --------------------------------------------------------------------------------

// Mark and space: the parity bit always 1 or always 0.
enum class Parity { None, Even, Odd, Mark, Space };

// The line format given to a port: rate, data bits (7 or 8), parity, stop bits.
struct SerialFormat {
    std::uint32_t baudRate = 9600;
    int dataBits = 7;
    Parity parity = Parity::Even;
    int stopBits = 1;
};

enum class SerialOpenStatus { Ok, NotFound, AccessDenied, Busy, Failed };

// One open port. Reads never block: they return what is queued, up to size bytes.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    // A number that identifies the open port (never -1).
    virtual int handle() const = 0;
    // Applies the format; false when the device refuses it.
    virtual bool configure(const SerialFormat& format) = 0;
    virtual void clearErrors() = 0;
    virtual std::size_t queuedBytes() = 0;
    virtual void purgeReceive() = 0;
    virtual std::size_t read(std::uint8_t* buffer, std::size_t size) = 0;
    virtual std::size_t write(const std::uint8_t* data, std::size_t size) = 0;
    // True once the device has gone (a USB adapter unplugged): nothing will pass this port again,
    // and the device has to be opened anew when it is back.
    virtual bool lost() const { return false; }
};

struct SerialOpenResult {
    SerialOpenStatus status = SerialOpenStatus::Failed;
    std::unique_ptr<SerialPort> port;  // set when status is Ok; closing is destroying it
    std::string deviceGroup;           // AccessDenied: the group that owns the device, when known
};

constexpr int kComPortCount = 19;

// What one COM number stands for on this machine.
struct ComPortInfo {
    int comNumber = 0;
    std::string device;               // the path COMn opens
    std::string byIdName;             // a USB adapter's name in /dev/serial/by-id (maker, model, serial)
    std::string environmentVariable;  // "KESTRION_COM2" when that variable named the device
    bool present = false;             // a device is there (an adapter, a real UART, a named node)
};

class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    // The device that COMn (1..19) stands for.
    virtual std::string deviceName(int comNumber) const = 0;
    // COM1..COM19 as they stand now (devices come and go while the program runs); by default each
    // on its deviceName with nothing known to be there.
    virtual std::vector<ComPortInfo> comPorts() const;
    // Opens COMn for reading and writing, exclusively, without waiting for the line.
    virtual SerialOpenResult open(int comNumber) = 0;
};

// ---- The installed services --------------------------------------------------------------------

struct Services {
    Messages* messages = nullptr;
    StatusBar* statusBar = nullptr;
    TraceMemos* trace = nullptr;
    Progress* progress = nullptr;
    System* system = nullptr;
    Clock* clock = nullptr;
    Timers* timers = nullptr;
    Files* files = nullptr;
    SerialPorts* serial = nullptr;
};

// Installs the services; every pointer must be set. The caller keeps them alive.
void install(const Services& services);
// Removes them again (tests, shutdown).
void uninstall();
bool installed();
// The services installed now, to put back after a stand-in for some of them.
Services installedServices();

Messages& messages();
StatusBar& statusBar();
TraceMemos& trace();
Progress& progress();
System& system();
Clock& clock();
Timers& timers();
Files& files();
SerialPorts& serial();

}  // namespace kestrion::platform
