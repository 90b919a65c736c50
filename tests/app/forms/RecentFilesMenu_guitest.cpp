#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/forms/MainUnit.h"
#include "model/core/MainState.h"
#include "model/image/ClipboardBlock.h"
#include "model/image/RecentFiles.h"
#include "platform/PosixFiles.h"
#include "support/Fixture.h"
#include "support/gui/RealServicesTest.h"

namespace kestrion::app {
namespace {

namespace fs = std::filesystem;

class RecentFilesMenuTest : public kestrion::test::RealServicesTest {
protected:
    RecentFilesMenuTest() : RealServicesTest("recent") {}
    void writeSettings(const std::vector<std::string>& recent, char languageNo = 0) {
        std::vector<char> bytes(512, '\0');
        bytes[16] = languageNo;
        bytes[20] = 10;
        for (std::size_t slot = 0; slot < recent.size(); ++slot)
            std::copy(recent[slot].begin(), recent[slot].end(), bytes.begin() + 128 + 96 * slot);
        fs::create_directories(home);
        std::ofstream(home / "ModeData.DAT", std::ios::binary).write(bytes.data(), 512);
    }
    std::vector<std::uint8_t> readSettings() const {
        return files.readWhole((home / "ModeData.DAT").string(), 512).data.bytes();
    }
};

TEST_F(RecentFilesMenuTest, StoredFilesAreListedReadableInTheCodePageOfTheLanguageAndTheSeparatorShown) {
    writeSettings({"/home/tester/Line & Press.PMW", "/home/tester/\xB5\x7B\xA6\xA1.PMW"}, 1);
    TMainForm form(services);
    form.show();
    EXPECT_EQ(form.File11->text(), "/home/tester/Line && Press.PMW");
    EXPECT_EQ(form.File21->text().toStdString(), "/home/tester/程式.PMW");
    QString visible;
    for (QAction* item : {form.File11, form.File21, form.File31, form.File41, form.FileBar1})
        visible += item->isVisible() ? '1' : '0';
    EXPECT_EQ(visible, "11001");
    EXPECT_TRUE(form.FileBar1->isSeparator());
    const QList<QAction*> items = form.menu("FileMenu")->actions();
    EXPECT_LT(items.indexOf(form.FileBar1), items.indexOf(form.File11));
}

}  // namespace
}  // namespace kestrion::app
