// The link operations shared by every doubly linked list of the model: ladder objects, row marks,
// delete-step records and monitor entries. A list is any struct with `head` and `tail`; a node is
// any struct with `next` and `prev`. These are the only places that rewrite links, so the head's
// prev and the tail's next stay null and every inner node keeps both links.
#pragma once

#include <cassert>
#include <cstddef>
#include <type_traits>
#include <vector>

namespace kestrion::links {

template <class List>
bool isEmpty(const List& list) {
    return list.head == nullptr;
}

// True when the list holds exactly one node.
template <class List>
bool holdsOne(const List& list) {
    return list.head != nullptr && list.head == list.tail;
}

template <class List, class Node>
void pushBack(List& list, Node* node) {
    node->next = nullptr;
    node->prev = list.tail;
    if (list.tail != nullptr) {
        list.tail->next = node;
    } else {
        list.head = node;
    }
    list.tail = node;
}

// Links node in front of at, which is in the list; in front of the head it becomes the head.
template <class List, class Node>
void insertBefore(List& list, Node* at, Node* node) {
    assert(at != nullptr);
    node->next = at;
    node->prev = at->prev;
    if (at->prev != nullptr) {
        at->prev->next = node;
    } else {
        list.head = node;
    }
    at->prev = node;
}

// Links node behind at, which is in the list; behind the tail it becomes the tail.
template <class List, class Node>
void insertAfter(List& list, Node* at, Node* node) {
    assert(at != nullptr);
    node->prev = at;
    node->next = at->next;
    if (at->next != nullptr) {
        at->next->prev = node;
    } else {
        list.tail = node;
    }
    at->next = node;
}

// Takes node out of the list, joining its neighbours, and clears its links.
template <class List, class Node>
void unlink(List& list, Node* node) {
    if (node->prev != nullptr) {
        node->prev->next = node->next;
    } else {
        list.head = node->next;
    }
    if (node->next != nullptr) {
        node->next->prev = node->prev;
    } else {
        list.tail = node->prev;
    }
    node->next = nullptr;
    node->prev = nullptr;
}

// Frees every node from the tail towards the head with dispose(node); head and tail end null.
// Returns the number of nodes freed.
template <class List, class Dispose>
int disposeAll(List& list, Dispose dispose) {
    int count = 0;
    while (list.tail != nullptr) {
        auto* node = list.tail;
        unlink(list, node);
        dispose(node);
        ++count;
    }
    return count;
}

template <class List>
int countNodes(const List& list) {
    int count = 0;
    for (auto* node = list.head; node != nullptr; node = node->next) ++count;
    return count;
}

// ---- Copies by value, for snapshots of the model ----------------------------------------------

// The nodes of a list, head first, copied by value (their links are meaningless in the copy).
template <class List>
auto copyNodes(const List& list) {
    std::vector<std::remove_cvref_t<decltype(*list.head)>> nodes;
    for (auto* node = list.head; node != nullptr; node = node->next) nodes.push_back(*node);
    return nodes;
}

// Where node stands in the list, counted from the head; -1 when it is null or not in the list.
template <class List, class Node>
std::ptrdiff_t indexOf(const List& list, const Node* node) {
    std::ptrdiff_t index = 0;
    for (auto* at = list.head; at != nullptr; at = at->next, ++index)
        if (at == node) return index;
    return -1;
}

// Appends a new node for each copy to the (empty) list; returns the new nodes in order.
template <class List, class Node>
std::vector<Node*> rebuild(List& list, const std::vector<Node>& copies) {
    std::vector<Node*> nodes;
    nodes.reserve(copies.size());
    for (const Node& copy : copies) {
        Node* node = new Node(copy);
        pushBack(list, node);
        nodes.push_back(node);
    }
    return nodes;
}

// The node at index in nodes, or null for -1.
template <class Node>
Node* nodeAt(const std::vector<Node*>& nodes, std::ptrdiff_t index) {
    return index < 0 ? nullptr : nodes[static_cast<std::size_t>(index)];
}

}  // namespace kestrion::links
