#include "diagnostics/ErrorRegisterTexts.h"

#include <cstring>

#include "model/instructions/Conversions.h"

namespace kestrion {

namespace {

using enum FollowUp;

// Each row gives the code, then its English, Traditional-Chinese and Simplified-Chinese texts.
// clang-format off
constexpr std::array<ErrRegisterRow, kErrRegisterRowCount> kRows = std::to_array<ErrRegisterRow>({
    // D8060: no code has an explanation of its own.
    {8060, 6001, kNoDescriptionText, None},
    {8060, 6002, kNoDescriptionText, None},
    {8060, 6003, kNoDescriptionText, None},
    {8060, 6004, kNoDescriptionText, None},
    {8060, 6005, kNoDescriptionText, None},
    {8060, 6006, kNoDescriptionText, None},
    {8060, 6007, kNoDescriptionText, None},
    {8060, 6008, kNoDescriptionText, None},
    {8060, 6009, kNoDescriptionText, None},

    // D8061: the controller itself, pulse outputs and positioning.
    {8061, 6101, {" ...System hardware RAM Error ...",
                  " ...系統硬體 RAM 錯誤 ...",
                  " ...系统硬件 RAM 错误 ..."}, None},
    {8061, 6102, {" ...System hardware FlashRom Error ...",
                  " ...系統硬體 FlashRom 錯誤 ...",
                  " ...系统硬件 FlashRom 错误 ..."}, None},
    {8061, 6103, {" ...System Program Code Error ...",
                  " ...系統程式碼錯誤 ...",
                  " ...系统程序代码错误 ..."}, StepLine},
    {8061, 6104, {" ...System hardware EEprom Error ...",
                  " ...系統硬體 EEprom 錯誤 ...",
                  " ...系统硬件 EEprom 错误 ..."}, None},
    {8061, 6105, englishInSimplified(" ...User interrupt routine abnormal ...",
                                     " ...使用者中斷副程式異常 ..."), StepNoFromD8068},
    {8061, 6106, {" ...AC power quality not good ...",
                  " ...AC 電源品質不良 ...",
                  " ...AC 电源质量不良 ..."}, None},
    {8061, 6107, {" ...power abnormal ...",
                  " ...電源異常 ...",
                  " ...电源异常 ..."}, None},
    {8061, 6108, {" ...Monitor Device Too Much ...",
                  " ...監控元件過多 ...",
                  " ...监控元件过多 ..."}, None},
    {8061, 6109, {" ...User Program Too Long ...",
                  " ...使用者程式過長 ...",
                  " ...用户程序过长 ..."}, None},
    {8061, 6110, {" ...Last power failure The data can't be a full backup ...",
                  " ...上次停電時資料無法完整備份 ...",
                  " ...上次断电时数据无法完整备份 ..."}, IgnoreLine},
    {8061, 6111, {" ...Pulse output abnormal ...",
                  " ...脈衝輸出異常 ...",
                  " ...脉冲输出异常 ..."}, StepLine},
    {8061, 6112, {" ...G02,G03 data setting error",
                  " ...G02,G03 資料設定錯誤",
                  " ...G02,G03 数据设置错误"}, StepLine},
    {8061, 6113, {" ...Fpga Version Code Error ...",
                  " ...FPGA 版本碼錯誤 ...",
                  " ...FPGA 版本代码错误 ..."}, IgnoreLine},
    {8061, 6114, {" ...FNC(56)SPD and HighSpeedCounter duplicate used ...",
                  " ...FNC(56)SPD 與高速計數器重複使用 ...",
                  " ...FNC(56)SPD 与高速计数器重复使用 ..."}, StepLine},
    {8061, 6115, {" ...FNC(56)SPD speed detect abnormal ...",
                  " ...FNC(56)SPD 速度檢測異常 ...",
                  " ...FNC(56)SPD 速度检测异常 ..."}, StepLine},
    // The blanks between the two sentences are part of the text.
    {8061, 6116, {" ...FNC(59)PLSR command code duplicate,                           "
                  "May be the previous motion command not finish then change to another command",
                  " ...FNC(59)PLSR 指令代碼重複,                           "
                  "可能是前一個運動指令尚未完成就切換到另一個指令",
                  " ...FNC(59)PLSR 指令代码重复,                           "
                  "可能是前一个运动指令尚未完成就切换到另一个指令"}, MotionLineThenStep},
    {8061, 6117, {" ...Pulse out function duplicate used                           "
                  "May be the plsv and drva and drvi used at the same time",
                  " ...脈衝輸出功能重複使用                           "
                  "可能是 plsv、drva 與 drvi 同時使用",
                  " ...脉冲输出功能重复使用                           "
                  "可能是 plsv、drva 与 drvi 同时使用"}, StepLine},
    {8061, 6118, {" ...FNC(59)DPLSR G0n new speed > maximum speed ...",
                  " ...FNC(59)DPLSR G0n 新速度 > 最高速度 ...",
                  " ...FNC(59)DPLSR G0n 新速度 > 最高速度 ..."}, StepLine},
    {8061, 6119, {" ...User interrupt program executing time too long ...",
                  " ...使用者中斷程式執行時間過長 ...",
                  " ...用户中断程序执行时间过长 ..."}, IgnoreLine},
    {8061, 6120, {" ...Pulse out function read FPGA position error ...",
                  " ...脈衝輸出功能讀取 FPGA 位置錯誤 ...",
                  " ...脉冲输出功能读取 FPGA 位置错误 ..."}, IgnoreLine},
    {8061, 6121, {" ...Pulse out function read FPGA HSC error ...",
                  " ...脈衝輸出功能讀取 FPGA 高速計數器錯誤 ...",
                  " ...脉冲输出功能读取 FPGA 高速计数器错误 ..."}, IgnoreLine},
    {8061, 6122, {" ...Interrupt program executed time error ...",
                  " ...中斷程式執行時間錯誤 ...",
                  " ...中断程序执行时间错误 ..."}, IgnoreLine},
    {8061, 6123, {" ...G08 position error ...",
                  " ...G08 位置錯誤，餘數過大 ...",
                  " ...G08 位置错误，余数过大 ..."}, IgnoreLine},
    {8061, 6124, {" ...G08 position error ...",
                  " ...G08 位置錯誤，餘數為負 ...",
                  " ...G08 位置错误，余数为负 ..."}, IgnoreLine},
    {8061, 6125, englishEverywhere(" ...G08 position error ..."), IgnoreLine},
    {8061, 6128, englishInSimplified(" ...Motor direction pin configuration error ...",
                                     " ...馬達方向腳位設定錯誤 ..."), StepLine},
    {8061, 6131, {" ...start point(x1,y1) and end point (x2,y2) not on the coordinate ...",
                  " ...起點(x1,y1)與終點(x2,y2)不在座標上 ...",
                  " ...起点(x1,y1)与终点(x2,y2)不在坐标上 ..."}, StepLine},
    {8061, 6132, {" ...start point(x1,y1) and end point (x2,y2) not on the same circle ...",
                  " ...起點(x1,y1)與終點(x2,y2)不在同一圓上 ...",
                  " ...起点(x1,y1)与终点(x2,y2)不在同一圆上 ..."}, StepLine},
    {8061, 6133, {" ...Three points on the same line ...",
                  " ...三點在同一直線上 ...",
                  " ...三点在同一直线上 ..."}, StepLine},
    {8061, 6134, {" ...Three points can't on the same point ...",
                  " ...三點不可為同一點 ...",
                  " ...三点不可为同一点 ..."}, StepLine},
    {8061, 6138, {" ...Two points can not on the same point ...",
                  " ...兩點不可為同一點 ...",
                  " ...两点不可为同一点 ..."}, StepLine},
    {8061, 6139, {" ...[start point(X1,Y1)-end point(X2,Y2)]/2 > radius ...",
                  " ...[起點(X1,Y1)-終點(X2,Y2)]/2 > 半徑 ...",
                  " ...[起点(X1,Y1)-终点(X2,Y2)]/2 > 半径 ..."}, StepLine},
    {8061, 6190, englishEverywhere(" ...RTC Error ..."), None},
    {8061, 6193, englishInSimplified(" ...PCB mBUS MPU&FPGA Error ...",
                                     " ...電路板 mBUS MPU&FPGA 錯誤 ..."), None},
    {8061, 6194, englishInSimplified(" ...PCB iBUS MPU&FPGA Error ...",
                                     " ...電路板 iBUS MPU&FPGA 錯誤 ..."), None},
    {8061, 6196, englishInSimplified(" ...Device Latch Range Too Large ...",
                                     " ...元件停電保持範圍過大 ..."), None},
    {8061, 6198, englishEverywhere(" ...Internal Memory is I2C E2prom ..."), None},

    // D8062: communication port 2.
    {8062, 6201, kNoDescriptionText, None},
    {8062, 6202, {" ...(1)The sum check result of communication potr2 is error ...",
                  " ...(1)通訊埠2的總和檢查結果錯誤 ...",
                  " ...(1)通信端口2的和校验结果错误 ..."}, IgnoreLine},
    {8062, 6203, {" ...(2)The sum check result of communication potr2 is error ...",
                  " ...(2)通訊埠2的總和檢查結果錯誤 ...",
                  " ...(2)通信端口2的和校验结果错误 ..."}, IgnoreLine},
    {8062, 6204, {" ...Sends the characters of communication potr2 is too much ...",
                  " ...通訊埠2送出的字元過多 ...",
                  " ...通信端口2发送的字符过多 ..."}, IgnoreLine},
    {8062, 6205, kNoDescriptionText, None},
    {8062, 6206, kNoDescriptionText, None},
    {8062, 6207, kNoDescriptionText, None},
    {8062, 6208, englishEverywhere(" ...(Fnc79)FromInstruction error..."), None},
    {8062, 6209, englishEverywhere(" ...(Fnc79)ToInstruction error..."), None},
    {8062, 6298, kNoDescriptionText, ShortStepLine},
    {8062, 6299, kNoDescriptionText, StepLine},

    // D8063: communication port 1.
    {8063, 6301, kNoDescriptionText, None},
    {8063, 6302, {" ...(1)The sum check result of communication potr1 is error ...",
                  " ...(1)通訊埠1的總和檢查結果錯誤 ...",
                  " ...(1)通信端口1的和校验结果错误 ..."}, IgnoreLine},
    {8063, 6303, {" ...(2)The sum check result of communication potr1 is error ...",
                  " ...(2)通訊埠1的總和檢查結果錯誤 ...",
                  " ...(2)通信端口1的和校验结果错误 ..."}, IgnoreLine},
    {8063, 6304, {" ...Sends the characters of communication potr1 is too much ...",
                  " ...通訊埠1送出的字元過多 ...",
                  " ...通信端口1发送的字符过多 ..."}, IgnoreLine},
    {8063, 6305, kNoDescriptionText, None},
    {8063, 6306, kNoDescriptionText, None},
    {8063, 6307, kNoDescriptionText, None},
    {8063, 6308, kNoDescriptionText, None},
    {8063, 6309, kNoDescriptionText, None},
    {8063, 6398, kNoDescriptionText, StepLine},
    {8063, 6399, kNoDescriptionText, StepLine},

    // D8064: no code has an explanation of its own.
    {8064, 6401, kNoDescriptionText, None},
    {8064, 6402, kNoDescriptionText, None},
    {8064, 6403, kNoDescriptionText, None},
    {8064, 6404, kNoDescriptionText, None},
    {8064, 6405, kNoDescriptionText, None},
    {8064, 6406, kNoDescriptionText, None},
    {8064, 6407, kNoDescriptionText, None},
    {8064, 6408, kNoDescriptionText, None},
    {8064, 6409, kNoDescriptionText, None},

    // D8065: instructions and the CPU's registers.
    {8065, 6501, kNoDescriptionText, None},
    {8065, 6502, kNoDescriptionText, None},
    {8065, 6503, kNoDescriptionText, None},
    {8065, 6504, kNoDescriptionText, None},
    {8065, 6505, kNoDescriptionText, None},
    {8065, 6506, kNoDescriptionText, None},
    {8065, 6507, kNoDescriptionText, None},
    {8065, 6508, {" ...Change this instruction to 32bits ...system stop to operate ...",
                  " ...請將此指令改為32位元 ...系統停止運轉 ...",
                  " ...请将此指令改为32位 ...系统停止运行 ..."}, StepLine},
    {8065, 6509, {" ...This apply instruction is not support, system stop to operate ...",
                  " ...不支援此應用指令，系統停止運轉 ...",
                  " ...不支持此应用指令，系统停止运行 ..."}, StepLine},
    {8065, 6510, kNoDescriptionText, None},
    {8065, 6511, {" ...CPU'R1 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R1 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R1 不等于 0 ...程序继续运行..."}, None},
    {8065, 6512, {" ...CPU'R2 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R2 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R2 不等于 0 ...程序继续运行..."}, None},
    {8065, 6513, {" ...CPU'R3 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R3 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R3 不等于 0 ...程序继续运行..."}, None},
    {8065, 6514, {" ...CPU'R4 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R4 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R4 不等于 0 ...程序继续运行..."}, None},
    {8065, 6515, {" ...CPU'R5 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R5 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R5 不等于 0 ...程序继续运行..."}, None},
    {8065, 6516, {" ...CPU'R6 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R6 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R6 不等于 0 ...程序继续运行..."}, None},
    {8065, 6517, {" ...CPU'R7 is not equal to 0 ...Program keep running...",
                  " ...CPU 的 R7 不等於 0 ...程式繼續執行...",
                  " ...CPU 的 R7 不等于 0 ...程序继续运行..."}, None},
    {8065, 6518, kNoDescriptionText, None},
    {8065, 6519, kNoDescriptionText, None},

    // D8066: program structure; every row shows the step.
    {8066, 6601, {" ...LD & LDI continue used > 8 ...",
                  " ...LD 與 LDI 連續使用 > 8 ...",
                  " ...LD 与 LDI 连续使用 > 8 ..."}, StepLine},
    {8066, 6602, {" ...LD, LDI & ANL, ORL ...error ...",
                  " ...LD、LDI 與 ANL、ORL ...錯誤 ...",
                  " ...LD、LDI 与 ANL、ORL ...错误 ..."}, StepLine},
    {8066, 6603, {" ...MPS continue used > 11 ...",
                  " ...MPS 連續使用 > 11 ...",
                  " ...MPS 连续使用 > 11 ..."}, StepLine},
    {8066, 6604, {" ...MPP and MPS Error ...",
                  " ...MPP 與 MPS 錯誤 ...",
                  " ...MPP 与 MPS 错误 ..."}, StepLine},
    {8066, 6605, {" ...STL and RET Error ...",
                  " ...STL 與 RET 錯誤 ...",
                  " ...STL 与 RET 错误 ..."}, StepLine},
    {8066, 6606, {" ...No SRET or IRET Error ...",
                  " ...缺少 SRET 或 IRET 錯誤 ...",
                  " ...缺少 SRET 或 IRET 错误 ..."}, StepLine},
    {8066, 6607, {" ...FOR and NEXT Error ...",
                  " ...FOR 與 NEXT 錯誤 ...",
                  " ...FOR 与 NEXT 错误 ..."}, StepLine},
    {8066, 6608, {" ...MC and MCR Error ...",
                  " ...MC 與 MCR 錯誤 ...",
                  " ...MC 与 MCR 错误 ..."}, StepLine},
    {8066, 6609, {" ...No End Instruction ...",
                  " ...沒有 END 指令 ...",
                  " ...没有 END 指令 ..."}, StepLine},

    // D8067: jumps and applied instructions.
    {8067, 6701, {" ...No Inn jump vector address error, program stop ...",
                  " ...無 Inn 跳躍向量位址錯誤，程式停止 ...",
                  " ...无 Inn 跳转向量地址错误，程序停止 ..."}, None},
    {8067, 6702, {" ...No Pnn jump vector address error, program stop ...",
                  " ...無 Pnn 跳躍向量位址錯誤，程式停止 ...",
                  " ...无 Pnn 跳转向量地址错误，程序停止 ..."}, None},
    {8067, 6703, kNoDescriptionText, None},
    {8067, 6704, kNoDescriptionText, None},
    {8067, 6705, {" ...The apply instruction error, program continue to executed ...",
                  " ...應用指令錯誤，程式繼續執行 ...",
                  " ...应用指令错误，程序继续执行 ..."}, StepLine},
    {8067, 6706, {" ...The apply instruction error, program stop to executed ...",
                  " ...應用指令錯誤，程式停止執行 ...",
                  " ...应用指令错误，程序停止执行 ..."}, ErrorCodeLineThenStep},
    {8067, 6707, {" ...Copy Function, program stop executed ...",
                  " ...複製功能，程式停止執行 ...",
                  " ...复制功能，程序停止执行 ..."}, None},
    {8067, 6708, {" ...Initialize External Memory Function, program stop executed ...",
                  " ...初始化外部記憶體功能，程式停止執行 ...",
                  " ...初始化外部存储器功能，程序停止执行 ..."}, None},
    {8067, 6709, kNoDescriptionText, None},
    {8067, 6725, {" ...Program end M8025=ON, program continue run ...",
                  " ...程式結束 M8025=ON，程式繼續執行 ...",
                  " ...程序结束 M8025=ON，程序继续运行 ..."}, None},
    {8067, 6726, kNoDescriptionText, None},
    {8067, 6727, {" ...Program end M8027=ON, program continue run ...",
                  " ...程式結束 M8027=ON，程式繼續執行 ...",
                  " ...程序结束 M8027=ON，程序继续运行 ..."}, None},
    {8067, 6799, {" ...No Pnn,Inn jump vector address error, program stop ...",
                  " ...無 Pnn、Inn 跳躍向量位址錯誤，程式停止 ...",
                  " ...无 Pnn、Inn 跳转向量地址错误，程序停止 ..."}, None},

    // D8068
    {8068, 6801, kNoDescriptionText, None},
    {8068, 6802, kNoDescriptionText, None},
    {8068, 6803, kNoDescriptionText, None},
    {8068, 6804, kNoDescriptionText, None},
    {8068, 6805, kNoDescriptionText, None},
    {8068, 6806, kNoDescriptionText, None},
    {8068, 6807, kNoDescriptionText, None},
    {8068, 6808, kNoDescriptionText, None},
    {8068, 6809, kNoDescriptionText, None},

    // D8069: these codes are known and show nothing.
    {8069, 6901, kEmptyText, NoLineAtAll},
    {8069, 6902, kEmptyText, NoLineAtAll},
    {8069, 6903, kEmptyText, NoLineAtAll},
    {8069, 6904, kEmptyText, NoLineAtAll},
    {8069, 6905, kEmptyText, NoLineAtAll},
    {8069, 6906, kEmptyText, NoLineAtAll},
    {8069, 6907, kEmptyText, NoLineAtAll},
    {8069, 6908, kEmptyText, NoLineAtAll},
    {8069, 6909, kEmptyText, NoLineAtAll},
});
// clang-format on

// The labels of the follow-up lines.
constexpr TextVariants kStepLabel{" ErrorStepNo D8069=", " 錯誤步號 D8069=", " 错误步号 D8069="};
constexpr TextVariants kIgnoreLine{" ErrorStepNo= ...ignore...", " 錯誤步號 D8069= ...省略...",
                                   " 错误步号 D8069= ...省略..."};
constexpr const char* kShortStepLabel = " ErrorStep D8069=";
constexpr const char* kStepNoFromD8068Label = " ErrorStepNo D8068=";
constexpr TextVariants kErrorCodeLabel{" ErrorCodeNo D8068=", " 錯誤碼 D8068=", " 错误码 D8068="};
// The note that follows the extra code kSpeedMeasurementTooLong.
constexpr std::int16_t kSpeedMeasurementTooLong = 5610;
constexpr TextVariants kSpeedMeasurementNote =
    englishInSimplified(" => [SPD] Measurement time > 250ms", " => [SPD] 量測時間 > 250ms");
constexpr TextVariants kCommandWord = englishInSimplified(" Command", " 運動指令");

constexpr const char* kNoErrorD8004 = " D8004=0 ...No Error...";
constexpr const char* kNoErrorD8068 = " D8068=0 ...No Error...";
constexpr const char* kNoErrorD8069 = " D8069=0 ...No Error...";

constexpr int kFirstRegister = 8060;
constexpr int kD8068 = 8068;
constexpr int kD8069 = 8069;

std::string registerPrefix(int registerNo) {
    return " D" + std::to_string(registerNo) + "=";
}

// At least two upper-case digits, of the value widened to 32 bits with its sign.
std::string hexOfWord(std::int16_t value) {
    return hexText(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)), 2);
}

