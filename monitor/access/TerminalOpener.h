// xRS > "WriteAnyCommand": the any-command terminal, opened on the free user and leaving the link
// as it found it; and the refusal of the service windows while a monitor polls the same port.
#pragma once

#include <string>

namespace kestrion {

// True (after its box) while a monitor runs: a service request would interleave with its poll.
bool serviceRefusedWhileMonitoring(const std::string& caption);

void WriteAnyCommand1Click();

}  // namespace kestrion
