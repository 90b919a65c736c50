// The whole mutable state of the transfers in one place: the PLC's D registers as read back for
// the register verify, and the main window's register panel. The names the program uses
// (VirtualDreg, registerView) are references into transferState, declared in the headers of their
// subjects; the start value of each lives here only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/transfer/RegisterView.h"

namespace kestrion {

constexpr std::size_t kVirtualDregSize = 16000;

struct TransferState {
    // The PLC's D registers as read back for the register verify.
    std::vector<std::uint8_t> VirtualDreg = std::vector<std::uint8_t>(kVirtualDregSize, 0);
    RegisterViewState registerView;  // the main window's register panel
};

extern TransferState transferState;

}  // namespace kestrion
