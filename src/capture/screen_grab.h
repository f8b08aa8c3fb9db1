// The primitives every grab uses: copying a screen rectangle, the mouse pointer drawn
// into a capture, loading the grab into the view, trimming the border, repainting.
#pragma once

#include <windows.h>

#include <optional>

#include "capture/capture_host.h"
#include "capture/repeat_rect.h"
#include "imaging/image.h"
#include "win/gdi.h"

namespace ocelot::capture {

// The screen device context's size in pixels (the primary display), read afresh.
SIZE ScreenSize();
RECT FullScreenRect();
// True on displays of 256 colours or fewer, where palettes are realized before drawing.
bool ScreenHasPalette();

RECT ToRECT(const ScreenRect& r);
ScreenRect FromRECT(const RECT& r);

// A 24-bit bitmap of the size, white, for grabs and for the elliptic cut-out.
win::ScopedBitmap CreateGrabBitmap(int width, int height);

// Copies the screen's pixels from (left, top), the rectangle's width and height, into the
// bitmap at (0, 0); the caller sized the bitmap. On a display with a palette the screen's
// palette is realized first.
void GrabScreenRect(HBITMAP bitmap, const RECT& rect);
// The rectangle grabbed into a new bitmap of its size, as an image; nothing for an empty
// rectangle or when the bitmap cannot be made.
std::optional<imaging::Image> GrabScreenImage(const RECT& rect);

// Draws the "MOUSEPOINTER" bitmap of the program's resources, its transparent colour
// (pixel (5, 2)) left out, onto the screen with its top-left corner at the cursor.
void DrawMousePointer();
// The same with a pointer bitmap of the caller's.
void DrawMousePointer(HBITMAP pointer);

// With the pointer drawn on the screen: shows `TfrmBlank` (not modally) for one second
// and destroys it, so every window beneath repaints. Nothing when `include_mouse_cursor`
// is off.
void RepaintScreen(bool include_mouse_cursor);

bool ClipboardHasBitmap();

// If the view holds an image: grab the rectangle again, put it on the clipboard and load
// the view from the clipboard; if the view is empty: create its image from the clipboard.
// Then zoom 100%.
void LoadCaptureIntoView(CaptureHost& host, const RECT& rect);
// The view's image from the clipboard; zoom 100%.
void LoadClipboardIntoView(CaptureHost& host);
// One pixel off each side of the view's image, when it is wider and taller than 4 pixels.
void TrimBorder(CaptureHost& host);

// The grab drawn through the elliptic region (1, 1, width - 1, height - 1) into a white
// image of its size: only the inside of the ellipse is copied.
std::optional<imaging::Image> EllipseCutOut(HBITMAP grab, int width, int height);

}  // namespace ocelot::capture
