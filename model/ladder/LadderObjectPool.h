// What the files of the ladder objects share among themselves (LadderObject.cpp, the objects and
// their lists; LadderSnapshots.cpp, the command transaction's part); nothing else includes it but
// model/ModelState.cpp, which holds the list of freed objects it names.
#pragma once

#include <cstdint>
#include <vector>

namespace kestrion {

struct stLadderBlock;

// The objects freed while a command runs, kept until it has ended so that a command put back finds
// the objects of its snapshot where they were; a member of modelState.
extern std::vector<stLadderBlock*>& freedInCommand;
// Counts the changes of the objects: every object made or freed, and every command (ladderChanges).
extern std::uint64_t changeCount;
// After many objects came back (or always), the pool hands its free ones out in address order again.
void tidyObjectPool(bool always = false);
// The objects freed inside the command that has just ended go now.
void deleteObjectsFreedInCommand();
// Frees an object, or keeps it until the command has ended while a snapshot holds it.
void disposeObject(stLadderBlock* object);
// The outermost command's snapshot keeps the main list as packed contents and lets its objects go;
// false when it may not.
bool takeOverMainList();

}  // namespace kestrion
