#include "devviews/DevViewsState.h"

#include "model/core/StateRegistry.h"

namespace kestrion {

DevViewsState devViewsState;

namespace {

[[maybe_unused]] const bool registered = state::registerReset("devviews", [] { devViewsState = {}; });

}  // namespace

}  // namespace kestrion
