#pragma once
// Every interaction that blocks on the user goes through this interface, so
// tests can answer it from a queue. Texts shown are UTF-8; paths handed in and
// returned are bytes in the system code page.
#include <string>
#include <utility>
#include <vector>

namespace korvane {

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
};

// The pattern that matches every file name: on POSIX a name need not have a dot.
#ifdef _WIN32
inline constexpr const char* kAllFilesPattern = "*.*";
#else
inline constexpr const char* kAllFilesPattern = "*";
#endif

struct FileFilter {
    std::string description;  // shown text, UTF-8, without the pattern
    std::string pattern;      // "mwav.log", kAllFilesPattern
};

struct OpenFileRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::string initialFolder;  // empty: the current folder
};

class UiServices {
public:
    virtual ~UiServices() = default;

    virtual MessageAnswer ShowMessage(const MessageRequest& request) = 0;
    // Text typed by the user, blanks kept; empty when cancelled.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Chosen file's path, or empty when cancelled.
    virtual std::string OpenFile(const OpenFileRequest& request) = 0;
    // Chosen folder's full path, or empty when cancelled.
    virtual std::string BrowseForFolder(const std::string& prompt) = 0;
    // Answer to a password question; empty when cancelled.
    virtual std::string AskPassword(const std::string& prompt, const std::string& title) = 0;
    virtual std::string ClipboardText() = 0;
    virtual void SetClipboardText(const std::string& text) = 0;
};

}  // namespace korvane
