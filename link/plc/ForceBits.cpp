#include "link/plc/ForceBits.h"

#include <algorithm>
#include <cctype>

#include "link/line/CommRecord.h"
#include "link/line/Connection.h"
#include "link/line/Frames.h"
#include "link/line/LinkCommand.h"
#include "link/line/Receive.h"
#include "link/line/Requests.h"
#include "link/plc/RelayForces.h"
#include "model/image/ProgramImage.h"
#include "platform/Box.h"
#include "platform/Services.h"

namespace kestrion {

namespace {

constexpr std::size_t kLongestDevice = 5;

ForceTarget at(std::uint32_t address) {
    return {ForceTarget::Kind::Address, address};
}
constexpr ForceTarget kRefused{ForceTarget::Kind::Refused, 0};
constexpr ForceTarget kNotOnType{ForceTarget::Kind::NotOnType, 0};

// Y0..Y177 written with octal digits.
ForceTarget outputTarget(std::uint32_t n, int type) {
    if (n > 177 || n % 10 > 7 || n / 10 % 10 > 7) return kRefused;
    const std::uint32_t octal = 64 * (n / 100) + 8 * (n / 10 % 10) + n % 10;
    // Deliberately Y at 5E00h on type 2, as the monitor's device map of type 2 has it, and not at
    // 0C00h: 0C00h is Y only on types 5 and 7, and forcing there on a type 2 would switch another
    // device.
    if (type == 2) return at(0x5E00 + octal);
    return at((type == 5 || type == 7 ? 0x0C00 : 0x0500) + octal);
}

ForceTarget relayTarget(std::uint32_t n, int type) {
    if ((n >= 7680 && n <= 7999) || n > 8511) return kRefused;
    if (n >= 8000) {
        if (type == 2) return at(0x6000 + n - 8000);
        if (type == 5 && n <= 8255) return at(0x0E00 + n - 8000);
        return kNotOnType;
    }
    if (type == 2) return at(0x4000 + n);
    if (type == 5 || type == 7) return at(n);
    return at(0x0800 + n);
}

ForceTarget stateTarget(std::uint32_t n, int type) {
    if (n > 4095) return kRefused;
    if (type == 2) return at(0x6700 + n);
    if (n >= 1000) return kNotOnType;
    return at(type == 5 || type == 7 ? 0x1400 + n : n);
}

}  // namespace

ForceTarget forceTargetOf(char letter, std::uint32_t number, int plcType) {
    switch (letter) {
        case 'Y': return outputTarget(number, plcType);
        case 'M': return relayTarget(number, plcType);
        case 'S': return stateTarget(number, plcType);
        default: return kRefused;
    }
}

void ForceOnOffDialog::ForceOnOffEditChange(const std::string& text) {
    editText = text;
    std::transform(editText.begin(), editText.end(), editText.begin(),
                   [](char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); });
    executeEnabled = false;
    if (editText.size() < 2) return;
    if (editText.size() > kLongestDevice) {
        platform::say({"Error2018050901", "Command Error!", platform::MsgIcon::Warning});
        return;
    }
    const char letter = editText[0];
    if (letter != 'Y' && letter != 'M' && letter != 'S') {
        editText.clear();
        return;
    }
    if (!std::all_of(editText.begin() + 1, editText.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        platform::say(
            {"Error2015091201...Device no must be 0~9", "Error Message", platform::MsgIcon::Warning});
        editText.clear();
        return;
    }
    yDevice = letter == 'Y' ? 1 : 0;
    mDevice = letter == 'M' ? 1 : 0;
    sDevice = letter == 'S' ? 1 : 0;
    const auto number = static_cast<std::uint32_t>(std::stoul(editText.substr(1)));
    const ForceTarget target = forceTargetOf(letter, number, pmw.plcType());
    if (target.kind == ForceTarget::Kind::Refused) {
        static constexpr const char* refusals[] = {"Error2015091202...Not a correct value",
                                                   "Error2015091203...Not a correct value",
                                                   "Error2015091204...Not a correct value"};
        platform::say({refusals[letter == 'Y'   ? 0
                                : letter == 'M' ? 1
                                                : 2],
                       "Error Message", platform::MsgIcon::Warning});
        editText = std::string(1, letter);
        return;
    }
    if (target.kind == ForceTarget::Kind::NotOnType) return;
    executeEnabled = true;
    forceAddress = target.address;
    addressText = hex4(forceAddress);
}

void ForceOnOffDialog::ForceOnOffRadioGroupClick(int index) {
    forceOn = index == 1 ? 1 : 0;
}

void ForceOnOffDialog::btnExecuteForceOnOffClick() {
    if (editText.empty()) {
        platform::say({"Error2015030203", "Device Error", platform::MsgIcon::Error});
        return;
    }
    if (!executeEnabled) return;  // the button cannot be pressed then
    // A step of the dialog's command, which keeps the port while the dialog is open.
    runLinkCommand(PortAfter::KeepOpen, [this](LinkSession& step) {
        requireConnection();
        if (monitorRunning == 0) {
            step.closePortAtEnd();  // a failed register read or type check gives the port up
            requireSystemBlock();
            requireTypeMatch({"Device type Error...", "Error2015030207", platform::MsgIcon::Warning});
            step.keepPortOpen();
        }
        // A NAK failed like a time-out: the device was not forced.
        if (sendForceFrame(forceOn != 0, forceAddress, pmw.plcType()) != LinkOutcome::Done)
            failCommand({"Error2015030511", "Communication Message", platform::MsgIcon::Warning});
        memo.push_back(editText + (forceOn != 0 ? " ON" : " OFF"));
    });
}

}  // namespace kestrion
