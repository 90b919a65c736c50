#include "model/image/PlcTypeDialog.h"

#include <algorithm>

namespace kestrion {

void PlcTypeDialog::FormShow() {
    const auto item =
        std::find_if(kPlcTypeItems.begin(), kPlcTypeItems.end(),
                     [this](const PlcTypeItem& candidate) { return candidate.plcType == plcType; });
    if (item == kPlcTypeItems.end()) {
        plcType = 1;
        itemIndex = 0;
        return;
    }
    itemIndex = static_cast<int>(item - kPlcTypeItems.begin());
}

void PlcTypeDialog::FennuRadioGroupClick(int clickedIndex) {
    itemIndex = clickedIndex;
    switch (clickedIndex) {
        case 0:  // q0
        case 2:  // q1
            if (memSizeCode >= 4) memSizeCode = 2;
            break;
        case 1:  // q4
            if (memSizeCode >= 8) memSizeCode = 8;
            break;
        case 3:  // q2
            if (memSizeCode >= 16) memSizeCode = 8;
            break;
        case 4:  // q3
            if (memSizeCode == 16) memSizeCode = 8;
            break;
        case 5:  // W3
            memSizeCode = 64;
            break;
        default:
            itemIndex = 0;
            plcType = 1;
            memSizeCode = 2;
            return;
    }
    plcType = kPlcTypeItems[static_cast<std::size_t>(clickedIndex)].plcType;
}

}  // namespace kestrion
