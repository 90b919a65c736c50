// MPS, MRD and MPP where several outputs of a block hang on branches that leave one node of its
// wiring.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kestrion {

struct stLadderBlock;

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

// Inserts MPS, MRD and MPP objects into block jLbc. A branch structure the pass cannot settle
// shows why and throws ConversionError rather than running on.
void AddMpsMrdMppByBlock(std::uint32_t jLbc);

}  // namespace kestrion
