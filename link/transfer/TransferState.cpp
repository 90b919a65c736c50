#include "link/transfer/TransferState.h"

#include "link/transfer/Transfers.h"
#include "model/core/StateRegistry.h"

namespace kestrion {

TransferState transferState;
std::vector<std::uint8_t>& VirtualDreg = transferState.VirtualDreg;
RegisterViewState& registerView = transferState.registerView;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("link/transfer", [] { transferState = {}; });

}  // namespace

}  // namespace kestrion
