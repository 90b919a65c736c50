// Every folder's state goes back to its start values through the registry its state joins.
#include "model/StateRegistry.h"
#include "support/Fixture.h"

namespace kestrion::testing {

void resetAllState() {
    state::resetAll();
}

}  // namespace kestrion::testing
