// Platform services that answer and record nothing, for the benchmarks and the fuzz targets: every
// message box is answered OK and counted, the status bar, the memos, the progress window, the
// timers and the dialogs keep nothing (a dialog is cancelled), the monitor's window neither lays
// out nor shows anything, and the files are those put into the in-memory map. The canvas's texts
// are the language's.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "compiler/RungTrialConversion.h"
#include "lang/LangDialogs.h"
#include "lang/Language.h"
#include "model/core/DialogSeam.h"
#include "model/ladder/ModelDialogs.h"
#include "monitor/MonitorWindow.h"
#include "platform/Services.h"

namespace kestrion::quiet {

class QuietServices final : public platform::Messages,
                            public platform::StatusBar,
                            public platform::TraceMemos,
                            public platform::Progress,
                            public platform::System,
                            public platform::Clock,
                            public platform::Timers,
                            public platform::Files,
                            public platform::SerialPorts,
                            public LangDialogs,
                            public ModelDialogs,
                            public MonitorWindow {
public:
    platform::MsgAnswer show(const std::string& text, const std::string&, platform::MsgIcon,
                             platform::MsgButtons) override {
        shown.push_back(text);
        return platform::MsgAnswer::Ok;
    }
    void setPanelText(int, const std::string&) override {}
    std::string panelText(int) const override { return {}; }
    bool visible(platform::Memo) const override { return false; }
    void setVisible(platform::Memo, bool) override {}
    void append(platform::Memo, const std::string&) override {}
    void clear(platform::Memo) override {}
    int lineCount(platform::Memo) const override { return 0; }
    void show(const std::string&, int, int) override {}
    void setPosition(int) override {}
    void hide() override {}
    void beep() override {}
    platform::ScreenSize screenSize() const override { return {1920, 1080}; }
    void setMainCaption(const std::string&) override {}
    void showBusy(bool) override {}
    std::uint32_t tickCount() const override { return 0; }
    void runMessageLoopOnce() override {}
    void setEnabled(platform::TimerId, bool) override {}
    bool enabled(platform::TimerId) const override { return false; }
    void setInterval(platform::TimerId, std::uint32_t) override {}
    std::uint32_t interval(platform::TimerId) const override { return 0; }
    platform::ReadResult readWhole(const std::string& path, std::size_t maxBytes) const override {
        const auto found = files.find(path);
        if (found == files.end()) return {platform::FileStatus::NotFound, {}};
        if (found->second.size() > maxBytes) return {platform::FileStatus::TooLarge, {}};
        return {platform::FileStatus::Ok, platform::ByteReader(found->second)};
    }
    platform::ReadResult readStart(const std::string& path, std::size_t count) const override {
        const auto found = files.find(path);
        if (found == files.end()) return {platform::FileStatus::NotFound, {}};
        const std::size_t taken = std::min(count, found->second.size());
        return {platform::FileStatus::Ok,
                platform::ByteReader(std::vector<std::uint8_t>(
                    found->second.begin(), found->second.begin() + static_cast<std::ptrdiff_t>(taken)))};
    }
    platform::FileStatus writeWhole(const std::string&, const std::uint8_t*, std::size_t) override {
        return platform::FileStatus::Failed;
    }
    bool exists(const std::string& path) const override { return files.count(path) != 0; }
    bool remove(const std::string& path) override { return files.erase(path) != 0; }
    bool makeDirectory(const std::string&) override { return true; }
    std::string installDirectory() const override { return "/quiet"; }
    std::string dataDirectory() const override { return "/quiet"; }
    std::string deviceName(int) const override { return {}; }
    platform::SerialOpenResult open(int) override { return {}; }
    void appMessage(const AppMessage&) override {}
    void about(const AboutBox&) override {}
    void showStackCode(const StackCodeView&) override {}
    PlcTypeFormResult showPlcTypeForm(std::int32_t, std::int32_t) override { return {}; }
    void layOutLadderButtons(int) override {}
    void refresh() override {}

    std::map<std::string, std::vector<std::uint8_t>> files;
    std::vector<std::string> shown;  // the texts of the message boxes, first to last
    LanguageCanvasTexts canvasTexts;
    // The instruction box tries the lines it takes on Convert, as the program does.
    RungTrialConversion rungTrial;
};

// The one set of quiet services, installed on first use and again after a benchmark that ran the
// real services of the window (they uninstall themselves when they go).
inline QuietServices& services() {
    static QuietServices quiet;
    if (!platform::installed()) {
        platform::install({&quiet, &quiet, &quiet, &quiet, &quiet, &quiet, &quiet, &quiet, &quiet});
        DialogSeam<LangDialogs>::install(quiet);
        DialogSeam<ModelDialogs>::install(quiet);
        DialogSeam<MonitorWindow>::install(quiet);
        DialogSeam<CanvasTexts>::install(quiet.canvasTexts);
        DialogSeam<RungTrial>::install(quiet.rungTrial);
    }
    return quiet;
}

}  // namespace kestrion::quiet
