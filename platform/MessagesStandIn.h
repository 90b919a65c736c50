// A message service that stands in for the installed one while it lives and puts that one back
// when it ends: the base of a step that has to see the boxes shown beneath it, to count its errors
// or to keep them from the user. The one it replaced is still there to pass a box on to.
#pragma once

#include "platform/Services.h"

namespace kestrion::platform {

class MessagesStandIn : public Messages {
public:
    MessagesStandIn();
    ~MessagesStandIn() override;
    MessagesStandIn(const MessagesStandIn&) = delete;
    MessagesStandIn& operator=(const MessagesStandIn&) = delete;

protected:
    Messages& replaced() const { return replaced_; }

private:
    Messages& replaced_;
};

}  // namespace kestrion::platform
