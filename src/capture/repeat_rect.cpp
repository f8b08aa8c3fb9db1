// "repeat.dat" and the drag rectangle.
#include "capture/repeat_rect.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "common/error.h"
#include "common/file_io.h"
#include "common/text.h"

namespace ocelot::capture {

namespace {
std::optional<int> ParseInteger(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return value;
}
}  // namespace

ScreenRect NormalizeRect(int x1, int y1, int x2, int y2) {
  return ScreenRect{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

std::string FormatRepeatRect(const ScreenRect& rect) {
  return JoinLines({std::to_string(rect.left), std::to_string(rect.top), std::to_string(rect.right),
                    std::to_string(rect.bottom)});
}

std::optional<ScreenRect> ParseRepeatRect(std::string_view text) {
  const auto lines = SplitLines(text);
  if (lines.size() < 4) return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    const auto n = ParseInteger(lines[static_cast<std::size_t>(i)]);
    if (!n) return std::nullopt;
    v[i] = *n;
  }
  return ScreenRect{v[0], v[1], v[2], v[3]};
}

std::string RepeatFilePath(const std::string& working_folder) { return JoinPath(working_folder, kRepeatFileName); }

bool RepeatRectExists(const std::string& working_folder) { return FileExists(RepeatFilePath(working_folder)); }

ScreenRect ReadRepeatRect(const std::string& working_folder) {
  const std::string path = RepeatFilePath(working_folder);
  const auto bytes = ReadFileBytes(path, 4096);
  const auto rect = ParseRepeatRect(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (!rect) throw Error("\"" + path + "\" does not hold four numbers.");
  return *rect;
}

void WriteRepeatRect(const std::string& working_folder, const ScreenRect& rect) {
  const std::string text = FormatRepeatRect(rect);
  WriteFileBytes(RepeatFilePath(working_folder),
                 std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace ocelot::capture
