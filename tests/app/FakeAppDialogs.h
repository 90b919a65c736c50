#pragma once

#include <deque>
#include <vector>

#include "app/AppDialogs.h"

namespace kestrion::test {

class FakeAppDialogs : public AppDialogs {
public:
    FileDialogResult openFile(const FileDialogRequest& request) override {
        openRequests.push_back(request);
        return next(openAnswers, {});
    }
    FileDialogResult saveFile(const FileDialogRequest& request) override {
        saveRequests.push_back(request);
        return next(saveAnswers, {});
    }
    FileTitleResult fileTitle(const FileTitleRequest& request) override {
        titleRequests.push_back(request);
        return next(titleAnswers, {true, request.title});
    }
    void printerSetup() override { ++printerSetups; }
    int printerSetups = 0;
    std::deque<FileDialogResult> openAnswers, saveAnswers;
    std::deque<FileTitleResult> titleAnswers;
    std::vector<FileDialogRequest> openRequests, saveRequests;
    std::vector<FileTitleRequest> titleRequests;

private:
    template <class T>
    static T next(std::deque<T>& answers, T otherwise) {
        if (!answers.empty()) otherwise = answers.front(), answers.pop_front();
        return otherwise;
    }
};

}  // namespace kestrion::test
