#pragma once

#include <gmock/gmock.h>

#include <string>

#include "editor/LadderLayout.h"
#include "entry/EntryTestSupport.h"
#include "model/ladder/EditorServices.h"

namespace kestrion::test {

// "L x1,y1 x2,y2", with the arc's start angle, the text and its size, and the ink when not a wire.
inline std::string describe(const Primitive& p) {
    std::string out(1, "LRFAT"[static_cast<int>(p.kind)]);
    out += " " + std::to_string(p.x1) + "," + std::to_string(p.y1) + " " + std::to_string(p.x2) + "," +
           std::to_string(p.y2);
    if (p.kind == PrimitiveKind::Arc) out += " @" + std::to_string(p.startAngle);
    if (p.kind == PrimitiveKind::Text) out += " " + p.text + "/" + std::to_string(p.pixelSize);
    if (p.ink != Ink::Wire && p.ink != Ink::Text) out += " ink" + std::to_string(static_cast<int>(p.ink));
    if (p.wrap) out += " wrapped";
    return out;
}

inline Texts describe(const Primitives& primitives) {
    Texts out;
    for (const Primitive& p : primitives) out.push_back(describe(p));
    return out;
}

// A typed program: LD X0 and AND X2 with OUT Y0, and OR X1 in parallel under the first contact.
class ViewTest : public EntryTest {
protected:
    void typeContactCoilAndBranch() { typeLines({"LD X0", "AND X2", "OUT Y0", "@80,64", "OR X1"}); }
};

}  // namespace kestrion::test
