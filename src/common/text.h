// Small text rules shared by every module: lower-casing for path comparison and the
// CR LF line files of the working folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ocelot {

// Lower-cases the ASCII letters; other bytes of the ANSI code page pass unchanged.
std::string ToLower(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Lines of a text file, split at CR LF (a lone LF or CR also ends a line); a last line
// without an ending still counts.
std::vector<std::string> SplitLines(std::string_view text);
// Each line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// The whole-path helpers of the working folder: folder + "\" + name.
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace ocelot
