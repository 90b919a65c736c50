#include "monitor/MonitorPoll.h"

#include <cstdio>

#include "editor/EditorViewState.h"
#include "link/line/CommRecord.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/plc/MonitorFrames.h"
#include "model/image/ConnectedPlc.h"
#include "model/instructions/Conversions.h"
#include "model/ladder/CanvasState.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "monitor/AddressLists.h"
#include "monitor/LadderMonitor.h"
#include "monitor/MonitorMode.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::uint32_t kTimer3FastInterval = 100;
constexpr std::uint32_t kTimer3SlowInterval = 2000;
constexpr int kBlinkOn = 4;
constexpr int kBlinkPeriod = 8;
constexpr std::size_t kSpecialWordBytes = 4;  // D8001 and D8010
constexpr std::size_t kType2SkippedBytes = 32;
constexpr std::size_t kBitFieldBytes = 8;
constexpr std::size_t kOperands = 5;
constexpr int kHoldTicks = 10;

// Marks the tick under way: a tick that comes while this one waits or shows its box only blinks.
class PollScope {
public:
    PollScope() { monitorState.pollRunning = true; }
    ~PollScope() { monitorState.pollRunning = false; }
    PollScope(const PollScope&) = delete;
    PollScope& operator=(const PollScope&) = delete;
};

bool isPlainType(int type) {
    return type == 1 || type == 4 || type == 6;
}

MonitorList& listOfMode() {
    return monitorMode == kMonitorLadder ? ladderMonitorList : deviceMonitorList;
}

std::uint8_t replyByte(std::size_t i) {
    if (2 * i + 1 >= rs.RxBkBuf.size()) return 0;
    return hexPairToByte(rs.RxBkBuf[2 * i], rs.RxBkBuf[2 * i + 1]);
}

std::uint16_t replyWordAt(std::size_t byte) {
    return static_cast<std::uint16_t>(replyByte(byte) | replyByte(byte + 1) << 8);
}

// The objects of the range the last paint drew. The drawn range only records where they stand in
// the main list, which owns them and lets them be changed.
template <class Visit>
void forDrawnObjects(Visit visit) {
    for (const stLadderBlock* o = ldrDrawHead; o != nullptr && o != ldrDrawTail; o = o->next)
        visit(*const_cast<stLadderBlock*>(o));
}

MonitorRow* rowOf(const deviceMonitorNode& node) {
    MonitorRows& rows = polledRows();
    const std::size_t index = node.deviceIndex;
    return index >= 1 && index <= rows.size() ? &rows[index - 1] : nullptr;
}

// The next node at or after node whose data type the walk takes.
template <class Takes>
deviceMonitorNode* advance(deviceMonitorNode* node, Takes takes) {
    while (node != nullptr && !takes(nodeDataType(*node))) node = node->next;
    return node;
}

void setPanel(int panel, const std::string& text) {
    platform::statusBar().setPanelText(panel, text);
}

// The box of a read that got no answer in time. The monitor stops first, whatever the phase: the
// box comes once and not once a tick, and while it shows, the menus and buttons already say that
// nothing polls.
void timedOut(bool wordPhase, LinkSession& session) {
    const char* text = nullptr;
    if (wordPhase)
        text = "Error2015030536";
    else if (connectedPlcType == 2)
        text = "Error2015030538";
    else
        text = isPlainType(connectedPlcType) ? "Error2015030537" : "Error2015030548";
    stopMonitorOnSilentLine();
    session.closePortAtEnd();
    platform::say({text, "Communication Error", platform::MsgIcon::Warning});
}

// After a read: false when the tick ends here. A reply shorter than the bytes the tick reads is
// passed over as a NAK would be.
bool answered(bool wordPhase, std::size_t neededBytes, LinkSession& session) {
    // Every stop turns Timer3 off: a stop during the wait that was followed by "Enter device
    // monitor" (mode 2 again, nothing polling) ends the tick as quietly as a stop alone.
    if (monitorMode == kMonitorOff || !timer3Running()) return false;
    if ((rs.status & kRsWaiting) != 0) {
        timedOut(wordPhase, session);
        return false;
    }
    if ((rs.status & kRsNak) != 0) return false;
    if (!expectReplyBytes(neededBytes)) {
        rs.replyCode = kReplyNak;
        return false;
    }
    return true;
}

std::size_t wordValueBytes() {
    return monitorListBytes(rs.byteTxBuf) + 2 * longCounterEntries();
}

