#include "wizards/gateway/BfmLists.h"

#include <cstdio>

namespace kestrion {

namespace {

constexpr int kRs485Entries = 100;
constexpr int kRs485Rows = 99;  // entry 99 is never shown
constexpr int kGatewayEntries = 128;
constexpr const char* kReserved = "*Reserved ";

// The entries 0 .. 31 of the RS-485 link module; the slave addresses follow.
constexpr const char* kRs485English[] = {
    "*Communication format",
    "*Command",
    "*Reserved",
    "*Receive time-out time",
    "*Send header, lower 2 bytes",
    "*Send header, upper 2 bytes",
    "*Send terminator, lower 2 bytes",
    "*Send terminator, upper 2 bytes",
    "*Receive header, lower 2 bytes",
    "*Receive header, upper 2 bytes",
    "*Receive terminator, lower 2 bytes",
    "*Receive terminator, upper 2 bytes",
    "*Receive suspension waiting time ",
    "*Number of remaining send data ",
    "*Number of receive buffers ",
    "*Send sum result ",
    "*Receive sum result ",
    "*Station no. of this module ",
    "*Amount of total connected stations ",
    "*Station no. in connection (Hex) ",
    "*The beginning address of storing received data of 1st station ",
    "*Assign space of memory in every station (receive) ",
    "*The beginning address of sent data of 1st station",
    "*Assign space of memory in every station (send) ",
    "*Amount of received (read) word in every station ",
    "*Amount of sent (written) word in every station ",
    kReserved,
    kReserved,
    "*Status ",
    "*Error code ",
    "*Model code ",
    kReserved,
};

constexpr const char* kRs485TraditionalChinese[] = {
    "*通訊格式",
    "*指令",
    "*Reserved",
    "*接收逾時時間",
    "*傳送標頭, 低位 2 位元組",
    "*傳送標頭, 高位 2 位元組",
    "*傳送結束碼, 低位 2 位元組",
    "*傳送結束碼, 高位 2 位元組",
    "*接收標頭, 低位 2 位元組",
    "*接收標頭, 高位 2 位元組",
    "*接收結束碼, 低位 2 位元組",
    "*接收結束碼, 高位 2 位元組",
    "*接收暫停等待時間 ",
    "*剩餘傳送資料數 ",
    "*接收緩衝區數 ",
    "*傳送總和檢查結果 ",
    "*接收總和檢查結果 ",
    "*本模組站號 ",
    "*連接站總數 ",
    "*連線中站號 (Hex) ",
    "*第1站接收資料存放起始位址 ",
    "*每站分配記憶體空間 (接收) ",
    "*第1站傳送資料起始位址",
    "*每站分配記憶體空間 (傳送) ",
    "*每站接收 (讀取) 字數 ",
    "*每站傳送 (寫入) 字數 ",
    kReserved,
    kReserved,
    "*狀態 ",
    "*錯誤碼 ",
    "*機種碼 ",
    kReserved,
};

static_assert(std::size(kRs485English) == 32 && std::size(kRs485TraditionalChinese) == 32);

std::string twoDigits(int value, const char* format = "%02d") {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Bytes of remote bits (RY or RX), eight bits a byte, four bytes a station.
void addRemoteBits(std::vector<std::string>& entries, const std::string& direction, const char* bits) {
    for (int byte = 0; byte < 16; ++byte) {
        std::string text = "*" + direction + " " + bits + twoDigits(8 * byte, "%02X") + "~" + bits +
                           twoDigits(8 * byte + 7, "%02X") + " ";
        if (byte % 4 == 0) text += "station" + std::to_string(byte / 4 + 1);
        entries.push_back(text);
    }
}

// The low and high bytes of the 16 remote registers (RWw or RWr), four registers a station.
void addRemoteRegisters(std::vector<std::string>& entries, const std::string& direction, const char* name) {
    for (int reg = 0; reg < 16; ++reg)
        for (const char* half : {"L", "H"}) {
            std::string text = "*" + direction + " " + name + twoDigits(reg) + half + " ";
            if (reg % 4 == 0 && *half == 'L') text += "station" + std::to_string(reg / 4 + 1);
            entries.push_back(text);
        }
}

ParameterRow closingRow() {
    return {"...", {"#"}};
}

}  // namespace

std::vector<std::string> rs485BfmDescriptions(bool traditionalChinese) {
    std::vector<std::string> entries;
    entries.reserve(kRs485Entries);
    for (const char* text : traditionalChinese ? kRs485TraditionalChinese : kRs485English)
        entries.push_back(text);
    const std::string read = traditionalChinese ? "*讀取從站" : "*Read slave";
    const std::string write = traditionalChinese ? "*寫入從站" : "*Write slave";
    const std::string address = traditionalChinese ? "位址 " : " address ";
    for (int slave = 1; slave <= 32; ++slave) entries.push_back(read + twoDigits(slave) + address);
    for (int slave = 1; slave <= 32; ++slave) entries.push_back(write + twoDigits(slave) + address);
    while (entries.size() < kRs485Entries) entries.push_back(kReserved);
    return entries;
}

std::vector<std::string> gatewayBfmDescriptions() {
    std::vector<std::string> entries = {"*Send data write enable information",
                                        "*Receive data update information",
                                        "*Station number switch information",
                                        "*Baudrate switch / number of occupied stations information",
                                        "*Error information 1",
                                        "*Error information 2",
                                        "*Error information 3",
                                        "*...Reserved... ",
                                        "*M->R ST1 ",
                                        "*M->R ST2 "};
    addRemoteBits(entries, "M->R", "RY");
    addRemoteRegisters(entries, "M->R", "RWw");
    entries.insert(entries.end(), 6, "*...Reserved...");
    entries.insert(entries.end(),
                   {"*Send data write complieted", "*Receive data read request ", "*Vender code (lower bit) ",
                    "*Vender code (Upper bit) ", "*Model code (Upper bit) ", "*Version code (Upper bit) ",
                    "*SDLED illumination time setting ", "*Remote reset enable/timeout timer setting ",
                    "*R->M ST1 ", "*R->M ST2 "});
    addRemoteBits(entries, "R->M", "RX");
    addRemoteRegisters(entries, "R->M", "RWr");
    entries.push_back("*Setting HOLD/CLR information");
    entries.insert(entries.end(), kGatewayEntries - entries.size(), "*...Reserved... ");
    return entries;
}

std::vector<ParameterRow> rs485BfmRows(const std::vector<std::string>& descriptions) {
    std::vector<ParameterRow> rows;
    for (int i = 0; i < kRs485Rows && i < static_cast<int>(descriptions.size()); ++i)
        rows.push_back(
            {"D" + std::to_string(i),
             {"BFM#" + std::to_string(i), " ", " ", " ", descriptions[static_cast<std::size_t>(i)]}});
    rows.push_back(closingRow());
    return rows;
}

std::vector<ParameterRow> gatewayBfmRows(const std::vector<std::string>& descriptions) {
    std::vector<ParameterRow> rows;
    for (int i = 0; i < kGatewayEntries && i < static_cast<int>(descriptions.size()); ++i)
        rows.push_back({"D" + std::to_string(i / 2) + (i % 2 == 0 ? "L" : "H"),
                        {"BFM#" + twoDigits(i, "%02X") + "h", " ", " ", " ",
                         descriptions[static_cast<std::size_t>(i)]}});
    rows.push_back(closingRow());
    return rows;
}

}  // namespace kestrion
