#include "platform/MessagesStandIn.h"

namespace kestrion::platform {

namespace {

// Every other service stays as it is installed.
void installMessages(Messages* messages) {
    install(
        {messages, &statusBar(), &trace(), &progress(), &system(), &clock(), &timers(), &files(), &serial()});
}

}  // namespace

MessagesStandIn::MessagesStandIn() : replaced_(messages()) {
    installMessages(this);
}

MessagesStandIn::~MessagesStandIn() {
    installMessages(&replaced_);
}

}  // namespace kestrion::platform
