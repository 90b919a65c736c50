#include "support/SourceTree.h"

namespace kestrion::test {

std::filesystem::path sourceTree() {
    return KESTRION_SOURCE_DIR;
}

}  // namespace kestrion::test
