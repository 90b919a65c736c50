#include "wizards/gateway/LinkSetupItems.h"

#include "model/core/MainState.h"
#include "wizards/HelpViews.h"
#include "wizards/WizardsDialogs.h"
#include "wizards/calculators/CalculatorItems.h"

namespace kestrion {

namespace {

void showConnectionPicture(const char* caption, int topic) {
    wizardsDialogs().imageView(caption, topic, eightTenths(screenWidth), eightTenths(screenHeight));
}

}  // namespace

void AutoLink2Click() {
    showAutoLinkCalculator();
}

void Link485Image1Click() {
    showConnectionPicture("RS-485 link module: connection", 1);
}

void ccGateImage1Click() {
    showConnectionPicture("CC-Link gateway module: connection", 0);
}

}  // namespace kestrion
