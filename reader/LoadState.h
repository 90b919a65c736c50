// The state shared by the program loader, its placers and the decoders while program words become
// ladder objects: the word cursor, step counter and flags of the load, the program area end, the
// conversion cursor and the placement flags. It lives for the whole process; the loader sets it to
// its start values at the start of every load and the next load overwrites it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/image/StepCount.h"  // convStepNo: the step counter the decoders add to

namespace kestrion {

struct stLadderBlock;

struct ConvCursor {
    std::uint32_t X = 0;
    std::uint32_t Y = 0;
};

struct MpStackPoint {
    std::uint32_t xPointer = 0;
    std::uint32_t yPointer = 0;
};

// Bits of convBlockFlags.
constexpr std::uint8_t kBlockFlagNewLargeBlock = 0x01;  // the LD just placed opened a LargeBlock
constexpr std::uint8_t kBlockFlagStlOpen = 0x02;        // an STL step is open

// What the words placed last leave for the next one to go on from: no rung (at the start, after a
// label, a step's end, a master control or an instruction that stands alone), a step's bus, the
// contacts of a rung, or an output its rung may go on from.
enum class RungState : std::uint8_t { None, StepBus, Contacts, AfterOutput };

// How the sub-block an LD opens is joined: the first of its rung, in parallel, in series.
enum class LdJoin : std::uint8_t { First, Parallel, Series };

// The objects a load has placed, by position and by block id (see reader/PlacementSupport.h).
// Only valid while a load runs; emptied at its end.
struct PlacedObjects {
    bool active = false;
    bool verify = false;  // every answer is checked against a walk of the list (tests)
    // By block id (a load numbers its blocks from 0 up, one more per block it opens); null for a
    // block none of whose objects is noted yet.
    std::vector<stLadderBlock*> firstOfBlock;
    stLadderBlock* lastNoted = nullptr;
    std::uint32_t lowestY = 0;  // the largest y of the objects noted so far
};

struct ReaderState {
    // The instruction view's list: the program words it shows (END included) and where each of
    // its lines starts (byte offsets in the image).
    std::vector<std::uint16_t> listedWords;
    std::vector<std::uint32_t> listedLineOffsets;

    // The load driver.
    std::int32_t convByteOffset = 348;  // byte offset in the image of the instruction being converted
    std::uint16_t convInstrCode = 0;
    std::uint32_t convPulseFlag = 0;  // word & 0x1000 for application instructions, else 0
    std::uint32_t convDFlag = 0;      // word & 1 for application instructions, else 0
    std::uint16_t iCheckSum = 0;
    std::int32_t sumCursor = 348;  // next byte offset not yet added to iCheckSum
    std::uint32_t jm = 0;          // program area end, 68 bytes past the last program byte
    // END was directly followed by 0xB40F at the last instruction word check: the program
    // transfer to the PLC sends that word too.
    bool endFollowedByB40F = false;

    // Placement.
    ConvCursor conv;
    std::int32_t convSbNo = 0;
    std::uint32_t largeBlockId = 0;
    std::uint32_t stlBusOffset = 0;
    std::uint32_t blockRightX = 0;
    std::uint8_t convBlockFlags = 0;
    std::uint8_t mpOpen = 0;
    std::uint8_t mpOutputDone = 0;
    std::uint8_t mppOpen = 0;
    std::uint8_t mppOutputDone = 0;
    MpStackPoint mpStack;
    // Bit n: the block n LDs deep (0: the rung going on from an output) holds a branch point, an
    // MPS, MRD or MPP or an output the rung goes on from.
    std::uint64_t branchPointLevels = 0;
    RungState rung = RungState::None;
    bool rungHasContact = false;      // a contact of the rung (or the step) being placed stands in front
    bool rungHasOutput = false;       // the rung being placed has an output already
    bool rungHasBranchPoint = false;  // and an MPS, MRD or MPP
    const stLadderBlock* rungStart = nullptr;  // the LD that began the rung being placed
    LdJoin lastLdJoin = LdJoin::First;         // how the sub-block the last LD opened is joined
    // Bit n: the sub-block n LDs deep is joined in series to the one before it (ANB, or a rung that
    // goes on from an output).
    std::uint64_t seriesJoinLevels = 0;
    std::uint32_t loaderStartX = 0;   // x of the first object of a loaded line
    std::uint32_t progressShown = 0;  // the position of the progress bar during a load
    PlacedObjects placed;
};
extern ReaderState readerState;

extern std::int32_t& convByteOffset;
extern std::uint16_t& convInstrCode;
extern std::uint32_t& convPulseFlag;
extern std::uint32_t& convDFlag;
extern std::uint16_t& iCheckSum;
extern std::uint32_t& jm;
extern ConvCursor& conv;
extern std::int32_t& convSbNo;
extern std::uint32_t& largeBlockId;
extern std::uint32_t& stlBusOffset;
extern std::uint32_t& blockRightX;
extern std::uint8_t& convBlockFlags;
extern std::uint8_t& mpOpen;
extern std::uint8_t& mpOutputDone;
extern std::uint8_t& mppOpen;
extern std::uint8_t& mppOutputDone;
extern MpStackPoint& mpStack;

// The program area end jm of a memory size code: 4416, 8416 and 16416 for 2, 4 and 8, 128416 for
// every other code. No instruction is examined at or beyond jm - 68.
std::uint32_t programAreaEnd(std::int32_t memSizeCode);
// The first byte offset past the program area of a memory size code (jm - 68).
inline std::uint32_t programAreaLimit(std::int32_t memSizeCode) {
    return programAreaEnd(memSizeCode) - 68;
}

// How far the load has come, 0 to 100, for the progress window: (offset - 348) × 100 over 2000
// bytes per thousand steps of the memory size code. A code of 0 or below measures against the
// whole program area instead of dividing by zero; the result never exceeds 100.
int loadProgressPercent(std::int32_t byteOffset, std::int32_t memSizeCode);

// The start values of a load: the driver state from the memory size code (offsets 348, step 0,
// jm, the check code seed), the conversion cursor at the left bus, the placement flags clear, and
// the four converter stacks holding their first entries.
void startLoadState(std::int32_t memSizeCode);

// The program word at a byte offset of the image (offset 348 is step 0); 0xFFFF outside the
// program area.
std::uint16_t programWordAt(std::size_t byteOffset);

}  // namespace kestrion
