// Wu's colour quantizer (X. Wu, "Efficient Statistical Computations for Optimal Color
// Quantization", Graphics Gems II): cumulative moments over a 33^3 cube let the variance
// of any box be read in constant time, so the box with the largest variance is split at
// the plane that minimises the summed variance of its halves, until there are enough
// boxes. The box means are then refined by Lloyd passes over a finer 64^3 histogram, with
// the fixed colours taking part but never moving.
#include "imaging/quantize.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>

namespace ocelot::imaging {
namespace {

std::uint32_t Pack(Rgb c) { return static_cast<std::uint32_t>(c.r) << 16 | c.g << 8 | c.b; }
Rgb Unpack(std::uint32_t v) {
  return Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v)};
}

// Calls fn(colour, count) for the image's pixels; indexed images go through a count per
// palette entry, so their cost does not depend on what fn does.
template <class Fn>
void ForEachColour(const Image& image, Fn&& fn) {
  if (image.Format() == PixelFormat::TrueColour) {
    for (int y = 0; y < image.Height(); ++y) {
      const std::uint8_t* p = image.Row(y);
      for (int x = 0; x < image.Width(); ++x, p += 3) fn(Rgb{p[2], p[1], p[0]}, 1u);
    }
    return;
  }
  std::array<std::uint32_t, 256> counts{};
  for (std::uint8_t v : image.Pixels()) ++counts[v];
  const auto& pal = image.Palette();
  for (std::size_t i = 0; i < 256; ++i)
    if (counts[i] != 0) fn(i < pal.size() ? pal[i] : Rgb{}, counts[i]);
}

// The distinct colours of the image that are not among the fixed ones, sorted; nothing
// when there are more than limit.
std::optional<std::vector<Rgb>> DistinctColours(const Image& image, std::size_t limit, std::span<const Rgb> fixed) {
  std::vector<std::uint64_t> seen(std::size_t{1} << 18);  // one bit per 24-bit colour
  for (Rgb c : fixed) seen[Pack(c) >> 6] |= std::uint64_t{1} << (Pack(c) & 63);
  std::size_t found = 0;
  std::vector<std::uint64_t> mine(std::size_t{1} << 18);
  bool over = false;
  ForEachColour(image, [&](Rgb c, std::uint32_t) {
    if (over) return;
    const std::uint32_t v = Pack(c);
    const std::uint64_t bit = std::uint64_t{1} << (v & 63);
    if ((seen[v >> 6] & bit) != 0) return;
    seen[v >> 6] |= bit;
    mine[v >> 6] |= bit;
    if (++found > limit) over = true;
  });
  if (over) return std::nullopt;
  std::vector<Rgb> out;
  for (std::size_t w = 0; w < mine.size(); ++w)
    for (std::uint64_t bits = mine[w]; bits != 0; bits &= bits - 1)
      out.push_back(Unpack(static_cast<std::uint32_t>(w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits)))));
  return out;
}

constexpr int kSide = 33;  // 32 levels per channel plus the zero plane of the cumulative sums
constexpr std::size_t kCells = kSide * kSide * kSide;
constexpr std::size_t At(int r, int g, int b) { return static_cast<std::size_t>((r * kSide + g) * kSide + b); }

struct Moments {
  std::vector<std::int64_t> w, r, g, b, rr;  // count, channel sums, sum of squared lengths
  Moments() : w(kCells), r(kCells), g(kCells), b(kCells), rr(kCells) {}
};

struct Box {
  int r0, r1, g0, g1, b0, b1;  // lower bounds exclusive, upper inclusive
};

enum Axis { kRed, kGreen, kBlue };

std::int64_t Volume(const Box& c, const std::vector<std::int64_t>& m) {
  return m[At(c.r1, c.g1, c.b1)] - m[At(c.r1, c.g1, c.b0)] - m[At(c.r1, c.g0, c.b1)] + m[At(c.r1, c.g0, c.b0)] -
         m[At(c.r0, c.g1, c.b1)] + m[At(c.r0, c.g1, c.b0)] + m[At(c.r0, c.g0, c.b1)] - m[At(c.r0, c.g0, c.b0)];
}

// The part of Volume that does not depend on the box's upper bound along the axis.
std::int64_t Bottom(const Box& c, Axis axis, const std::vector<std::int64_t>& m) {
  switch (axis) {
    case kRed:
      return -m[At(c.r0, c.g1, c.b1)] + m[At(c.r0, c.g1, c.b0)] + m[At(c.r0, c.g0, c.b1)] - m[At(c.r0, c.g0, c.b0)];
    case kGreen:
      return -m[At(c.r1, c.g0, c.b1)] + m[At(c.r1, c.g0, c.b0)] + m[At(c.r0, c.g0, c.b1)] - m[At(c.r0, c.g0, c.b0)];
    case kBlue:
      return -m[At(c.r1, c.g1, c.b0)] + m[At(c.r1, c.g0, c.b0)] + m[At(c.r0, c.g1, c.b0)] - m[At(c.r0, c.g0, c.b0)];
  }
  return 0;
}

