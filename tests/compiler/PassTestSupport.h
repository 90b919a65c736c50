#pragma once

#include <string>

#include "devviews/ObjectListDump.h"
#include "model/CanvasTestSupport.h"
#include "model/ladder/LadderSearch.h"

namespace kestrion::test {

class PassTest : public CanvasTest {
protected:
    void drawLadder(const Picture& picture, std::uint32_t endId = 2) {
        const auto lines = static_cast<std::uint32_t>((picture.size() + 1) / 2);
        restart(lines * 64 + 64);
        ldrTail->objLbc = endId;
        Picture withTails = picture;
        for (std::string& line : withTails) {
            const std::size_t output = line.find('Y');
            if (output == std::string::npos) continue;
            line.resize(28, ' ');
            for (std::size_t c = output + 2; c < 28; c += 2) line[c] = 'y';
        }
        paint(withTails);
        clearCompileVirtualArray();
    }

    static stLadderBlock* at(std::uint16_t code, const char* mnemonic, std::uint32_t c, std::uint32_t r,
                             std::uint32_t top = 0, std::uint32_t id = 1) {
        stLadderBlock* o = object(code, c * 40, r * 32, top, id, mnemonic);
        if (code == kOut) o->end = kEndOutput;
        return o;
    }

    static Texts listed() {
        Texts rows = objectListDumpRows();
        if (!rows.empty()) rows.pop_back();
        return rows;
    }
    static Picture compileDump(std::size_t rows) {
        Picture picture = virtualArrayDumpRows(kDumpCompileVirtualArray);
        picture.resize(rows);
        return picture;
    }
};

}  // namespace kestrion::test
