#include "model/image/MonitorLists.h"

#include <bit>

#include "model/core/ByteImage.h"
#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"
#include "model/image/ModeData.h"

namespace kestrion {

namespace {

void appendNode(MonitorList& list, const char* memoryMessage) {
    auto* node = allocateOrHalt<deviceMonitorNode>(memoryMessage);
    node->value = kMonitorValueUnread;
    links::pushBack(list, node);
    list.newest = node;
}

void freeMonitorList(MonitorList& list) {
    list.clear();
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

}  // namespace kestrion
