// Edit > Replace: a device by another (X0 -> X20), or a range of devices by as many from another
// first device on (M0-M99 -> M100: M0 becomes M100, M99 becomes M199), in every operand of the
// ladder or of a step range that names such a device (a digit group by its first device, a word
// bit or an indexed register by its register). Every changed line is judged again by the
// instruction box's own checkers for the program's PLC type; when one does not fit, nothing
// changes and the box names its step and line. Otherwise the change is one command: Undo takes it
// back, the ladder needs a Convert, and the device comments and device names go with their devices
// (a name only to an input or output), except to a device that has its own: that one keeps its
// text, and the closing box counts those kept. Labels and nesting levels are not replaced here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "editor/OperandDevices.h"

namespace kestrion {

struct DeviceReplacement {
    DeviceName first;         // the first device replaced
    std::uint32_t count = 1;  // devices from it on
    DeviceName target;        // what the first becomes
    bool wholeProgram = true;
    std::uint32_t firstStep = 0;  // the steps replaced in, when not the whole program
    std::uint32_t lastStep = 0;

    // What a device becomes; none for a device outside the range.
    std::optional<DeviceName> replacementOf(const DeviceName& device) const;
};

// The fields of the dialog read into a replacement; none, after the box that says why.
std::optional<DeviceReplacement> readReplacement(const std::string& from, const std::string& to,
                                                 bool wholeProgram, const std::string& firstStep,
                                                 const std::string& lastStep);

struct ReplaceOutcome {
    bool replaced = false;
    std::size_t operands = 0;  // operand texts changed
    std::size_t objects = 0;   // instructions they belong to
    std::size_t kept = 0;      // device comments and names the new devices had and kept
};
// The replace as one command (refused while a monitor runs). Nothing changes when no operand
// names a device of the range, or when a changed line does not fit (the box names it).
ReplaceOutcome replaceDevices(const DeviceReplacement& replacement);

// Edit > Replace: the dialog (TobjMaskForm), whose OK replaces.
void replaceWithDialog();

// Undo's share: the device comments and names a replace moved go back with the ladder when Undo
// puts the ladder before that replace in place, and forth again on the next Undo. Nothing happens
// when the undo copy is another edit's or the comments or names have changed since.
void swapReplacedComments();

}  // namespace kestrion