bool isReadAgain(int registerNo) {
    return (registerNo >= 8060 && registerNo <= 8063) || (registerNo >= 8065 && registerNo <= 8067);
}

const ErrRegisterRow* findRow(int registerNo, std::int16_t code) {
    for (const ErrRegisterRow& row : kRows) {
        if (row.registerNo == registerNo && row.code == code) return &row;
    }
    return nullptr;
}

std::string defaultLine(int registerNo, std::int16_t value) {
    if (registerNo == kD8068) return kNoErrorD8068;
    if (registerNo == kD8069) return kNoErrorD8069;
    return registerPrefix(registerNo) + std::to_string(value) + kNoDescriptionText.english;
}

// A row whose variant is its English text reads English throughout, its follow-up lines too.
TextVariant rowVariant(const ErrRegisterRow& row, TextVariant variant) {
    return std::strcmp(textIn(row.text, variant), row.text.english) == 0 ? TextVariant::English : variant;
}

std::string motionLine(std::int16_t d8068, TextVariant variant) {
    const auto low = static_cast<std::int8_t>(d8068 & 0xFF);
    const auto high = static_cast<std::int8_t>((d8068 >> 8) & 0xFF);
    const std::string command = textIn(kCommandWord, variant);
    return registerPrefix(kD8068) + hexOfWord(d8068) + command + std::to_string(low) + " =>" + command +
           std::to_string(high);
}

