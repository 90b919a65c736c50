#include "support/gui/RealServicesTest.h"

#include <unistd.h>

#include "app/forms/LogoUnit.h"
#include "support/Fixture.h"

namespace kestrion::testing {

RealServicesTest::RealServicesTest(const std::string& tag)
    : home(std::filesystem::temp_directory_path() / ("kestrion-" + tag + "-" + std::to_string(getpid()))),
      files(home.string(), KESTRION_TEST_DATA_DIR),
      services(files) {
    resetAllState();
    std::filesystem::remove_all(home);
    services.install();
}

RealServicesTest::~RealServicesTest() {
    delete app::LogoForm.data();
    resetAllState();
    std::filesystem::remove_all(home);
}

}  // namespace kestrion::testing