void storeWordValue(const deviceMonitorNode& node, std::uint32_t value) {
    const std::uint32_t index = node.deviceIndex;
    if (index >= 1 && index <= kMonitorValueCount)
        MonitorValue[index - 1] = static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
    if (MonitorRow* row = rowOf(node)) {
        row->subItems = {""};
        if (monitorMode != kMonitorLadder)
            row->subItems = {monitorValueText(value, nodeDataType(node), nodeDisplayFormat(node))};
    }
    forDrawnObjects([&](stLadderBlock& o) {
        for (std::size_t p = 1; p <= kOperands; ++p) {
            if (o.ItemNo[p] != static_cast<std::int16_t>(index)) continue;
            std::uint64_t& slot = o.monValue[p - 1];
            slot = (slot & ~std::uint64_t{0xFFFF}) | (value & 0xFFFF);
            if (o.dFlag()) slot = (slot & ~std::uint64_t{0xFFFFFFFF}) | value;
        }
    });
}

void wordPhase(LinkSession& session) {
    if (connectedPlcType == 2)
        monitorCycleReadE();
    else if (isPlainType(connectedPlcType))
        monitorCycleRead1958();
    else
        monitorCycleReadE2();
    if (!answered(true, kSpecialWordBytes + wordValueBytes(), session)) return;

    const auto d8001 = static_cast<std::int16_t>(replyWordAt(0));
    const auto d8010 = static_cast<std::int16_t>(replyWordAt(2));
    D8Kreg[1] = static_cast<std::uint16_t>(d8001);
    D8Kreg[10] = static_cast<std::uint16_t>(d8010);
    setPanel(0, "Ver" + std::to_string(d8001));
    setPanel(12, std::to_string(d8010 / 10) + "ms");

    const std::size_t entries = monitorListEntries(rs.byteTxBuf);
    if (entries > 0) {
        MonitorList& list = listOfMode();
        if (list.head == nullptr) return;
        ByteMonitor[0] = 0;
        std::size_t at = kSpecialWordBytes;
        const auto take = [&at]() {
            const std::uint8_t byte = replyByte(at++);
            const auto recorded = static_cast<std::size_t>(ByteMonitor[0]) + 1;
            if (recorded < ByteMonitor.size()) {
                // The table keeps each byte sign-extended from 8 bits (FFh is -1).
                ByteMonitor[recorded] = static_cast<std::int16_t>(byte < 0x80 ? byte : byte - 0x100);
                ByteMonitor[0] = static_cast<std::int16_t>(recorded);
            }
            return static_cast<std::uint32_t>(byte);
        };
        deviceMonitorNode* node = list.head;
        for (std::size_t k = 0; k < entries; ++k) {
            node = advance(node, [](std::uint16_t type) { return type != kDataBit; });
            if (node == nullptr) break;
            const std::uint16_t type = nodeDataType(*node);
            std::uint32_t value = take();
            value |= take() << 8;
            if (type == kDataDoubleWord) ++k;
            if (type == kDataDoubleWord || type == kDataLongCounter) {
                value |= take() << 16;
                value |= take() << 24;
            }
            storeWordValue(*node, value);
            node = node->next;
        }
    }
    monitorState.pollPhase = 1;
}

void bitPhase(LinkSession& session) {
    const int type = connectedPlcType;
    if (type == 2)
        monitorCycleReadE();
    else if (isPlainType(type))
        monitorCycleRead19A0();
    else
        monitorCycleReadE2();
    std::size_t at = 0;
    if (!isPlainType(type)) at = kSpecialWordBytes + wordValueBytes() + (type == 2 ? kType2SkippedBytes : 0);
    const std::size_t bitEntries = monitorListEntries(rs.bitTxBuf);
    // M8000 and the entries; the bytes beyond them carry nothing the poll reads.
    const std::size_t needed = std::min(kBitFieldBytes, (bitEntries + 1 + 7) / 8);
    if (!answered(false, at + needed, session)) return;

    std::uint64_t field = 0;
    for (std::size_t i = 0; i < needed; ++i) {
        const std::uint8_t byte = replyByte(at + i);
        field |= std::uint64_t{byte} << (8 * i);
        BitMonitor[i] = byte;
    }
    setPanel(11, (field & 1) != 0 ? "Run" : "Stop");
    MonitorList& list = listOfMode();
    if (list.head == nullptr) return;

    deviceMonitorNode* node = list.head;
    for (std::size_t i = 1; i <= bitEntries && i < 64; ++i) {
        node = advance(node, [](std::uint16_t t) { return t != kDataWord && t != kDataDoubleWord; });
        if (node == nullptr) break;
        const bool bit = ((field >> i) & 1) != 0;
        if (MonitorRow* row = rowOf(*node)) {
            const std::string value = row->subItems.empty() ? std::string() : row->subItems[0];
            const bool bitDevice = nodeDataType(*node) == kDataBit;
            row->subItems = {bitDevice ? std::string() : value, "",
                             bit ? "ON" : (isPlainType(type) ? "OFF" : "")};
        }
        const auto index = static_cast<std::int16_t>(node->deviceIndex);
        forDrawnObjects([&](stLadderBlock& o) {
            if (o.ItemNo[1] == index) applyEdgeRules(o, bit);
        });
        node = node->next;
    }
    monitorState.pollPhase = 0;
    if (monitorMode == kMonitorLadder) requestLadderRedraw();
}

}  // namespace

