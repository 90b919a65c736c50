#include "monitor/MonitorLists.h"

#include <bit>

#include "model/ByteImage.h"
#include "model/LinkedList.h"
#include "model/MemoryNotEnough.h"
#include "model/ModeData.h"
#include "model/StateRegistry.h"

namespace kestrion {

MonitorState monitorState;
int& monitorMode = monitorState.monitorMode;
MonitorList& deviceMonitorList = monitorState.deviceMonitorList;
MonitorList& ladderMonitorList = monitorState.ladderMonitorList;
std::uint32_t& deviceMonitorBytes = monitorState.deviceMonitorBytes;

namespace {

void appendNode(MonitorList& list, const char* memoryMessage) {
    auto* node = allocateOrHalt<deviceMonitorNode>(memoryMessage);
    node->value = kMonitorValueUnread;
    links::pushBack(list, node);
    list.newest = node;
}

void freeMonitorList(MonitorList& list) {
    links::disposeAll(list, [](deviceMonitorNode* node) { delete node; });
    list = MonitorList{};
}

}  // namespace

MonitorNodeImage deviceMonitorNodeImage(const deviceMonitorNode& node) {
    MonitorNodeImage image{};
    using namespace byteimage;
    putField(image, 0, node.deviceText);
    putU32(image, 8, node.textLength);
    putU32(image, 12, node.deviceNo);
    putU32(image, 16, node.deviceIndex);
    putField(image, 20, node.deviceCode);
    putU64(image, 24, std::bit_cast<std::uint64_t>(node.value));
    putField(image, 40, node.monitorFields);
    return image;
}

void addDeviceMonitorNode() {
    appendNode(deviceMonitorList, "Error2014121617...");
    deviceMonitorBytes += kMonitorNodeBytes;
}

void addLadderMonitorNode() {
    appendNode(ladderMonitorList, "Error2014121616...");
}

void freeLadderMonitorList() {
    freeMonitorList(ladderMonitorList);
}

void freeDeviceMonitorList() {
    if (deviceMonitorList.head == nullptr) return;
    freeMonitorList(deviceMonitorList);
    ModeData.monitorDeviceCount = 0;
    deviceMonitorBytes = 0;
}

void resetMonitorState() {
    freeMonitorList(deviceMonitorList);
    freeMonitorList(ladderMonitorList);
    monitorState = {};
}

namespace {

[[maybe_unused]] const bool registered = state::registerReset("monitor", resetMonitorState);

}  // namespace

}  // namespace kestrion
