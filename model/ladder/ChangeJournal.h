// What the files of the ladder objects share about changes noted object by object (see
// noteObjectChange): the journal of a noted command and of the undo copy it leaves. Nothing outside
// model/ladder includes it.
//
// A journal stands for a ladder as it was when it was opened, its view: the main list's ends then,
// and the record (links included) each object held before its first change since. An object the
// journal has not kept holds in the view what it holds now. Objects made since are in the main list
// and not in the view (liveOnly); kept objects freed since are in the view only and stay alive for
// it (viewOnly). Putting the view back is writing the kept records into their objects.
#pragma once

#include <cstddef>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "model/ladder/LadderObject.h"

namespace kestrion {

class ChangeJournal {
public:
    explicit ChangeJournal(const LadderList& main);
    ~ChangeJournal();
    ChangeJournal(const ChangeJournal&) = delete;
    ChangeJournal& operator=(const ChangeJournal&) = delete;

    struct Kept {
        stLadderBlock* object;
        stLadderBlock before;  // the whole record before the first change, links included
    };

    // Keeps what object holds unless it was kept or made since the journal was opened.
    void note(stLadderBlock* object);
    void noteMade(stLadderBlock* object) { liveOnly.insert(object); }
    // object is about to be freed: true when the view needs it (it stays alive, held here).
    bool keepsFreed(stLadderBlock* object);
    // object has been deleted: a new object at its address is none the journal knows.
    void forgetDeleted(const stLadderBlock* object);
    bool keeps(const stLadderBlock* object) const { return keptAt.contains(object); }
    bool notedNothing() const { return kept.empty(); }
    // What object holds in the view.
    const stLadderBlock& inView(const stLadderBlock* object) const;
    // Takes the kept records, made and freed objects of a journal opened after this one, which
    // saw the changes made since then: this one stands for the same view as before.
    void absorb(ChangeJournal& later);
    // The objects only the view holds are deleted (the view is not needed any more).
    void deleteViewOnly();

    LadderList view;  // the main list's ends and current object in the view
    std::vector<Kept> kept;
    std::unordered_map<const stLadderBlock*, std::size_t> keptAt;
    std::unordered_set<stLadderBlock*> liveOnly;
    std::vector<stLadderBlock*> viewOnly;
    // The key-in object when the journal was opened: freed since, it is kept (outside the view).
    stLadderBlock* keptEditNew = nullptr;
    bool editNewFreed = false;
    // With the checks on: the view's objects and records when the journal was opened.
    std::vector<std::pair<const stLadderBlock*, stLadderBlock>> shadow;
    LadderList shadowEnds;
};

// Writes a kept record into its object; the object keeps its count of snapshots.
void putRecordBack(stLadderBlock& object, const stLadderBlock& record);

// The model's state (references into it): the journal that notes changes now, the innermost noted
// command's or outside commands the undo copy's (null when none does); the undo copy held as
// records (null when ldrUndoList holds it or there is none); whether NotedChanges is in force.
extern ChangeJournal*& recordingJournal;
extern std::shared_ptr<ChangeJournal>& undoJournal;
extern bool& changesNotedNow;
// Called as objects are made and deleted (the pool's operators).
void noteObjectMade(stLadderBlock* object);
void noteObjectDeleted(const stLadderBlock* object);
// disposeObject asks first: true when a journal keeps the object alive.
bool journalKeepsFreed(stLadderBlock* object);
// Deletes an object without asking the journals (they have let it go).
void deleteLadderObject(stLadderBlock* object);

// ---- Checks (tests) ----
bool notedChangeChecks();
// The main list's objects and records, and its ends.
std::vector<std::pair<const stLadderBlock*, stLadderBlock>> recordsOf(const LadderList& list);
// Stops the program with what differs when the journal's view is not what it was opened on.
void checkView(const ChangeJournal& journal, const char* when);
// Stops the program with what differs when list does not hold these records.
void checkList(const LadderList& list,
               const std::vector<std::pair<const stLadderBlock*, stLadderBlock>>& records,
               const LadderList& ends, const char* when);

// ---- The noted commands' snapshots (LadderSnapshots.cpp) ----
struct NotedSnapshotState;
// The outermost noted command open, or null.
NotedSnapshotState* outermostNotedCommand();
// True when no open noted command has noted anything and the main list's ends are those the
// outermost found.
bool nothingNotedInCommand();
// The undo copy the outermost noted command found is let go: kept for it until it has ended.
// False when there is none open, or it has let it go already.
bool retireUndoCopyForCommand();
// The command's journal becomes the undo copy once the command has ended (its view is the ladder
// as the command found it), with now as its current object; swapped, when given, is the undo copy
// that the command put in place of the main list (its objects change hands).
void journalBecomesUndoCopy(stLadderBlock* now, std::shared_ptr<ChangeJournal> swapped);

}  // namespace kestrion
