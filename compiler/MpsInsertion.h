// MPS, MRD and MPP where several outputs of a block hang on branches that leave one contact
// column, and the two passes that prepare it: the count of a block's discontinuous outputs and
// the marks of the cells where no MPS may go.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

struct stLadderBlock;

// bit of flagByte2: the output closes the group from its own wire (an MPP goes before it).
constexpr std::uint8_t kFlag2MppMark = 0x04;

// The objects before which an MPS went, innermost on top. Ten levels; one more is a conversion
// error (shown, then ConversionError), never a silently lost branch point.
class MpsAnchorStack {
public:
    static constexpr std::size_t kDepth = 10;
    void push(stLadderBlock* anchor);
    void pop();  // nothing to pop is harmless: the group had no MPS
    stLadderBlock* top() const { return size_ == 0 ? nullptr : anchors_[size_ - 1]; }
    std::size_t size() const { return size_; }
    void clear() { size_ = 0; }

private:
    std::array<stLadderBlock*, kDepth> anchors_{};
    std::size_t size_ = 0;
};

// Outputs of block jLbc on their own branch (see the cases in the source); marks compile cells.
std::int32_t countDiscontinuousOutputs(std::uint32_t jLbc, std::uint32_t endYpos);
// Marks '1' in the compile canvas where an MPS cannot go, and 'o' at (0, 0).
void _presetMpsConditionByBlock(std::uint32_t jLbc, std::uint32_t endYpos);
// Inserts MPS, MRD and MPP objects into block jLbc. A branch structure the pass cannot settle
// shows why and throws ConversionError rather than running on.
void AddMpsMrdMppByBlock(std::uint32_t jLbc);

}  // namespace kestrion
