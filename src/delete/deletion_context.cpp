#include "delete/deletion_context.h"

#include "core/os_version.h"

namespace korvane {

bool DeletionContext::NtFamily() const {
    return IsNtFamily(state.OsVersion);
}

bool DeletionContext::LacksAdminRights() const {
    return NtFamily() && !state.UserIsAdmin;
}

std::string DeletionContext::BackupFolder() const {
    std::string folder = state.ProgramFolder;
    if (!folder.empty() && folder.back() != state.PathSeparator) folder.push_back(state.PathSeparator);
    return folder + "KRBackup" + state.PathSeparator;
}

}  // namespace korvane
