#pragma once
// Looking up a malware name in an online virus encyclopaedia: the name as
// the encyclopaedia knows it, the search address, and the browser program
// cut out of the command the system registers for http addresses.
#include <string>
#include <string_view>

namespace korvane {

// The address to look a name up at, "%s" standing for the name: the
// environment variable, else the settings file's key, else a public web
// search for the quoted name (see VirusInfoUrlTemplate in the log layer).
inline constexpr const char* kDefaultVirusInfoUrl = "https://duckduckgo.com/?q=%22%s%22";
inline constexpr const char* kVirusInfoUrlVariable = "KORVANE_VIRUS_INFO_URL";
inline constexpr const char* kVirusInfoUrlSetting = "VirusInfoUrl";

// Drops everything up to the first "tagged:" (any case) and one final dot.
std::string CleanVirusName(std::string_view clickedName);

// Every byte but letters, digits and "-._~" as %XX, so a name can never end
// the query, add a parameter or leave the address.
std::string PercentEncode(std::string_view text);

// The template with every "%s" replaced by the percent-encoded name (the
// name appended when the template has no "%s").
std::string VirusDescriptionAddress(std::string_view urlTemplate, std::string_view cleanedName);

// The address as the one parameter of a Windows command line: in double
// quotes, with quotes, backslashes, blanks and control characters inside it
// percent-encoded, so nothing in it can end the quoted argument.
std::string BrowserArgumentForAddress(std::string_view address);

// The browser program of a registered open command such as
// "\"C:\\Program Files\\Web\\web.exe\" -nohome \"%1\"": from the drive letter
// through ".exe" when both are there; otherwise the text before the first
// blank after the last backslash, or the whole command.
std::string BrowserProgramFromCommand(std::string_view command);

}  // namespace korvane
