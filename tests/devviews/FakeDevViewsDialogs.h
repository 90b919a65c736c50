#pragma once

#include <vector>

#include "devviews/DevViewsDialogs.h"

namespace kestrion::test {

// Records the views shown; the developer access answers with the choice set beforehand.
class FakeDevViewsDialogs : public DevViewsDialogs {
public:
    void showTextView(const DevTextView& view) override { views.push_back(view); }
    void viewMore(ViewMoreDialog& dialog) override {
        presets.push_back(dialog);
        dialog = answer;
    }
    void showDeveloperMenus(bool shown) override { menusShown.push_back(shown); }

    ViewMoreDialog answer;
    std::vector<DevTextView> views;
    std::vector<ViewMoreDialog> presets;
    std::vector<bool> menusShown;
};

}  // namespace kestrion::test
