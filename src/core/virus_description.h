#pragma once
// Looking up a malware name in an online virus encyclopaedia: the name as
// the encyclopaedia knows it, the search address, and the browser program
// cut out of the command the system registers for http addresses.
#include <string>
#include <string_view>

namespace korvane {

// The encyclopaedia's host; the environment variable KORVANE_VIRUS_INFO_HOST
// overrides it (see VirusInfoHost in the log layer).
inline constexpr const char* kDefaultVirusInfoHost = "virus-info.example.org";
inline constexpr const char* kVirusInfoHostVariable = "KORVANE_VIRUS_INFO_HOST";

// Drops everything up to the first "tagged:" (any case) and one final dot.
std::string CleanVirusName(std::string_view clickedName);

// "http://" + host + "/en/find?search_mode=virus&words=" + name, the name
// appended unchanged (no percent-encoding).
std::string VirusDescriptionAddress(std::string_view host, std::string_view cleanedName);

// The browser program of a registered open command such as
// "\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\"": from the drive letter
// through ".exe" when both are there; otherwise the text before the first
// blank after the last backslash, or the whole command.
std::string BrowserProgramFromCommand(std::string_view command);

}  // namespace korvane
