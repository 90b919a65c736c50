#include "wizards/calculators/DeviceUsageReport.h"

namespace kestrion {

namespace {

std::string device(char letter, int number) {
    return letter + std::to_string(number);
}

std::string range(char letter, int first, int last) {
    return device(letter, first) + " --- " + device(letter, last);
}

std::string pair(int low) {
    return "[D" + std::to_string(low + 1) + ",D" + std::to_string(low) + "]";
}

void addAutoLink(std::vector<std::string>& lines, int b, int w) {
    lines.insert(lines.end(), {
                                  range('M', b, b + 39) + " be occupied",
                                  device('M', b) + " Auto link control enable register",
                                  range('M', b + 1, b + 32) + " receive finish flag",
                                  device('M', b + 33) + " Broadcast Enable Flag",
                                  device('M', b + 34) + " Broadcast Busy Flag",
                                  device('M', b + 35) + " Broadcast Finish Flag",
                                  range('M', b + 36, b + 39) + " system reserved bit register",
                                  "",
                                  range('D', w, w + 99) + " be occupied",
                                  range('D', w, w + 31) + " Parameter of auto link control",
                                  device('D', w) + " Communication Format",
                                  device('D', w + 1) + " Communication Command",
                                  device('D', w + 3) + " Communication Timeout Timer",
                                  device('D', w + 18) + " Amount of total connected stations",
                                  device('D', w + 19) + " Current station no in connection",
                                  device('D', w + 20) + " The beginning address of received data",
                                  device('D', w + 22) + " The beginning address of send data",
                                  range('D', w + 32, w + 63) + " Read from slaver address",
                                  range('D', w + 64, w + 95) + " Write to slaver address",
                                  range('D', w + 96, w + 99) + " system reserved byte register",
                              });
}

void addAxis(std::vector<std::string>& lines, const std::string& axis, const std::string& control, int b,
             int w) {
    const std::string flag = " " + axis + control + "Control";
    lines.insert(lines.end(), {
                                  "*** " + axis + " " + control + " Control ***",
                                  range('M', b, b + 9) + " be occupied",
                                  device('M', b) + flag + "EnableFlag",
                                  device('M', b + 2) + flag + "BusyFlag",
                                  device('M', b + 7) + flag + "FinishFlag",
                                  "",
                                  range('D', w, w + 9) + " be occupied",
                                  pair(w) + " " + axis + " Position register",
                                  pair(w + 2) + " " + axis + " Speed register",
                              });
}

void addSpecialRegisterLines(std::vector<std::string>& lines) {
    lines.insert(lines.end(), {
                                  "*** Special Register ***",
                                  "[D8137,D8136]: Axis1 target relative position register",
                                  "[D8139,D8138]: Axis2 target relative position register",
                                  "[D8141,D8140]: Axis1 current absolute position register",
                                  "[D8143,D8142]: Axis2 currentt absolute position register",
                                  "[D8145,D8144]: Axis1 relative position movement register",
                                  "[D8147,D8146]: Axis2 relative position movement register",
                                  "[D8157,D8156]: Axis1 maximum speed register (pps)",
                                  "[D8159,D8158]: Axis2 maximum speed register (pps)",
                                  "[D8161,D8160]: Axis1 current speed register (pps)",
                                  "[D8163,D8162]: Axis2 current speed register (pps)",
                                  "[D8164]: Axis1 acceleration/deceleration time register",
                                  "[D8165]: Axis1 deceleration time register (when M8150 ON effective)",
                                  "[D8166]: Axis2 acceleration/deceleration time register",
                                  "[D8167]: Axis2 deceleration time register (when M8151 ON effective)",
                                  "[D8168]: Axis1 bias speed register (pps)",
                                  "[D8169]: Axis1 search servo Z phase times",
                                  "[D8170]: Axis2 bias speed register (pps)",
                                  "[D8171]: Axis2 search servo Z phase times",
                              });
}

}  // namespace

std::vector<std::string> deviceUsageLines(const DeviceUsageReport& report) {
    std::vector<std::string> lines = {""};
    const int mode = report.deviceUsageMode;
    if (mode == kUsageAutoLink) addAutoLink(lines, report.bitDeviceNo1, report.byteDeviceNo1);
    if (mode == kUsageAbsoluteControl || mode == kUsageIncrementControl) {
        const std::string control = mode == kUsageAbsoluteControl ? "Absolute" : "Increment";
        addAxis(lines, "Axis1", control, report.bitDeviceNo1, report.byteDeviceNo1);
        lines.push_back("");
        addAxis(lines, "Axis2", control, report.bitDeviceNo2, report.byteDeviceNo2);
        lines.push_back("");
        addSpecialRegisterLines(lines);
    }
    return lines;
}

}  // namespace kestrion