std::string monitorValueText(std::uint32_t value, std::uint16_t dataType, std::uint16_t displayFormat) {
    const bool wide = dataType == kDataDoubleWord || dataType == kDataLongCounter;
    const auto low = static_cast<std::uint16_t>(value & 0xFFFF);
    switch (displayFormat) {
        case kFormatDecimal:
            return wide ? std::to_string(static_cast<std::int32_t>(value))
                        : std::to_string(static_cast<std::int16_t>(low));
        case kFormatHex: return wide ? hexText(value, 8) : hexText(low, 4);
        case kFormatAscii:
            if (low >= 0x30 && low <= 0x7A) return std::string(1, static_cast<char>(low & 0xFF));
            return "..";
        case kFormatFloat: {
            char text[64];
            std::snprintf(text, sizeof text, "%.7f", static_cast<double>(bitsToFloat(wide ? value : low)));
            return text;
        }
        default:
            if (dataType == kDataWord) return binaryText(low, 16);
            if (dataType == kDataDoubleWord) return binaryText(value, 32);
            return {};
    }
}

std::vector<std::string> monitorTableRows() {
    std::vector<std::string> rows;
    const auto table = [&rows](const char* name, const auto& values, auto text) {
        rows.emplace_back(name);
        for (std::size_t at = 0; at < values.size(); at += 16) {
            std::string row;
            for (std::size_t i = at; i < at + 16 && i < values.size(); ++i)
                row += (i == at ? "" : " ") + text(values[i]);
            rows.push_back(row);
        }
    };
    const auto decimal = [](std::int16_t value) { return std::to_string(value); };
    table("MonitorValue", MonitorValue, decimal);
    table("ByteMonitor", ByteMonitor, decimal);
    table("BitMonitor", BitMonitor, [](std::uint8_t value) { return hexText(value, 2); });
    return rows;
}

void applyEdgeRules(stLadderBlock& object, bool bit) {
    const bool seen = object.monState != 0;
    bool lit = bit;
    if (object.pFlag())
        lit = bit && !seen;
    else if (object.fFlag())
        lit = !bit && seen;
    object.monState = bit ? 1 : 0;
    object.monMark = lit ? kMonMarkConducting : 0;
}

void startTimer3() {
    monitorState.heldTicks = 0;  // a hold left by a stopped monitor does not delay the next one
    platform::timers().setInterval(platform::TimerId::Timer3, kTimer3FastInterval);
    platform::timers().setEnabled(platform::TimerId::Timer3, true);
}

void stopTimer3() {
    platform::timers().setEnabled(platform::TimerId::Timer3, false);
}

bool timer3Running() {
    return platform::timers().enabled(platform::TimerId::Timer3);
}

void Timer3Timer() {
    if (++monitorState.blinkCount >= kBlinkOn) setPanel(10, "*");
    if (monitorState.blinkCount >= kBlinkPeriod) {
        setPanel(10, " ");
        monitorState.blinkCount = 0;
    }
    // One request at a time: a tick that comes while a request waits (this poll's or a command's)
    // or while this poll's box is open does nothing more.
    if (monitorState.pollRunning || linkBusy()) return;
    if (monitorState.heldTicks > 0) {
        --monitorState.heldTicks;
        return;
    }
    switch (rs.replyCode) {
        case kReplyNone:
            if (++monitorState.noReplyTicks < 2) return;
            monitorState.noReplyTicks = 0;
            break;
        case kReplyNak: rs.replyCode = kReplyNone; return;
        default: monitorState.noReplyTicks = 0; break;
    }
    if (monitorMode == kMonitorOff) return;

    PollScope running;
    LinkSession session(PortAfter::KeepOpen, IfBusy::StayQuiet, SessionOf::PollTick);
    if (session.refused()) return;
    const bool words = monitorState.pollPhase == 0;
    // A port that a command closed meanwhile is a line that does not answer.
    if (comPortHandle == -1 || linkPort() == nullptr) {
        timedOut(words, session);
        return;
    }
    if (words)
        wordPhase(session);
    else
        bitPhase(session);
}

bool holdPollForClick() {
    if (!monitorState.pollRunning) return false;
    monitorState.heldTicks = kHoldTicks;
    return true;
}

void releasePollHold() {
    monitorState.heldTicks = 0;
}

void mmPLCClick() {
    if (timer3Running()) platform::timers().setInterval(platform::TimerId::Timer3, kTimer3SlowInterval);
}

void mmMonitorClick() {
    mmPLCClick();
}

void PopupMenu4Popup() {
    mmPLCClick();
}

}  // namespace kestrion
