#include "model/ladder/ChangeJournal.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "model/core/LinkedList.h"
#include "model/core/MemoryNotEnough.h"

namespace kestrion {

namespace {

bool checksOn = false;

// Every journal alive, recording or not: an object deleted is forgotten by each. Never destroyed:
// the model's state, which holds the undo copy's journal, may end after it.
std::vector<ChangeJournal*>& liveJournals() {
    static auto* journals = new std::vector<ChangeJournal*>;
    return *journals;
}

// The bytes of a record that a view holds: the links and every field (the count of snapshots that
// follows belongs to the object, not to the record).
constexpr std::size_t kRecordBytes = offsetof(stLadderBlock, heldBySnapshots);

bool sameRecord(const stLadderBlock& a, const stLadderBlock& b) {
    return std::memcmp(&a, &b, kRecordBytes) == 0;
}

[[noreturn]] void differs(const char* when, const char* what, std::size_t at) {
    std::fprintf(stderr, "noted changes: after %s, %s differs at object %zu\n", when, what, at);
    std::abort();
}

}  // namespace

ChangeJournal::ChangeJournal(const LadderList& main) : view(main) {
    liveJournals().push_back(this);
    if (!checksOn) return;
    shadow = recordsOf(main);
    shadowEnds = main;
}

ChangeJournal::~ChangeJournal() {
    auto& journals = liveJournals();
    journals.erase(std::remove(journals.begin(), journals.end(), this), journals.end());
    if (recordingJournal == this) recordingJournal = nullptr;
}

void ChangeJournal::note(stLadderBlock* object) {
    if (object == nullptr || keeps(object) || liveOnly.contains(object)) return;
    keptAt.emplace(object, kept.size());
    kept.push_back({object, *object});
}

bool ChangeJournal::keepsFreed(stLadderBlock* object) {
    if (object == keptEditNew) {
        editNewFreed = true;
        return true;
    }
    // Made since (or out of the view since an Undo): nothing needs it.
    if (liveOnly.contains(object) || !keeps(object)) return false;
    viewOnly.push_back(object);
    return true;
}

void ChangeJournal::forgetDeleted(const stLadderBlock* object) {
    // Only the address is looked up.
    const bool made = liveOnly.erase(const_cast<stLadderBlock*>(object)) > 0;
    const auto found = keptAt.find(object);
    if (found == keptAt.end()) return;
    // A kept object the view needs may not go while the journal lives.
    if (!made && checksOn)
        differs("freeing an object", "a kept object was freed, and the view", found->second);
    if (!made) return;
    kept[found->second].object = nullptr;
    keptAt.erase(found);
}

const stLadderBlock& ChangeJournal::inView(const stLadderBlock* object) const {
    const auto found = keptAt.find(object);
    return found == keptAt.end() ? *object : kept[found->second].before;
}

void ChangeJournal::absorb(ChangeJournal& later) {
    std::vector<Kept> laterKept = std::move(later.kept);
    std::unordered_set<stLadderBlock*> laterMade = std::move(later.liveOnly);
    std::vector<stLadderBlock*> laterFreed = std::move(later.viewOnly);
    later.kept.clear();
    later.keptAt.clear();
    later.liveOnly.clear();
    later.viewOnly.clear();
    for (Kept& k : laterKept) {
        if (k.object == nullptr || keeps(k.object) || liveOnly.contains(k.object)) continue;
        keptAt.emplace(k.object, kept.size());
        kept.push_back(k);
    }
    liveOnly.insert(laterMade.begin(), laterMade.end());
    std::vector<stLadderBlock*> unneeded;
    for (stLadderBlock* object : laterFreed)
        (liveOnly.contains(object) ? unneeded : viewOnly).push_back(object);
    if (later.editNewFreed && later.keptEditNew != nullptr) {
        if (later.keptEditNew == keptEditNew)
            editNewFreed = true;
        else
            unneeded.push_back(later.keptEditNew);
    }
    later.keptEditNew = nullptr;
    later.editNewFreed = false;
    for (stLadderBlock* object : unneeded) deleteLadderObject(object);
}

void ChangeJournal::deleteViewOnly() {
    std::vector<stLadderBlock*> objects = std::move(viewOnly);
    viewOnly.clear();
    for (stLadderBlock* object : objects) {
        if (const auto found = keptAt.find(object); found != keptAt.end()) {
            kept[found->second].object = nullptr;
            keptAt.erase(found);
        }
        deleteLadderObject(object);
    }
}

void putRecordBack(stLadderBlock& object, const stLadderBlock& record) {
    const std::uint8_t held = object.heldBySnapshots;
    object = record;
    object.heldBySnapshots = held;
}

void noteObjectMade(stLadderBlock* object) {
    if (ChangeJournal* journal = recordingJournal) journal->noteMade(object);
}

void noteObjectDeleted(const stLadderBlock* object) {
    for (ChangeJournal* journal : liveJournals()) journal->forgetDeleted(object);
}

bool journalKeepsFreed(stLadderBlock* object) {
    ChangeJournal* journal = recordingJournal;
    return journal != nullptr && journal->keepsFreed(object);
}

void noteObjectChange(stLadderBlock* object) {
    if (ChangeJournal* journal = recordingJournal) journal->note(object);
}

NotedChanges::NotedChanges() : before_(changesNotedNow) {
    changesNotedNow = true;
}

NotedChanges::~NotedChanges() {
    changesNotedNow = before_;
}

bool changesNoted() {
    return changesNotedNow;
}

// ---- The undo copy ------------------------------------------------------------------------------

bool hasUndoCopy() {
    const ChangeJournal* journal = undoJournal.get();
    return ldrUndoHead != nullptr || (journal != nullptr && journal->view.head != nullptr);
}

void dropUndoCopy() {
    if (retireUndoCopyForCommand()) return;
    if (const std::shared_ptr<ChangeJournal> journal = std::exchange(undoJournal, nullptr)) {
        if (recordingJournal == journal.get()) recordingJournal = nullptr;
        journal->deleteViewOnly();
    }
    freeLadderList(ldrUndoList);
}

void copyMainListForUndo() {
    dropUndoCopy();
    // A noted command that has changed nothing yet: the ladder as it found it is its own view.
    if (outermostNotedCommand() != nullptr && nothingNotedInCommand()) {
        journalBecomesUndoCopy(nullptr, nullptr);
        return;
    }
    copyMainList(ldrUndoList);
}

void settleUndoCopy() {
    const std::shared_ptr<ChangeJournal> journal = undoJournal;
    if (journal == nullptr) return;
    if (checksOn) checkView(*journal, "the undo copy was made a list");
    ChangeJournal*& recording = recordingJournal;
    if (recording == journal.get()) recording = nullptr;
    LadderList copy;
    for (const stLadderBlock* at = journal->view.head; at != nullptr;) {
        const stLadderBlock& record = journal->inView(at);
        auto* twin = allocateOrHalt<stLadderBlock>("Memory not enough...system halt");
        *twin = record;
        twin->heldBySnapshots = 0;
        twin->next = twin->prev = nullptr;
        links::pushBack(copy, twin);
        if (at == journal->view.now) copy.now = twin;
        at = record.next;
    }
    dropUndoCopy();
    ldrUndoList = copy;
}

void swapUndoCopy() {
    const std::shared_ptr<ChangeJournal> journal = undoJournal;
    if (journal == nullptr) {
        std::swap(ldrList, ldrUndoList);
        return;
    }
    // Outside a noted command, or inside one that has changed the ladder already, the undo copy
    // is made a list first.
    if (outermostNotedCommand() == nullptr || !nothingNotedInCommand()) {
        settleUndoCopy();
        std::swap(ldrList, ldrUndoList);
        return;
    }
    if (checksOn) checkView(*journal, "Undo");
    // The command's view is the ladder Undo leaves: it becomes the undo copy.
    retireUndoCopyForCommand();
    journalBecomesUndoCopy(ldrList.now, journal);
    for (ChangeJournal::Kept& k : journal->kept) {
        if (k.object == nullptr) continue;
        noteObjectChange(k.object);
        putRecordBack(*k.object, k.before);
    }
    ldrList = journal->view;
}

// ---- Checks -------------------------------------------------------------------------------------

void checkNotedChanges(bool on) {
    checksOn = on;
}

bool notedChangeChecks() {
    return checksOn;
}

std::vector<std::pair<const stLadderBlock*, stLadderBlock>> recordsOf(const LadderList& list) {
    std::vector<std::pair<const stLadderBlock*, stLadderBlock>> records;
    for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) records.emplace_back(o, *o);
    return records;
}

