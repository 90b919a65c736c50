#include "model/ladder/ContactRenamers.h"

#include "model/LadderTestSupport.h"

namespace kestrion::test {
namespace {

using ContactRenamers = LadderTest;

struct RenameCase {
    std::uint16_t code;
    const char* mnemonic;
    std::uint16_t ld, andCode, orCode;
    const char *ldText, *andText, *orText;
};

TEST_F(ContactRenamers, EachContactMapsOneToOneOntoItsLdAndAndOrForms) {
    const RenameCase cases[] = {
        {0x2405, "LD", 0x2405, 0x4405, 0x6405, "LD", "AND", "OR"},
        {0x7405, "ORI", 0x3405, 0x5405, 0x7405, "LDI", "ANI", "ORI"},
        {0x01C5, "ANI", 0x01C3, 0x01C5, 0x01C7, "LDI", "ANI", "ORI"},
        {0x01CE, "ORP", 0x01CA, 0x01CC, 0x01CE, "LDP", "ANDP", "ORP"},
        {0x03CB, "LDF", 0x03CB, 0x03CD, 0x03CF, "LDF", "ANDF", "ORF"},
        {0x01ED, "ANDD<=", 0x01DD, 0x01ED, 0x01FD, "LDD<=", "ANDD<=", "ORD<="},
        {0x11F0, "OR=", 0x11D0, 0x11E0, 0x11F0, "LD=", "AND=", "OR="},
    };
    for (const auto& c : cases) {
        const std::uint16_t expected[] = {c.ld, c.andCode, c.orCode};
        const char* texts[] = {c.ldText, c.andText, c.orText};
        for (int family = 0; family < 3; ++family) {
            const auto target = static_cast<ContactFamily>(family);
            EXPECT_EQ(renamedContactCode(c.code, target), expected[family]) << c.mnemonic << family;
            EXPECT_EQ(renamedContactMnemonic(c.mnemonic, target), texts[family]) << c.mnemonic << family;
        }
    }
}

TEST_F(ContactRenamers, NonContactsAndInvAreNeverRenamed) {
    for (const std::uint16_t code :
         {0xFFFD, 0xC000, 0x1000, 0x000F, 0x01C0, 0x01C8, 0x01DE, 0x01FE, 0x11DE, 0xFFF9})
        EXPECT_FALSE(renamedContactCode(static_cast<std::uint16_t>(code), ContactFamily::Or)) << code;
}

TEST_F(ContactRenamers, OnlyObjectsExactlyAtThePositionAreRenamed) {
    initLadderList(1040, 640);
    stLadderBlock* contact = addBeforeEnd(160, 64, 0x3005);
    setText(contact->mnemonic, "LDI");
    stLadderBlock* output = addBeforeEnd(160, 64, 0xC005);
    setText(output->mnemonic, "OUT");
    stLadderBlock* beside = addBeforeEnd(240, 64, 0x2005);
    _RenameInstrToOr(160, 64);
    EXPECT_EQ(contact->iCode, 0x7005);
    EXPECT_EQ(textOf(contact->mnemonic), "ORI");
    EXPECT_EQ(output->iCode, 0xC005);
    EXPECT_EQ(beside->iCode, 0x2005);
    _RenameInstrToAnd(160, 64);
    EXPECT_EQ(textOf(contact->mnemonic), "ANI");
    _RenameInstrToLd(160, 64);
    EXPECT_EQ(contact->iCode, 0x3005);
}

}  // namespace
}  // namespace kestrion::test
