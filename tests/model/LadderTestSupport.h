#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/core/LinkedList.h"
#include "model/image/ModeData.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "support/Fixture.h"

namespace kestrion::test {

class LadderTest : public CoreTest {
protected:
    LadderTest() {
        ModeData.xSizeSymble = 80;
        ModeData.ySizeSymble = 64;
        setupDrawGeometry();  // bus lines at 80 and 1120
    }
    static stLadderBlock* addBeforeEnd(std::uint32_t x, std::uint32_t y, std::uint16_t code = kCodeNop,
                                       std::uint32_t id = 1) {
        EXPECT_TRUE(ReallocLadderMemory(kLinkBeforeEnd, 0));
        stLadderBlock* object = ldrNew;
        object->xAddr = x;
        object->yAddr = y;
        object->Xend = x + 80;
        object->iCode = code;
        object->objLbc = id;
        return object;
    }
    static void buildList(const std::vector<std::pair<std::uint16_t, std::uint32_t>>& objects,
                          std::uint32_t endId) {
        initLadderList(1040, 0);
        std::uint32_t x = 80;
        for (const auto& [code, id] : objects) {
            addBeforeEnd(x, 0, code, id);
            x += 80;
        }
        ldrTail->objLbc = endId;
    }
    static std::vector<std::uint32_t> ids(const LadderList& list = ldrList) {
        std::vector<std::uint32_t> out;
        for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) out.push_back(o->objLbc);
        return out;
    }
    static std::vector<std::uint16_t> codes(const LadderList& list = ldrList) {
        std::vector<std::uint16_t> out;
        for (const stLadderBlock* o = list.head; o != nullptr; o = o->next) out.push_back(o->iCode);
        return out;
    }
    template <class List>
    static void expectConsistentLinks(const List& list) {
        if (list.head == nullptr) {
            EXPECT_EQ(list.tail, nullptr);
            return;
        }
        EXPECT_EQ(list.head->prev, nullptr);
        EXPECT_EQ(list.tail->next, nullptr);
        auto* last = list.head;
        for (auto* node = list.head; node->next != nullptr; node = node->next) {
            EXPECT_EQ(node->next->prev, node);
            last = node->next;
        }
        EXPECT_EQ(last, list.tail);
    }
};

}  // namespace kestrion::test