// The rest of Volume with the upper bound along the axis moved to pos.
std::int64_t Top(const Box& c, Axis axis, int pos, const std::vector<std::int64_t>& m) {
  switch (axis) {
    case kRed:
      return m[At(pos, c.g1, c.b1)] - m[At(pos, c.g1, c.b0)] - m[At(pos, c.g0, c.b1)] + m[At(pos, c.g0, c.b0)];
    case kGreen:
      return m[At(c.r1, pos, c.b1)] - m[At(c.r1, pos, c.b0)] - m[At(c.r0, pos, c.b1)] + m[At(c.r0, pos, c.b0)];
    case kBlue:
      return m[At(c.r1, c.g1, pos)] - m[At(c.r1, c.g0, pos)] - m[At(c.r0, c.g1, pos)] + m[At(c.r0, c.g0, pos)];
  }
  return 0;
}

double Variance(const Box& c, const Moments& m) {
  const double dr = static_cast<double>(Volume(c, m.r));
  const double dg = static_cast<double>(Volume(c, m.g));
  const double db = static_cast<double>(Volume(c, m.b));
  const double xx = static_cast<double>(Volume(c, m.rr));
  return xx - (dr * dr + dg * dg + db * db) / static_cast<double>(Volume(c, m.w));
}

// Best cut plane along the axis: maximises the sum over both halves of |sum|^2 / count,
// which is the same as minimising their summed variance. cut is -1 when no plane splits.
double Maximize(const Box& c, Axis axis, int first, int last, int& cut, const Moments& m, std::int64_t wr,
                std::int64_t wg, std::int64_t wb, std::int64_t ww) {
  const std::int64_t base_r = Bottom(c, axis, m.r), base_g = Bottom(c, axis, m.g);
  const std::int64_t base_b = Bottom(c, axis, m.b), base_w = Bottom(c, axis, m.w);
  double best = 0;
  cut = -1;
  for (int i = first; i < last; ++i) {
    const std::int64_t hr = base_r + Top(c, axis, i, m.r), hg = base_g + Top(c, axis, i, m.g);
    const std::int64_t hb = base_b + Top(c, axis, i, m.b), hw = base_w + Top(c, axis, i, m.w);
    if (hw == 0 || hw == ww) continue;
    const double lo = (static_cast<double>(hr) * hr + static_cast<double>(hg) * hg + static_cast<double>(hb) * hb) /
                      static_cast<double>(hw);
    const std::int64_t rr = wr - hr, rg = wg - hg, rb = wb - hb, rw = ww - hw;
    const double hi = (static_cast<double>(rr) * rr + static_cast<double>(rg) * rg + static_cast<double>(rb) * rb) /
                      static_cast<double>(rw);
    if (lo + hi > best) {
      best = lo + hi;
      cut = i;
    }
  }
  return best;
}

bool Cut(Box& a, Box& b, const Moments& m) {
  const std::int64_t wr = Volume(a, m.r), wg = Volume(a, m.g), wb = Volume(a, m.b), ww = Volume(a, m.w);
  int cut_r, cut_g, cut_b;
  const double max_r = Maximize(a, kRed, a.r0 + 1, a.r1, cut_r, m, wr, wg, wb, ww);
  const double max_g = Maximize(a, kGreen, a.g0 + 1, a.g1, cut_g, m, wr, wg, wb, ww);
  const double max_b = Maximize(a, kBlue, a.b0 + 1, a.b1, cut_b, m, wr, wg, wb, ww);
  b = a;
  if (max_r >= max_g && max_r >= max_b) {
    if (cut_r < 0) return false;
    b.r0 = a.r1 = cut_r;
  } else if (max_g >= max_r && max_g >= max_b) {
    if (cut_g < 0) return false;
    b.g0 = a.g1 = cut_g;
  } else {
    if (cut_b < 0) return false;
    b.b0 = a.b1 = cut_b;
  }
  return true;
}

