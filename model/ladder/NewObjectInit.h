// The clearing of a newly made ladder object (ldrNew) before its creator fills and links it: its
// texts, then its monitor fields. Position, codes, block id, objNo, the object and ID texts and
// the links are the creator's to set.
#pragma once

namespace kestrion {

// The mnemonic, the five operand texts and the sixth operand slot become empty.
void initNewObjectText();
// The monitor words and the monitored values become zero.
void initNewObjectFields();

}  // namespace kestrion
