#include "monitor/MonitorLists.h"

#include <bit>
#include <cstring>

#include "model/LinkedList.h"
#include "model/MemoryNotEnough.h"
#include "model/ModeData.h"

namespace kestrion {

int monitorMode = kMonitorOff;
MonitorList deviceMonitorList;
MonitorList ladderMonitorList;
std::uint32_t deviceMonitorBytes = 0;

namespace {

void putLittleEndian(MonitorNodeImage& image, std::size_t offset, std::uint64_t value, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) image.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

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
    std::memcpy(image.data(), node.deviceText.data(), node.deviceText.size());
    putLittleEndian(image, 8, node.textLength, 4);
    putLittleEndian(image, 12, node.deviceNo, 4);
    putLittleEndian(image, 16, node.deviceIndex, 4);
    std::memcpy(image.data() + 20, node.deviceCode.data(), node.deviceCode.size());
    putLittleEndian(image, 24, std::bit_cast<std::uint64_t>(node.value), 8);
    std::memcpy(image.data() + 40, node.monitorFields.data(), node.monitorFields.size());
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
    monitorMode = kMonitorOff;
    freeMonitorList(deviceMonitorList);
    freeMonitorList(ladderMonitorList);
    deviceMonitorBytes = 0;
}

}  // namespace kestrion
