// Clicks that need the PLC line while a monitor polls it.
#pragma once

#include <functional>

class QObject;

namespace kestrion::forms {

// Runs a click that needs the line now, or, while the poll's own request waits for its reply, as
// soon as that wait has ended (the poll makes no new request meanwhile). Without this such a click
// would find the line busy one time in three at 9600 baud. Nothing runs once context is gone.
void runWhenLineFree(QObject* context, std::function<void()> click);

}  // namespace kestrion::forms
