#include <fcntl.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>

#include "link/terminals/InterceptTerminal.h"
#include "link/terminals/TerminalFraming.h"
#include "support/PlcSimLine.h"
#include "support/ShownBoxes.h"

namespace kestrion::test {
namespace {

// A real Modbus server (pymodbus) at the far end of a pseudo-terminal.
class ModbusServerProcess {
public:
    explicit ModbusServerProcess(const char* framing) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execl("/usr/bin/python3", "python3", KESTRION_MODBUS_SERVER, framing,
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        for (char c = 0; read(out[0], &c, 1) == 1 && c != '\n';) device_ += c;
        close(out[0]);
    }
    ~ModbusServerProcess() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    ModbusServerProcess(const ModbusServerProcess&) = delete;
    ModbusServerProcess& operator=(const ModbusServerProcess&) = delete;
    const std::string& device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

class TerminalLineTest : public SerialLineTest {
protected:
    void attachToDevice(const std::string& device, int com) {
        const std::string variable = "KESTRION_COM" + std::to_string(com);
        setenv(variable.c_str(), device.c_str(), 1);
        installServices(clock, ports);
        clock.bind(platform::TimerId::Timer1, [] { Timer1Timer(); });
    }
    ~TerminalLineTest() override { unsetenv("KESTRION_COM2"); }
};

TEST_F(TerminalLineTest, TheOwnProtocolReadsD8001FromThePlc) {
    PlcSimProcess plc({"--type", "5"});
    connectTo(plc);
    sendAnyCommandHex("023030453032303203");
    EXPECT_EQ(anyCommandRxText, "245E<Etx>E3");  // 24100
}

TEST_F(TerminalLineTest, ModbusRtuAndModbusAsciiFramesAreAnsweredByAModbusServer) {
    const std::tuple<const char*, std::int32_t, void (*)(const std::string&), const char*, const char*>
        cases[] = {
            {"rtu", ModbusRtu, sendAnyCommandModbusRtu, "010300040002", "010304123456788107"},
            {"ascii", ModbusAsc, sendAnyCommandModbusAscii, "3A303130333030303430303032",
             ":01030412345678E4<CR><LF>"},
        };
    for (const auto& [framing, protocol, send, typed, reply] : cases) {
        ModbusServerProcess server(framing);
        if (server.device() == "no pymodbus") GTEST_SKIP() << "python3-pymodbus is not installed";
        ASSERT_FALSE(server.device().empty());
        attachToDevice(server.device(), 1);
        commProtocol = protocol;
        ASSERT_EQ(_OpenComPort(protocol), 1);
        send(typed);
        EXPECT_EQ(anyCommandRxText, reply) << framing;
        closeComPort();
    }
    EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(TerminalLineTest, TheDataInterceptGetsItsOwnPortInTheChosenFormatAndDropsAFloodUnread) {
    int master = -1;
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    attachToDevice(name, 2);
    {
        InterceptTerminal terminal;
        terminal.FormShow();
        terminal.comPortText = "COM2";
        terminal.comPortComboBoxChange();
        terminal.parityText = "Mark";  // a pseudo-terminal has no parity bit to hold
        terminal.parityComboBoxChange();
        terminal.OpenComPortClick();
        EXPECT_EQ(shownBoxes(fakes.messages),
                  Boxes{"Comuunication Port Setting Error !! | Set Error | none"});
        EXPECT_EQ(terminal.portHandle(), -1);
        terminal.parityText = "Odd";
        terminal.parityComboBoxChange();
        terminal.dataBitText = "db8Bits";
        terminal.dataBitComboBoxChange();
        terminal.stopBitText = "stopBit2";
        terminal.stopBitComboBoxChange();
        terminal.baudRateText = "38400";
        terminal.baudRateComboBoxChange();
        terminal.OpenComPortClick();
        termios settings{};
        ASSERT_EQ(tcgetattr(terminal.portHandle(), &settings), 0);
        EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B38400));
        EXPECT_EQ(settings.c_cflag & (CSIZE | CSTOPB), static_cast<tcflag_t>(CS8 | CSTOPB));

        terminal.mSend = "hello";
        terminal.btnSendClick();
        char heard[16] = {};
        ASSERT_EQ(read(master, heard, 5), 5);
        EXPECT_EQ(std::string(heard, 5), "hello");
        const std::string flood(1500, 'x');
        ASSERT_EQ(write(master, flood.data(), flood.size()), 1500);
        int queued = 0;
        for (int i = 0; i < 200 && queued < 1500; ++i, usleep(1000))
            ioctl(terminal.portHandle(), FIONREAD, &queued);
        terminal.Timer5Timer();
        ioctl(terminal.portHandle(), FIONREAD, &queued);
        EXPECT_EQ(queued, 0);
        EXPECT_EQ(terminal.memo1, "");
        terminal.CloseClick();
        EXPECT_EQ(terminal.portHandle(), -1);
    }
    close(slave);
    close(master);
}

}  // namespace
}  // namespace kestrion::test