std::vector<Rgb> WuPalette(const Image& image, int count) {
  Moments m;
  ForEachColour(image, [&](Rgb c, std::uint32_t n) {
    const std::size_t i = At((c.r >> 3) + 1, (c.g >> 3) + 1, (c.b >> 3) + 1);
    m.w[i] += n;
    m.r[i] += static_cast<std::int64_t>(c.r) * n;
    m.g[i] += static_cast<std::int64_t>(c.g) * n;
    m.b[i] += static_cast<std::int64_t>(c.b) * n;
    m.rr[i] += (static_cast<std::int64_t>(c.r) * c.r + c.g * c.g + c.b * c.b) * n;
  });
  // Cumulative sums: each cell becomes the total of the box from the origin to it.
  for (auto* v : {&m.w, &m.r, &m.g, &m.b, &m.rr}) {
    auto& a = *v;
    for (int r = 1; r < kSide; ++r) {
      std::array<std::int64_t, kSide> area{};
      for (int g = 1; g < kSide; ++g) {
        std::int64_t line = 0;
        for (int b = 1; b < kSide; ++b) {
          line += a[At(r, g, b)];
          area[static_cast<std::size_t>(b)] += line;
          a[At(r, g, b)] = a[At(r - 1, g, b)] + area[static_cast<std::size_t>(b)];
        }
      }
    }
  }
  std::vector<Box> boxes(static_cast<std::size_t>(count));
  std::vector<double> variance(static_cast<std::size_t>(count));
  boxes[0] = Box{0, kSide - 1, 0, kSide - 1, 0, kSide - 1};
  int made = 1;
  std::size_t next = 0;
  while (made < count) {
    Box& a = boxes[next];
    Box& b = boxes[static_cast<std::size_t>(made)];
    if (Cut(a, b, m)) {
      variance[next] = Volume(a, m.w) > 1 ? Variance(a, m) : 0;
      variance[static_cast<std::size_t>(made)] = Volume(b, m.w) > 1 ? Variance(b, m) : 0;
      ++made;
    } else {
      variance[next] = 0;
    }
    next = 0;
    double most = variance[0];
    for (std::size_t k = 1; k < static_cast<std::size_t>(made); ++k)
      if (variance[k] > most) {
        most = variance[k];
        next = k;
      }
    if (most <= 0) break;
  }
  std::vector<Rgb> out;
  for (int k = 0; k < made; ++k) {
    const Box& c = boxes[static_cast<std::size_t>(k)];
    const std::int64_t w = Volume(c, m.w);
    if (w == 0) continue;
    auto mean = [w](std::int64_t s) { return static_cast<std::uint8_t>((s + w / 2) / w); };
    out.push_back(Rgb{mean(Volume(c, m.r)), mean(Volume(c, m.g)), mean(Volume(c, m.b))});
  }
  return out;
}

// Lloyd passes: every cell of a 64^3 histogram goes to its nearest colour, and each free
// colour moves to the mean of its cells. Fixed colours attract cells but stay put.
void Refine(const Image& image, std::vector<Rgb>& free, std::span<const Rgb> fixed) {
  struct Cell { std::uint64_t r, g, b; std::uint32_t w; };
  std::vector<Cell> grid(std::size_t{1} << 18);
  ForEachColour(image, [&](Rgb c, std::uint32_t n) {
    Cell& cell = grid[static_cast<std::size_t>((c.r >> 2) << 12 | (c.g >> 2) << 6 | (c.b >> 2))];
    cell.r += std::uint64_t{c.r} * n;
    cell.g += std::uint64_t{c.g} * n;
    cell.b += std::uint64_t{c.b} * n;
    cell.w += n;
  });
  struct Sample { Rgb mean; std::uint32_t w; };
  std::vector<Sample> samples;
  for (const Cell& c : grid) {
    if (c.w == 0) continue;
    auto mean = [&c](std::uint64_t s) { return static_cast<std::uint8_t>((s + c.w / 2) / c.w); };
    samples.push_back(Sample{Rgb{mean(c.r), mean(c.g), mean(c.b)}, c.w});
  }
  constexpr int kPasses = 6;
  std::vector<Rgb> all(fixed.begin(), fixed.end());
  const std::size_t first_free = all.size();
  all.insert(all.end(), free.begin(), free.end());
  for (int pass = 0; pass < kPasses; ++pass) {
    NearestColour nearest(all);
    std::vector<std::array<std::uint64_t, 4>> sums(all.size());
    for (const Sample& s : samples) {
      auto& acc = sums[nearest.Find(s.mean)];
      acc[0] += std::uint64_t{s.mean.r} * s.w;
      acc[1] += std::uint64_t{s.mean.g} * s.w;
      acc[2] += std::uint64_t{s.mean.b} * s.w;
      acc[3] += s.w;
    }
    bool moved = false;
    for (std::size_t k = first_free; k < all.size(); ++k) {
      const auto& acc = sums[k];
      if (acc[3] == 0) continue;
      auto mean = [&acc](std::uint64_t s) { return static_cast<std::uint8_t>((s + acc[3] / 2) / acc[3]); };
      const Rgb c{mean(acc[0]), mean(acc[1]), mean(acc[2])};
      if (!(c == all[k])) moved = true;
      all[k] = c;
    }
    if (!moved) break;
  }
  free.assign(all.begin() + static_cast<std::ptrdiff_t>(first_free), all.end());
}

}  // namespace

