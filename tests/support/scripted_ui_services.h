#pragma once
// UiServices for tests: every dialog takes its answer from a queue, and a
// dialog that opens with no answer queued fails the test instead of hanging.
#include <deque>
#include <string>
#include <vector>

#include "platform/ui_services.h"

namespace korvane::testing {

class ScriptedUiServices : public UiServices {
public:
    // Answers, consumed in order.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::string> inputAnswers;
    std::deque<std::string> openFileAnswers;
    std::deque<std::string> folderAnswers;
    std::deque<std::string> passwordAnswers;
    // Messages shown with an Ok button only need no answer.
    bool answerOkMessages = true;

    // What was asked.
    std::vector<MessageRequest> messages;
    std::vector<std::string> inputPrompts;
    std::vector<std::string> inputTitles;
    std::vector<OpenFileRequest> openFileRequests;
    std::vector<std::string> folderPrompts;
    std::vector<std::string> passwordPrompts;

    std::string clipboard;

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string OpenFile(const OpenFileRequest& request) override;
    std::string BrowseForFolder(const std::string& prompt) override;
    std::string AskPassword(const std::string& prompt, const std::string& title) override;
    std::string ClipboardText() override { return clipboard; }
    void SetClipboardText(const std::string& text) override { clipboard = text; }
};

}  // namespace korvane::testing
