// The main window's parameter view as a test sees it: the rows of every list shown, in order.
#pragma once

#include <vector>

#include "wizards/gateway/LinkSetupCommands.h"

namespace kestrion::test {

class FakeParameterListView : public ParameterListView {
public:
    void showRows(std::vector<ParameterRow> rows) override { shown.push_back(std::move(rows)); }

    std::vector<std::vector<ParameterRow>> shown;
};

}  // namespace kestrion::test
