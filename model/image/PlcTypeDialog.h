// The rules of the PLC type dialog (TPlcTypeForm, caption "Type setting"): six items, each a PLC
// model family, and the memory size code clamped to what the chosen family can hold. The window
// only shows the items and passes the clicks on.
#pragma once

#include <array>
#include <cstdint>

namespace kestrion {

struct PlcTypeItem {
    const char* label;
    std::int32_t plcType;
};

// In the order the items stand in the radio group.
constexpr std::array<PlcTypeItem, 6> kPlcTypeItems = {
    {{"q0", 1}, {"q4", 4}, {"q1", 6}, {"q2", 7}, {"q3", 5}, {"W3", 2}}};

// What the dialog gives back.
struct PlcTypeFormResult {
    std::uint8_t okFlag = 0;  // 1 after OK, 0 after Cancel
    std::int32_t memSizeCode = 0;
    std::int32_t plcType = 0;
};

class PlcTypeDialog {
public:
    // Set by the caller before the dialog is shown.
    std::int32_t memSizeCode = 0;
    std::int32_t plcType = 0;
    // Read by the caller afterwards: 1 after OK, 0 after Cancel.
    std::uint8_t okFlag = 0;
    // The selected item of the radio group.
    int itemIndex = 0;

    // Selects the item of the preset type; any other type becomes type 1 with the first item.
    void FormShow();
    // Takes the type of the clicked item and clamps the memory size code to it. An index outside
    // the items selects the first item again with type 1 and size 2.
    void FennuRadioGroupClick(int clickedIndex);
    void btnOkClick() { okFlag = 1; }
    void btnCancelClick() { okFlag = 0; }
    PlcTypeFormResult result() const { return {okFlag, memSizeCode, plcType}; }
};

}  // namespace kestrion
