// The remembered selection "repeat.dat": the last rectangle or circle drawn with the
// mouse, shared by the rectangle and circle modes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ocelot::capture {

inline constexpr char kRepeatFileName[] = "repeat.dat";

// Screen pixels; right and bottom exclusive.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

// The rectangle between two corners of a drag, in any order: left < right, top < bottom
// (or equal when the drag had no width or height).
ScreenRect NormalizeRect(int x1, int y1, int x2, int y2);

// Four lines "left", "top", "right", "bottom", each ended by CR LF.
std::string FormatRepeatRect(const ScreenRect& rect);
// The first four lines as decimal integers (blanks around a number allowed, a sign
// allowed); nothing when there are fewer than four lines or one of them is not an
// integer of 32 bits. Lines after the fourth are ignored.
std::optional<ScreenRect> ParseRepeatRect(std::string_view text);

std::string RepeatFilePath(const std::string& working_folder);
bool RepeatRectExists(const std::string& working_folder);
// Throws Error when the file cannot be read or does not hold four integers.
ScreenRect ReadRepeatRect(const std::string& working_folder);
// Create-or-truncate; throws Error when the file cannot be written.
void WriteRepeatRect(const std::string& working_folder, const ScreenRect& rect);

}  // namespace ocelot::capture
