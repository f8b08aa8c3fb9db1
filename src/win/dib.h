// Conversion between Image and device-independent bitmaps, and the clipboard's bitmaps.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "imaging/image.h"

namespace ocelot::win {

// A packed DIB (BITMAPINFOHEADER, palette, rows padded to 4 bytes, bottom-up) of the
// image: 24-bit for true colour, 8-bit with the image's palette otherwise.
std::vector<std::uint8_t> PackedDibFromImage(const imaging::Image& image);
// Any packed DIB the image library reads (imaging::DecodePackedDib: 1 to 32 bits, bit
// fields, run-length) as a true-colour image; nothing when it cannot be read.
std::optional<imaging::Image> ImageFromPackedDib(const std::uint8_t* dib, std::size_t size);

// A DIB section holding the image's pixels (true colour: 24-bit; indexed: 8-bit).
HBITMAP CreateBitmapFromImage(const imaging::Image& image);
// The bitmap's pixels as a true-colour image.
std::optional<imaging::Image> ImageFromBitmap(HBITMAP bitmap);

// A logical palette of the image's colours (indexed images: its palette; true colour: a
// 6x6x6 cube with grays), for displays of 256 colours or fewer.
HPALETTE CreatePaletteForImage(const imaging::Image& image);

// Replaces the clipboard's content with the image as CF_DIB; false when the clipboard
// cannot be opened.
bool PutImageOnClipboard(HWND owner, const imaging::Image& image);
std::optional<imaging::Image> ImageFromClipboard(HWND owner);
bool EmptyTheClipboard(HWND owner);

}  // namespace ocelot::win
