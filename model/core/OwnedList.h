// A doubly linked list that owns its nodes: the comment lists and the monitor lists. Its pointers
// are the lists' own globals (head, the node last appended, tail, the node a user selected and the
// walker that designates the node to delete). Copying it copies every node, with the designating
// pointers moved onto the copies, so a snapshot of the model holds lists of its own.
#pragma once

#include <utility>

#include "model/core/LinkedList.h"

namespace kestrion {

template <class Node>
struct OwnedList {
    Node* head = nullptr;
    Node* selected = nullptr;
    Node* newest = nullptr;
    Node* tail = nullptr;
    Node* walker = nullptr;

    OwnedList() = default;
    OwnedList(const OwnedList& other) { copyFrom(other); }
    OwnedList(OwnedList&& other) noexcept { take(other); }
    OwnedList& operator=(OwnedList other) noexcept {
        clear();
        take(other);
        return *this;
    }
    ~OwnedList() { clear(); }

    // Frees every node from the tail towards the head; every pointer ends null.
    void clear() {
        links::disposeAll(*this, [](Node* node) { delete node; });
        selected = newest = walker = nullptr;
    }

private:
    void take(OwnedList& other) noexcept {
        head = std::exchange(other.head, nullptr);
        selected = std::exchange(other.selected, nullptr);
        newest = std::exchange(other.newest, nullptr);
        tail = std::exchange(other.tail, nullptr);
        walker = std::exchange(other.walker, nullptr);
    }

    void copyFrom(const OwnedList& other) {
        for (const Node* node = other.head; node != nullptr; node = node->next) {
            Node* copy = new Node(*node);
            links::pushBack(*this, copy);
            if (node == other.selected) selected = copy;
            if (node == other.newest) newest = copy;
            if (node == other.walker) walker = copy;
        }
    }
};

}  // namespace kestrion
