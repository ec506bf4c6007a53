#pragma once
#include <QString>

#include "platform/ui_services.h"

class QWidget;

namespace korvane {

// Message boxes, input boxes, pickers and the clipboard of a Qt desktop.
class QtUiServices : public UiServices {
public:
    explicit QtUiServices(QWidget* owner = nullptr) : owner_(owner) {}
    void SetOwner(QWidget* owner) { owner_ = owner; }

    MessageAnswer ShowMessage(const MessageRequest& request) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    std::string OpenFile(const OpenFileRequest& request) override;
    std::string BrowseForFolder(const std::string& prompt) override;
    std::string AskPassword(const std::string& prompt, const std::string& title) override;
    std::string ClipboardText() override;
    void SetClipboardText(const std::string& text) override;

private:
    QWidget* owner_;
};

// One entry of the open-file dialog's filter list: "All files (*)".
QString FileDialogFilter(const FileFilter& filter);

}  // namespace korvane