void writeFollowUp(std::vector<std::string>& lines, const ErrRegisterRow& row, int plcType,
                   std::int16_t d8068, std::int16_t d8069) {
    const TextVariant variant = currentTextVariant();
    const TextVariant labels = rowVariant(row, variant);
    const std::string stepLine = textIn(kStepLabel, labels) + std::to_string(d8069);
    switch (row.followUp) {
        case None:
        case NoLineAtAll: return;
        case StepLine: lines.push_back(stepLine); return;
        case IgnoreLine: lines.push_back(textIn(kIgnoreLine, labels)); return;
        case ShortStepLine:
            lines.push_back(variant == TextVariant::TraditionalChinese
                                ? kShortStepLabel + std::to_string(d8069)
                                : stepLine);
            return;
        case StepNoFromD8068: lines.push_back(kStepNoFromD8068Label + std::to_string(d8068)); return;
        case MotionLineThenStep:
            if (plcType == kPlcTypeWithMotionCommands) lines.push_back(motionLine(d8068, variant));
            lines.push_back(stepLine);
            return;
        case ErrorCodeLineThenStep: {
            std::string line = textIn(kErrorCodeLabel, variant) + std::to_string(d8068);
            if (d8068 == kSpeedMeasurementTooLong) line += textIn(kSpeedMeasurementNote, variant);
            lines.push_back(line);
            lines.push_back(stepLine);
            return;
        }
    }
}

}  // namespace

