#pragma once
#include "platform/files_shell.h"

namespace korvane {

class Win32FilesShell : public FilesShell {
public:
    // ---- environment probes -------------------------------------------------
    bool FileExists(const std::string& path) override;

    // ---- log evaluation -----------------------------------------------------


    // ---- deletion -----------------------------------------------------------


    // ---- scanner ------------------------------------------------------------

};

}  // namespace korvane
