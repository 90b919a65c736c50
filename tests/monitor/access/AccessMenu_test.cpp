#include "monitor/access/AccessMenu.h"

#include <string>

#include "support/Fixture.h"

namespace kestrion::test {
namespace {

// The developer menu's items show once xRS and xTHIS show and are live; Monitor > "Axis Monitor" is
// there but disabled by its definition (nothing enables it).
TEST(AccessMenu, TheRowsAreLiveButAxisMonitorWhichStaysDisabled) {
    std::string rows;
    for (const MenuRow& row : accessMenuRows())
        rows += std::string(row.objectName) + " " + row.parent + (row.options.hidden ? " hidden" : "") +
                (row.options.checkable ? " checkable" : "") + (row.options.disabled ? " disabled" : "") +
                (row.command != nullptr ? "" : " inert") + "; ";
    EXPECT_EQ(rows,
              "WriteAnyAddress1 xRS; ReadAnyAddress1 xRS; BitWrAnyAddress1 xRS; SubReadAnyAddress1 xRS; "
              "WriteAnyCommand1 xRS; SoftwareVariable1 xTHIS; AxisMonitor1 MonitorMenu disabled; ");
}

}  // namespace
}  // namespace kestrion::test
