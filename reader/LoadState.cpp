#include "reader/LoadState.h"

#include <algorithm>

#include "model/core/StateRegistry.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/ConverterStacks.h"
#include "model/ladder/DrawGeometry.h"

namespace kestrion {

ReaderState readerState;

std::int32_t& convByteOffset = readerState.convByteOffset;
std::uint16_t& convInstrCode = readerState.convInstrCode;
std::uint32_t& convPulseFlag = readerState.convPulseFlag;
std::uint32_t& convDFlag = readerState.convDFlag;
std::uint16_t& iCheckSum = readerState.iCheckSum;
std::uint32_t& jm = readerState.jm;
ConvCursor& conv = readerState.conv;
std::int32_t& convSbNo = readerState.convSbNo;
std::uint32_t& largeBlockId = readerState.largeBlockId;
std::uint32_t& stlBusOffset = readerState.stlBusOffset;
std::uint32_t& blockRightX = readerState.blockRightX;
std::uint8_t& convBlockFlags = readerState.convBlockFlags;
std::uint8_t& mpOpen = readerState.mpOpen;
std::uint8_t& mpOutputDone = readerState.mpOutputDone;
std::uint8_t& mppOpen = readerState.mppOpen;
std::uint8_t& mppOutputDone = readerState.mppOutputDone;
MpStackPoint& mpStack = readerState.mpStack;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("reader", [] { readerState = {}; });

constexpr std::uint32_t kProgramBytes = 2 * kProgramWordCount;

}  // namespace

std::uint32_t programAreaEnd(std::int32_t memSizeCode) {
    switch (memSizeCode) {
        case 2:
        case 4:
        case 8:
            return static_cast<std::uint32_t>(kProgramAreaOffset) +
                   2000u * static_cast<std::uint32_t>(memSizeCode) + 68u;
        default: return static_cast<std::uint32_t>(kPmwImageSize);
    }
}

int loadProgressPercent(std::int32_t byteOffset, std::int32_t memSizeCode) {
    const std::int64_t done =
        std::max<std::int64_t>(0, std::int64_t{byteOffset} - std::int64_t{kProgramAreaOffset});
    const std::int64_t whole =
        memSizeCode > 0 ? std::int64_t{memSizeCode} * 2000 : std::int64_t{kProgramBytes};
    return static_cast<int>(std::min<std::int64_t>(100, done * 100 / whole));
}

void startLoadState(std::int32_t memSizeCode) {
    const std::uint32_t bus = draw.iBusLineStart;
    // The word check's finding, the start x and the checking of the index stay.
    const bool extraWord = readerState.endFollowedByB40F;
    const std::uint32_t startX = readerState.loaderStartX;
    const bool verify = readerState.placed.verify;
    readerState = {};
    readerState.endFollowedByB40F = extraWord;
    readerState.loaderStartX = startX;
    readerState.placed.verify = verify;
    convStepNo = 0;
    jm = programAreaEnd(memSizeCode);
    iCheckSum = getSumCheckSeed(memSizeCode);
    conv = {bus, 0};
    blockRightX = bus;
    startPointer = nextPointer = xMaxiPointer = mpsPointer = 0;
    for (const std::uint32_t value : {bus, 0u}) {
        pushStack0(startPointer++, value, "startLoadState");
        pushStack1(nextPointer++, value, "startLoadState");
        pushStack4(mpsPointer++, value);
    }
    pushStack2(xMaxiPointer++, bus, "startLoadState");
}

std::uint16_t programWordAt(std::size_t byteOffset) {
    if (byteOffset < kProgramAreaOffset) return kEmptyWord;
    const std::size_t index = (byteOffset - kProgramAreaOffset) / 2;
    return index < pmw.program.size() ? pmw.program[index] : kEmptyWord;
}

}  // namespace kestrion