std::vector<Rgb> QuantizePalette(const Image& image, int count, std::span<const Rgb> fixed) {
  if (count < 1 || count > 256 || fixed.size() + static_cast<std::size_t>(count) > 256)
    throw std::invalid_argument("palette size out of range");
  if (image.Empty()) return {};
  if (auto distinct = DistinctColours(image, static_cast<std::size_t>(count), fixed)) return *distinct;
  std::vector<Rgb> palette = WuPalette(image, count);
  Refine(image, palette, fixed);
  return palette;
}

NearestColour::NearestColour(std::span<const Rgb> palette)
    : cache_key_(std::size_t{1} << 16), cache_index_(std::size_t{1} << 16) {
  if (palette.empty() || palette.size() > 256) throw std::invalid_argument("palette size out of range");
  for (std::size_t i = 0; i < palette.size(); ++i)
    by_green_.push_back(Entry{palette[i].g, palette[i].r, palette[i].b, static_cast<int>(i)});
  std::sort(by_green_.begin(), by_green_.end(),
            [](const Entry& a, const Entry& b) { return a.g != b.g ? a.g < b.g : a.index < b.index; });
}

std::uint8_t NearestColour::Search(Rgb c) const {
  // Entries sorted by green: walk outwards from the colour's green and stop on each side once
  // the green difference alone exceeds the best distance found.
  const auto start = std::lower_bound(by_green_.begin(), by_green_.end(), c.g,
                                      [](const Entry& e, int g) { return e.g < g; }) - by_green_.begin();
  int best = INT32_MAX, best_index = 0;
  auto consider = [&](const Entry& e) {
    const int dr = e.r - c.r, dg = e.g - c.g, db = e.b - c.b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < best || (d == best && e.index < best_index)) {
      best = d;
      best_index = e.index;
    }
  };
  const auto n = static_cast<std::ptrdiff_t>(by_green_.size());
  for (std::ptrdiff_t i = start; i < n; ++i) {
    const int dg = by_green_[static_cast<std::size_t>(i)].g - c.g;
    if (dg * dg > best) break;
    consider(by_green_[static_cast<std::size_t>(i)]);
  }
  for (std::ptrdiff_t i = start - 1; i >= 0; --i) {
    const int dg = c.g - by_green_[static_cast<std::size_t>(i)].g;
    if (dg * dg > best) break;
    consider(by_green_[static_cast<std::size_t>(i)]);
  }
  return static_cast<std::uint8_t>(best_index);
}

std::uint8_t NearestColour::Find(Rgb c) {
  const std::uint32_t key = Pack(c) | 1u << 24;
  const std::size_t slot = (Pack(c) * 2654435761u) >> 16;
  if (cache_key_[slot] == key) return cache_index_[slot];
  const std::uint8_t index = Search(c);
  cache_key_[slot] = key;
  cache_index_[slot] = index;
  return index;
}

Image MapToPalette(const Image& image, const std::vector<Rgb>& palette, PixelFormat format) {
  if (!IsIndexed(format) || palette.size() > static_cast<std::size_t>(PaletteCapacity(format)))
    throw std::invalid_argument("palette does not fit the pixel format");
  Image out(image.Width(), image.Height(), format);
  out.Palette() = palette;
  out.Dpi() = image.Dpi();
  if (image.Empty()) return out;
  NearestColour nearest(palette);
  if (image.Format() == PixelFormat::TrueColour) {
    for (int y = 0; y < image.Height(); ++y) {
      const std::uint8_t* p = image.Row(y);
      std::uint8_t* q = out.Row(y);
      for (int x = 0; x < image.Width(); ++x, p += 3) q[x] = nearest.Find(Rgb{p[2], p[1], p[0]});
    }
  } else {
    std::array<std::uint8_t, 256> lut{};
    const auto& pal = image.Palette();
    for (std::size_t i = 0; i < 256; ++i) lut[i] = nearest.Find(i < pal.size() ? pal[i] : Rgb{});
    auto src = image.Pixels();
    auto dst = out.Pixels();
    for (std::size_t i = 0; i < src.size(); ++i) dst[i] = lut[src[i]];
  }
  return out;
}

}  // namespace ocelot::imaging
