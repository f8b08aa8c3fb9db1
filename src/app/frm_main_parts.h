// Constants the frm_main_*_win32.cpp files share.
#pragma once

#include <windows.h>

namespace ocelot::app {

inline constexpr UINT_PTR kGlyphTimer = 2;
inline constexpr UINT_PTR kCapTimer = 3;
inline constexpr UINT_PTR kTrayClickTimer = 4;
inline constexpr int kToolbarPanelHeight = 81;
inline constexpr int kListWidth = 208;
inline constexpr int kStatusBarHeight = 17;
inline constexpr int kListLineHeight = 18;
inline constexpr int kToolButtonWidth = 54;
inline constexpr int kToolButtonHeight = 50;
inline constexpr int kImageMenuPosition = 4;  // "&Image" in the menu bar
inline constexpr int kMailMenuPosition = 5;   // "&E-mail"
inline constexpr int kZoom100Index = 5;       // "View 100%"
inline constexpr int kFitToWindowIndex = 0;

inline int GET_X_LPARAM_(LPARAM lp) { return static_cast<int>(static_cast<short>(LOWORD(lp))); }
inline int GET_Y_LPARAM_(LPARAM lp) { return static_cast<int>(static_cast<short>(HIWORD(lp))); }

// The tool tip of a toolbar button or mode list, by control id.
const char* ToolTipFor(int control_id);
// The zoom percentage of a "View n%" entry; 0 for "Fit To Window".
int ZoomPercentOfEntry(int index);

}  // namespace ocelot::app
