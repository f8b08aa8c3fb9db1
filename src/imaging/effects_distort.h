// Pixel-moving effects of the editor: mosaic, fisheye, squeezes, splits, ripples, tiles.
//
// In-place effects work on a 24-bit working copy (bytes blue, green, red) and throw
// ocelot::Error for other formats; the others read any image and return a new true-colour
// image of the same size.
#pragma once

#include <cstdint>

#include "imaging/image.h"
#include "imaging/random.h"

namespace ocelot::imaging {

// Draws a row of src_width pixels (3 bytes each) into columns left..right-1 of a row of
// dst_width pixels, by nearest-pixel sampling: destination pixel k of the rectangle takes the
// source pixel under its centre, (2k + 1) x src_width div (2 x (right - left)). Pixels are
// dropped or repeated, never averaged; an empty rectangle draws nothing; columns outside the
// destination row are skipped.
void StretchRow(const std::uint8_t* src, int src_width, std::uint8_t* dst, int dst_width,
                int left, int right);

// Blocks of block x block pixels from the top-left corner (the last ones of a row or column
// may be smaller) take the colour of their top-left pixel. Blocks of 0 or 1 change nothing.
void Mosaic(Image& image, int block);

// The fisheye with amount A (0.71 to 1.71), in single precision: centre (W / 2, H / 2),
// rmax = W x A, each target pixel sampled bilinearly from a point pushed outwards along its
// radius, coordinates wrapped into the image.
Image Fisheye(const Image& image, float amount);

enum class SqueezeShape { Horizontal, Top, Bottom, Diamond, Middle, Round, DoubleRound };

// Every row stretched between the columns its shape gives for the amount (limited to
// 0..W div 2); the rest of the row is white.
Image Squeeze(const Image& image, SqueezeShape shape, int amount);

enum class SplitShape { Round, Transpose };

// The row's left half stretched into columns 0..m-1 and its right half into W-m-1..W-2, with
// m from the shape and the amount (limited to 0..W div 2); the rest of the row is white.
Image Split(const Image& image, SplitShape shape, int amount);

// Ripples of depth min(H div 2, depth), in place, rows from H - 1 - depth up to 0, pixels left
// to right: each pixel is copied down by an offset that counts 0, 1, ..., depth, 0, ...
// (tooth) or is drawn from 0..depth-1 after each pixel (random; the caller seeds `random`).
void RippleTooth(Image& image, int depth);
void RippleRandom(Image& image, int depth, Random& random);

enum class TileMode { Normal, Overlap };

// The image shrunk (nearest pixel) into an s x s tile, s = min(H div 2, W div 2, side) but at
// least 1, drawn over the image at every multiple of the step (s, or round(2 s / 3) but at
// least 1 for overlapping tiles), row after row from the top-left.
void Tile(Image& image, TileMode mode, int side);

}  // namespace ocelot::imaging
