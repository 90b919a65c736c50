// The command transaction: a command that changes the model runs inside one, and on any failure
// the model is put back exactly as it was before the command.
//
// The model is made of parts (the program image, the ladder object lists, the edit marks, the edit
// and file flags; later ones add theirs). Each part registers once how to take a snapshot of
// itself; the snapshot is the function that puts the part back. A snapshot should cost little for
// a large program: a part shares what a command leaves alone rather than copying it (the grids
// share their rows, the ladder lists keep their objects alive until the command has ended) and
// copies only what commands change in place.
#pragma once

#include <functional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/core/CommandError.h"

namespace kestrion {

namespace transaction {

using Restore = std::function<void()>;
using TakeSnapshot = Restore (*)();
using End = void (*)();

// Registers a part; returns true so that it can initialise a static. A name registers once. The
// end, when given, runs once the outermost transaction has ended, committed or put back.
bool registerPart(std::string_view name, TakeSnapshot snapshot, End end = nullptr);
std::vector<std::string_view> registeredParts();
// True while a transaction is open (commands may nest).
bool active();

// While one stands no transaction is open: work on a model of its own (ScratchModel) runs as it
// would outside every command, and the commands it interrupted are open again when it ends.
class Suspension {
public:
    Suspension();
    ~Suspension();
    Suspension(const Suspension&) = delete;
    Suspension& operator=(const Suspension&) = delete;

private:
    int open_;
};

}  // namespace transaction

// Takes a snapshot of every registered part; puts them all back when it ends without commit().
class CommandTransaction {
public:
    CommandTransaction();
    ~CommandTransaction();
    CommandTransaction(const CommandTransaction&) = delete;
    CommandTransaction& operator=(const CommandTransaction&) = delete;

    void commit() noexcept { committed_ = true; }

private:
    std::vector<transaction::Restore> restores_;
    bool committed_ = false;
};

// Runs a command inside a transaction. The changes stay when it returns true (or returns nothing);
// they are undone when it returns false or throws a CommandError, which ends here (the user has
// been told why). Any other exception undoes the changes and goes on up. True when committed.
template <class Command>
bool runCommand(Command&& command) {
    CommandTransaction transaction;
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Command>>) {
            std::forward<Command>(command)();
        } else if (!std::forward<Command>(command)()) {
            return false;
        }
    } catch (const CommandError&) {
        return false;
    }
    transaction.commit();
    return true;
}

}  // namespace kestrion