void checkView(const ChangeJournal& journal, const char* when) {
    const auto& shadow = journal.shadow;
    if (journal.view.head != journal.shadowEnds.head || journal.view.tail != journal.shadowEnds.tail)
        differs(when, "the view's ends", 0);
    std::size_t i = 0;
    for (const stLadderBlock* at = journal.view.head; at != nullptr; ++i) {
        const stLadderBlock& record = journal.inView(at);
        if (i >= shadow.size() || shadow[i].first != at || !sameRecord(record, shadow[i].second))
            differs(when, "the view", i);
        at = record.next;
    }
    if (i != shadow.size()) differs(when, "the view's length", i);
}

void checkList(const LadderList& list,
               const std::vector<std::pair<const stLadderBlock*, stLadderBlock>>& records,
               const LadderList& ends, const char* when) {
    if (list.head != ends.head || list.tail != ends.tail || list.now != ends.now)
        differs(when, "a list's ends", 0);
    std::size_t i = 0;
    for (const stLadderBlock* at = list.head; at != nullptr; at = at->next, ++i)
        if (i >= records.size() || records[i].first != at || !sameRecord(*at, records[i].second))
            differs(when, "a list", i);
    if (i != records.size()) differs(when, "a list's length", i);
}

}  // namespace kestrion
