#include "support/scripted_ui_services.h"

#include <gtest/gtest.h>

namespace korvane::testing {

namespace {

template <typename T>
T Next(std::deque<T>& queue, const char* what, const std::string& context) {
    if (queue.empty()) {
        ADD_FAILURE() << "a " << what << " opened with no answer queued: " << context;
        return T{};
    }
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}

}  // namespace

MessageAnswer ScriptedUiServices::ShowMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers.empty() && answerOkMessages && request.buttons == MessageButtons::Ok) {
        return MessageAnswer::Ok;
    }
    return Next(messageAnswers, "message box", request.text);
}

std::string ScriptedUiServices::InputBox(const std::string& prompt, const std::string& title,
                                         const std::string&) {
    inputPrompts.push_back(prompt);
    inputTitles.push_back(title);
    return Next(inputAnswers, "input box", prompt);
}

std::string ScriptedUiServices::OpenFile(const OpenFileRequest& request) {
    openFileRequests.push_back(request);
    return Next(openFileAnswers, "file dialog", request.title);
}

std::string ScriptedUiServices::BrowseForFolder(const std::string& prompt) {
    folderPrompts.push_back(prompt);
    return Next(folderAnswers, "folder picker", prompt);
}

std::string ScriptedUiServices::AskPassword(const std::string& prompt, const std::string&) {
    passwordPrompts.push_back(prompt);
    return Next(passwordAnswers, "password prompt", prompt);
}

}  // namespace korvane::testing
