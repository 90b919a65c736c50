#include "support/gui/RealServicesTest.h"

#include <unistd.h>

#include <algorithm>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "app/forms/LogoUnit.h"
#include "editor/LineCells.h"
#include "model/core/CommandTransaction.h"
#include "model/image/ModeData.h"
#include "model/image/ProgramImage.h"
#include "model/ladder/DrawGeometry.h"
#include "model/ladder/EditorServices.h"
#include "model/ladder/EditorState.h"
#include "model/ladder/LadderObject.h"
#include "model/ladder/LadderSearch.h"
#include "reader/MachineCodeLoader.h"
#include "support/Fixture.h"

namespace kestrion::test {

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

void putContactOnFirstLine(const char* device) {
    BlueFrame = {draw.iBusLineStart, 0, draw.iBusLineStart + 10, 10};
    ReallocLadderMemory(kLinkReadingOrder, 0);
    ldrNew->iCode = 0x2000;
    setText(ldrNew->mnemonic, "LD");
    setText(ldrNew->operands[0], device);
    ldrNew->stepNo = 0;
    ldrTail->yAddr = ModeData.ySizeSymble;
}

void showProgramWords(std::span<const std::uint16_t> words) {
    std::copy(words.begin(), words.end(), pmw.program.begin());
    runCommand([] {
        initLadderList(draw.iBusLineEnd - 80, 0);
        setBlueFrameObject(draw.iBusLineStart, 0);
        convMachineCodeToLadder("Test");
        removeEmptyObjectsChecked();
        moveEndToRightEdge();
        ModifyHLineToVirtualCanvas();
    });
}

void enterFileName(QFileDialog& dialog, const QString& path) {
    dialog.selectFile(path);
    const QFileInfo file(path);
    const QString typed =
        dialog.directory() == file.absoluteDir() ? file.fileName() : file.absoluteFilePath();
    if (auto* name = dialog.findChild<QLineEdit*>("fileNameEdit"); name != nullptr && name->text() != typed)
        name->setText(typed);
}

}  // namespace kestrion::test
