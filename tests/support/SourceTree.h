// Where the source tree lies, for the tests that read files kept beside them (golden ladders,
// regression programs, the shipped examples). It is compiled in once with the tree's absolute
// path: a test's own __FILE__ may be relative when a compiler cache rewrites its paths.
#pragma once

#include <filesystem>

namespace kestrion::test {

std::filesystem::path sourceTree();

// A path below the source tree: testSource("tests/reader/golden").
inline std::filesystem::path testSource(const char* relative) {
    return sourceTree() / relative;
}

}  // namespace kestrion::test
