// Reading and working the main window's controls from outside: the session list, the
// mode lists, the status line and the pixels of the view.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace ocelot::e2e {

// Control ids of the main window, as the program's resources define them.
inline constexpr int kListId = 3030;
inline constexpr int kViewId = 3031;
inline constexpr int kStatusBarId = 3032;
inline constexpr int kCaptureMethodId = 3020;
inline constexpr int kOutputModeId = 3021;
inline constexpr int kImageFormatId = 3022;
inline constexpr int kZoomId = 3023;

std::vector<std::string> ListLines(HWND main);
std::vector<int> SelectedLines(HWND main);
// Selects exactly these lines (the last one gets the focus) and tells the window, as a
// click of the user does.
void SelectLines(HWND main, std::initializer_list<int> lines);
// Chooses an entry of a drop-down list and tells the window.
void ChooseListEntry(HWND main, int combo_id, int index);
int ListEntry(HWND main, int combo_id);
std::vector<std::string> ListEntries(HWND main, int combo_id);
std::string StatusText(HWND main);
// The line with the list's focus rectangle, and where a line is on the screen (nothing
// when it is out of sight).
int ListCaret(HWND main);
std::optional<RECT> ListLineRect(HWND main, int line);

struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> rgb;  // row by row from the top
  COLORREF At(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};
// What the screen shows of a window's client area.
Pixels ClientPixels(HWND window);
// The bounding box of the pixels that differ from the colour.
RECT BoundsOfPixelsOtherThan(const Pixels& p, COLORREF colour);

}  // namespace ocelot::e2e
