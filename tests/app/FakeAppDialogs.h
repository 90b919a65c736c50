// The main window's dialogs for tests: they record each request and give the scripted answers;
// without one a file dialog is cancelled and the title dialog is confirmed unchanged.
#pragma once

#include <deque>
#include <vector>

#include "app/AppDialogs.h"

namespace kestrion::test {

class FakeAppDialogs : public AppDialogs {
public:
    FileDialogResult openFile(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers, FileDialogResult{});
    }
    FileDialogResult saveFile(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveAnswers, FileDialogResult{});
    }
    FileTitleResult fileTitle(const FileTitleRequest& request) override {
        titleRequests.push_back(request);
        return next(titleAnswers, FileTitleResult{true, request.title});
    }

    std::deque<FileDialogResult> openAnswers;
    std::deque<FileDialogResult> saveAnswers;
    std::deque<FileTitleResult> titleAnswers;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<FileTitleRequest> titleRequests;

private:
    template <class T>
    static T next(std::deque<T>& answers, T otherwise) {
        if (answers.empty()) return otherwise;
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace kestrion::test
