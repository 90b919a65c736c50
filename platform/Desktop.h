// Opening a file or a program with the handler the user's desktop has for it (the flow-chart
// window's buttons). Separate from the other services: only a few commands need it, and a test that
// reaches it installs its own fake.
#pragma once

#include <string>

namespace kestrion::platform {

class Desktop {
public:
    virtual ~Desktop() = default;
    // Hands the file to the desktop's handler without waiting for it; false when the desktop
    // refused it.
    virtual bool openWithHandler(const std::string& path) = 0;
};

// Installs the service (the caller keeps it alive); nullptr removes it.
void installDesktop(Desktop* desktop);
bool desktopInstalled();
Desktop& desktop();

}  // namespace kestrion::platform
