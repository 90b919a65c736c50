#include "diagnostics/ErrorHistoryTexts.h"

#include <algorithm>

namespace kestrion {

namespace {

constexpr const char* kNoErrorText = " ...No Error...";

// Each row gives the code, then its English, Traditional-Chinese and Simplified-Chinese texts.
// clang-format off
constexpr std::array<ErrHistoryRow, kErrHistoryRowCount> kRows = std::to_array<ErrHistoryRow>({
    {6001, kNoDescriptionText},
    {6002, kNoDescriptionText},
    {6003, kNoDescriptionText},
    {6004, kNoDescriptionText},
    {6005, kNoDescriptionText},
    {6006, kNoDescriptionText},
    {6007, kNoDescriptionText},
    {6008, kNoDescriptionText},
    {6009, kNoDescriptionText},

    {6101, {" ...System hardware RAM Error ...",
            " ...系統硬體 RAM 錯誤 ...",
            " ...系统硬件 RAM 错误 ..."}},
    {6102, {" ...System hardware FlashRom Error ...",
            " ...系統硬體 FlashRom 錯誤 ...",
            " ...系统硬件 FlashRom 错误 ..."}},
    {6103, {" ...System Program Code Error ...",
            " ...系統程式碼錯誤 ...",
            " ...系统程序代码错误 ..."}},
    {6104, {" ...System hardware EEprom Error ...",
            " ...系統硬體 EEprom 錯誤 ...",
            " ...系统硬件 EEprom 错误 ..."}},
    {6105, {" ...LED Display abnormal ...",
            " ...LED 顯示器異常 ...",
            " ...LED 显示器异常 ..."}},
    {6106, {" ...AC power quality not good ...",
            " ...AC 電源品質不良 ...",
            " ...AC 电源质量不良 ..."}},
    {6107, {" ...power abnormal ...",
            " ...電源異常 ...",
            " ...电源异常 ..."}},
    {6108, {" ...Monitor Device Too Much ...",
            " ...監控元件過多 ...",
            " ...监控元件过多 ..."}},
    {6109, {" ...User Program Too Long ...",
            " ...使用者程式過長 ...",
            " ...用户程序过长 ..."}},
    {6110, {" ...Last power failure The data can't be a full backup ...",
            " ...上次停電時資料無法完整備份 ...",
            " ...上次断电时数据无法完整备份 ..."}},
    {6111, {" ...Pulse output abnormal ...",
            " ...脈衝輸出異常 ...",
            " ...脉冲输出异常 ..."}},
    {6112, {" ...G02,G03 data setting error",
            " ...G02,G03 資料設定錯誤",
            " ...G02,G03 数据设置错误"}},
    {6113, {" ...Fpga Version Code Error ...",
            " ...FPGA 版本碼錯誤 ...",
            " ...FPGA 版本代码错误 ..."}},
    {6114, {" ...FNC(56)SPD and HighSpeedCounter duplicate used ...",
            " ...FNC(56)SPD 與高速計數器重複使用 ...",
            " ...FNC(56)SPD 与高速计数器重复使用 ..."}},
    {6115, {" ...FNC(56)SPD speed detect abnormal ...",
            " ...FNC(56)SPD 速度檢測異常 ...",
            " ...FNC(56)SPD 速度检测异常 ..."}},
    // The blanks between the two sentences are part of the text.
    {6116, {" ...FNC(59)PLSR command code duplicate,                           "
            "May be the previous motion command not finish then change to another command",
            " ...FNC(59)PLSR 指令代碼重複,                           "
            "可能是前一個運動指令尚未完成就切換到另一個指令",
            " ...FNC(59)PLSR 指令代码重复,                           "
            "可能是前一个运动指令尚未完成就切换到另一个指令"}},
    {6117, {" ...Pulse out function duplicate used                           "
            "May be the plsv and drva and drvi used at the same time",
            " ...脈衝輸出功能重複使用                           "
            "可能是 plsv、drva 與 drvi 同時使用",
            " ...脉冲输出功能重复使用                           "
            "可能是 plsv、drva 与 drvi 同时使用"}},
    {6118, {" ...FNC(59)DPLSR G0n new speed > maximum speed ...",
            " ...FNC(59)DPLSR G0n 新速度 > 最高速度 ...",
            " ...FNC(59)DPLSR G0n 新速度 > 最高速度 ..."}},
    {6119, {" ...User interrupt program executing time too long ...",
            " ...使用者中斷程式執行時間過長 ...",
            " ...用户中断程序执行时间过长 ..."}},
    {6120, {" ...Pulse out function read FPGA position error ...",
            " ...脈衝輸出功能讀取 FPGA 位置錯誤 ...",
            " ...脉冲输出功能读取 FPGA 位置错误 ..."}},
    {6121, {" ...Pulse out function read FPGA HSC error ...",
            " ...脈衝輸出功能讀取 FPGA 高速計數器錯誤 ...",
            " ...脉冲输出功能读取 FPGA 高速计数器错误 ..."}},
    {6122, {" ...Interrupt program executed time error ...",
            " ...中斷程式執行時間錯誤 ...",
            " ...中断程序执行时间错误 ..."}},
    {6123, {" ...G08 position error ...",
            " ...G08 位置錯誤，餘數過大 ...",
            " ...G08 位置错误，余数过大 ..."}},
    {6124, {" ...G08 position error ...",
            " ...G08 位置錯誤，餘數為負 ...",
            " ...G08 位置错误，余数为负 ..."}},
    {6125, englishEverywhere(" ...G08 position error ...")},

    {6201, kNoDescriptionText},
    {6202, {" ...(1)The sum check result of communication potr2 is error ...",
            " ...(1)通訊埠2的總和檢查結果錯誤 ...",
            " ...(1)通信端口2的和校验结果错误 ..."}},
    {6203, {" ...(2)The sum check result of communication potr2 is error ...",
            " ...(2)通訊埠2的總和檢查結果錯誤 ...",
            " ...(2)通信端口2的和校验结果错误 ..."}},
    {6204, {" ...Sends the characters of communication potr2 is too much ...",
            " ...通訊埠2送出的字元過多 ...",
            " ...通信端口2发送的字符过多 ..."}},
    {6205, kNoDescriptionText},
    {6206, kNoDescriptionText},
    {6207, kNoDescriptionText},
    {6208, kNoDescriptionText},
    {6209, kNoDescriptionText},

    {6301, kNoDescriptionText},
    // The English text does not tell the two checks apart; the Chinese texts do.
    {6302, {" ...The sum check result of communication potr1 is error ...",
            " ...通訊埠1的總和檢查(1)結果錯誤 ...",
            " ...通信端口1的和校验(1)结果错误 ..."}},
    {6303, {" ...The sum check result of communication potr1 is error ...",
            " ...通訊埠1的總和檢查(2)結果錯誤 ...",
            " ...通信端口1的和校验(2)结果错误 ..."}},
    {6304, {" ...Sends the characters of communication potr1 is too much ...",
            " ...通訊埠1送出的字元過多 ...",
            " ...通信端口1发送的字符过多 ..."}},
    {6305, kNoDescriptionText},
    {6306, kNoDescriptionText},
    {6307, kNoDescriptionText},
    {6308, kNoDescriptionText},
    {6309, kNoDescriptionText},

    {6401, kNoDescriptionText},
    {6402, kNoDescriptionText},
    {6403, kNoDescriptionText},
    {6404, kNoDescriptionText},
    {6405, kNoDescriptionText},
    {6406, kNoDescriptionText},
    {6407, kNoDescriptionText},
    {6408, kNoDescriptionText},
    {6409, kNoDescriptionText},

    {6501, kNoDescriptionText},
    {6502, kNoDescriptionText},
    {6503, kNoDescriptionText},
    {6504, kNoDescriptionText},
    {6505, kNoDescriptionText},
    {6506, kNoDescriptionText},
    {6507, kNoDescriptionText},
    {6508, {" ...This is 32bits instruction, system stop to operate ...",
            " ...此為32位元指令，系統停止運轉 ...",
            " ...此为32位指令，系统停止运行 ..."}},
    {6509, {" ...This apply instruction is not support, system stop to operate ...",
            " ...不支援此應用指令，系統停止運轉 ...",
            " ...不支持此应用指令，系统停止运行 ..."}},

    {6601, {" ...LD & LDI continue used > 8 ...",
            " ...LD 與 LDI 連續使用 > 8 ...",
            " ...LD 与 LDI 连续使用 > 8 ..."}},
    {6602, {" ...LD, LDI & ANL, ORL ...error ...",
            " ...LD、LDI 與 ANL、ORL ...錯誤 ...",
            " ...LD、LDI 与 ANL、ORL ...错误 ..."}},
    {6603, {" ...MPS continue used > 11 ...",
            " ...MPS 連續使用 > 11 ...",
            " ...MPS 连续使用 > 11 ..."}},
    {6604, {" ...MPP and MPS Error ...",
            " ...MPP 與 MPS 錯誤 ...",
            " ...MPP 与 MPS 错误 ..."}},
    {6605, {" ...STL and RET Error ...",
            " ...STL 與 RET 錯誤 ...",
            " ...STL 与 RET 错误 ..."}},
    {6606, {" ...No SRET or IRET Error ...",
            " ...缺少 SRET 或 IRET 錯誤 ...",
            " ...缺少 SRET 或 IRET 错误 ..."}},
    {6607, {" ...FOR and NEXT Error ...",
            " ...FOR 與 NEXT 錯誤 ...",
            " ...FOR 与 NEXT 错误 ..."}},
    {6608, {" ...MC and MCR Error ...",
            " ...MC 與 MCR 錯誤 ...",
            " ...MC 与 MCR 错误 ..."}},
    {6609, {" ...No End Instruction ...",
            " ...沒有 END 指令 ...",
            " ...没有 END 指令 ..."}},

    {6701, kNoDescriptionText},
    {6702, kNoDescriptionText},
    {6703, kNoDescriptionText},
    {6704, kNoDescriptionText},
    {6705, {" ...The apply instruction error, program continue to executed ...",
            " ...應用指令錯誤，程式繼續執行 ...",
            " ...应用指令错误，程序继续执行 ..."}},
    {6706, {" ...The apply instruction error, program stop to executed ...",
            " ...應用指令錯誤，程式停止執行 ...",
            " ...应用指令错误，程序停止执行 ..."}},
    {6707, kNoDescriptionText},
    {6708, kNoDescriptionText},
    {6709, kNoDescriptionText},

    {6801, kNoDescriptionText},
    {6802, kNoDescriptionText},
    {6803, kNoDescriptionText},
    {6804, kNoDescriptionText},
    {6805, kNoDescriptionText},
    {6806, kNoDescriptionText},
    {6807, kNoDescriptionText},
    {6808, kNoDescriptionText},
    {6809, kNoDescriptionText},

    {6901, kEmptyText},
    {6902, kEmptyText},
    {6903, kEmptyText},
    {6904, kEmptyText},
    {6905, kEmptyText},
    {6906, kEmptyText},
    {6907, kEmptyText},
    {6908, kEmptyText},
    {6909, kEmptyText},
});
// clang-format on

bool isUtf8Continuation(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

const std::array<ErrHistoryRow, kErrHistoryRowCount> errHistoryCodes = kRows;

void storeErrorCodeText(ErrorCodeText& errorCodeText, std::string_view text) {
    std::size_t length = std::min(text.size(), errorCodeText.size() - 1);
    // A character cut in two would show as garbage; drop it whole.
    if (length < text.size()) {
        while (length > 0 && isUtf8Continuation(text[length])) --length;
    }
    std::copy_n(text.data(), length, errorCodeText.data());
    errorCodeText[length] = '\0';
}

void getErrorCodeText(ErrorCodeText& errorCodeText, std::int16_t code) {
    const auto row =
        std::find_if(kRows.begin(), kRows.end(), [code](const ErrHistoryRow& r) { return r.code == code; });
    storeErrorCodeText(errorCodeText,
                       row == kRows.end() ? kNoErrorText : textIn(row->text, currentTextVariant()));
}

}  // namespace kestrion
