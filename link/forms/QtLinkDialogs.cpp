#include "link/forms/QtLinkDialogs.h"

#include "link/forms/PortSelForm.h"
#include "link/forms/RsTimOutForm.h"

namespace kestrion::forms {

bool QtLinkDialogs::portSelection(const std::string& caption) {
    return runPortSelForm(caption);
}

RsTimOutResult QtLinkDialogs::replyTimeOut(const std::string& caption, int timeOutIndex, int retryIndex) {
    return runRsTimOutForm(caption, timeOutIndex, retryIndex);
}

}  // namespace kestrion::forms
