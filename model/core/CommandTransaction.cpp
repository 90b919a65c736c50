#include "model/core/CommandTransaction.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace kestrion {

namespace transaction {

namespace {

struct Part {
    std::string_view name;
    TakeSnapshot snapshot;
    End end;
};

int openTransactions = 0;

// Built on first use: parts register while statics of other files are initialised.
std::vector<Part>& parts() {
    static std::vector<Part> registered;
    return registered;
}

}  // namespace

bool registerPart(std::string_view name, TakeSnapshot snapshot, End end) {
    auto& list = parts();
    if (snapshot == nullptr ||
        std::any_of(list.begin(), list.end(), [&](const Part& p) { return p.name == name; }))
        throw std::logic_error("command transaction: part " + std::string(name) + " registered twice");
    list.push_back({name, snapshot, end});
    return true;
}

bool active() {
    return openTransactions > 0;
}

Suspension::Suspension() : open_(openTransactions) {
    openTransactions = 0;
}

Suspension::~Suspension() {
    openTransactions = open_;
}

std::vector<std::string_view> registeredParts() {
    std::vector<std::string_view> names;
    for (const Part& part : parts()) names.push_back(part.name);
    return names;
}

}  // namespace transaction

CommandTransaction::CommandTransaction() {
    ++transaction::openTransactions;
    try {
        for (const transaction::Part& part : transaction::parts()) restores_.push_back(part.snapshot());
    } catch (...) {
        --transaction::openTransactions;
        throw;
    }
}

CommandTransaction::~CommandTransaction() {
    if (!committed_)
        for (auto restore = restores_.rbegin(); restore != restores_.rend(); ++restore) (*restore)();
    restores_.clear();
    if (--transaction::openTransactions > 0) return;
    for (const transaction::Part& part : transaction::parts())
        if (part.end != nullptr) part.end();
}

}  // namespace kestrion