const std::array<ErrRegisterRow, kErrRegisterRowCount> errRegisterCodes = kRows;

void decodeErrorRegisters(std::vector<std::string>& lines, int plcType, std::int16_t d8004,
                          ErrorRegisterWords registers, const ReadErrorRegister& readAgain) {
    const int registerNo = d8004;
    if (registerNo < kFirstRegister || registerNo > kD8069) {
        lines.push_back(kNoErrorD8004);
        return;
    }
    lines.push_back(registerPrefix(8004) + std::to_string(d8004));

    std::int16_t& word = registers[static_cast<std::size_t>(registerNo - kFirstRegister)];
    if (isReadAgain(registerNo) && readAgain) {
        // Without a reply the word keeps what the caller has just read; the receive buffer would
        // hold an old reply or a refusal.
        if (const std::optional<std::int16_t> value = readAgain(registerNo)) word = *value;
    }

    const ErrRegisterRow* row = findRow(registerNo, word);
    if (row == nullptr) {
        lines.push_back(defaultLine(registerNo, word));
        return;
    }
    if (row->followUp == NoLineAtAll) return;
    lines.push_back(registerPrefix(registerNo) + std::to_string(word) +
                    textIn(row->text, currentTextVariant()));
    writeFollowUp(lines, *row, plcType, registers[kD8068 - kFirstRegister],
                  registers[kD8069 - kFirstRegister]);
}

}  // namespace kestrion
