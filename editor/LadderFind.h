// Find and go-to in the ladder: a device as the instruction box reads it (X10 and X010 are one
// device; a digit group K4M0 holds M0 to M15), an instruction by its mnemonic or a typed beginning
// of it (MOV finds MOV and MOVP), or a text of the comments (device comments and device names of the
// operands, the block and coil comments of the objects). The search walks the ladder objects in the order of
// the program from the selection frame down or up, going round the program's ends; the frame moves to the
// object found and the status bar names its step. Objects that are not drawn (block and stack joints) and NOP
// wires are never found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "editor/OperandDevices.h"

namespace kestrion {

struct stLadderBlock;

enum class FindKind { Device, Instruction, Comment };
enum class FindDirection { Down, Up };

struct FindQuery {
    FindKind kind = FindKind::Device;
    std::string text;  // as typed (UTF-8)
};

// A query made ready to test objects with.
class FindMatcher {
public:
    // None, after the box that says why, for an empty text or a device query that names no device.
    static std::optional<FindMatcher> prepare(const FindQuery& query);

    bool matches(const stLadderBlock& object) const;
    // The device comments by device (for the find list, which looks them up for every place).
    using CommentIndex = std::unordered_map<std::uint64_t, std::string>;
    static CommentIndex deviceCommentIndex();
    // What the find list shows beside a place: the names and comments that matched, or the device
    // comments of the object's operands.
    std::string commentOf(const stLadderBlock& object, const CommentIndex& comments) const;
    const FindQuery& query() const { return query_; }

private:
    FindQuery query_;
    DeviceName device_;
    std::string upper_;  // an instruction's beginning, or the comment text with its letters upper case
    std::unordered_set<std::uint64_t> commentedDevices_;  // whose device comment or name holds the text
    CommentIndex names_;                                  // the device names that hold it
    std::unordered_set<std::uint16_t> blockIds_, coilIds_;
};

// The step of an object for the find and go-to: its own; none for an object not converted yet.
std::optional<std::uint32_t> knownStep(const stLadderBlock& object);

// The next object that matches after the selection frame at (x, y) going down, or before it going
// up, in the order of the list; past the last (first) object the search goes on from the other
// end, and wrapped says so. Null when nothing matches.
struct FindOutcome {
    stLadderBlock* object = nullptr;
    bool wrapped = false;
};
FindOutcome findFrom(const FindMatcher& matcher, FindDirection direction, std::uint32_t x, std::uint32_t y);

// Every place that matches, in the order of the list: the rows of the find list (TldrSearchForm).
struct FoundPlace {
    stLadderBlock* object = nullptr;
    std::string step;  // its step, or "-" before a conversion
    std::string line;  // the instruction line: mnemonic and operands
    std::string comment;
};
std::vector<FoundPlace> findAll(const FindMatcher& matcher);

// The cursor and the selection frame on an object, the view scrolled to it, and the status bar
// naming its step: "Found at step 12: LD X000" (or "At step ..." for the go-to).
void frameFoundObject(const stLadderBlock& object, const char* statusPhraseId);

// ---- The commands -------------------------------------------------------------------------------

// Edit > Find (TUpDnSearchForm): the query and direction typed; Find next searches, Find list shows
// every place (TldrSearchForm). The query is kept for the next searches.
void findWithDialog();
// Edit > Find next / Find previous: the last query again down or up; without one, the dialog.
void findAgain(FindDirection direction);
// Finds once with the kept query and direction: the frame moves to the object found (a box says
// when the search went round the program's end, or that nothing was found). True when found.
bool findOnce(const FindQuery& query, FindDirection direction);

// Edit > Go to step (TGoToStepForm): the cursor to the drawn object at the step or the nearest one
// before it; a step past END says so and moves nothing.
void goToStepWithDialog();
enum class GoToOutcome { Moved, PastEnd, NoObject };
GoToOutcome goToStep(std::uint32_t step);

}  // namespace kestrion
