// Resample: contributor lists built once per axis, then two byte-exact passes.
//
// Speed without changing a result: every target byte is still the single-precision sum of
// weight x byte in contributor order, rounded and limited; SSE2 only computes several such
// sums side by side (the three bytes of a pixel in the horizontal pass, sixteen neighbouring
// bytes of a row in the vertical pass). Intermediate rows are kept as floats holding the
// rounded byte values (exact) in a small cache, so the intermediate image never exists whole.
#include "imaging/resample.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/error.h"
#include "imaging/pixel_math.h"
#include "imaging/working_copy.h"

namespace ocelot::imaging {
namespace {

float Sinc(float x) {
  if (x == 0.0f) return 1.0f;
  const float a = static_cast<float>(kPi) * x;
  return static_cast<float>(Sin(a)) / a;
}

float BoxFilter(float x) { return x > -0.5f && x <= 0.5f ? 1.0f : 0.0f; }

float TriangleFilter(float x) {
  const float t = std::fabs(x);
  return t < 1.0f ? 1.0f - t : 0.0f;
}

float HermiteFilter(float x) {
  const float t = std::fabs(x);
  return t < 1.0f ? (2.0f * t - 3.0f) * t * t + 1.0f : 0.0f;
}

float BellFilter(float x) {
  const float t = std::fabs(x);
  if (t < 0.5f) return 0.75f - t * t;
  if (t < 1.5f) {
    const float u = t - 1.5f;
    return 0.5f * (u * u);
  }
  return 0.0f;
}

float BSplineFilter(float x) {
  const float t = std::fabs(x);
  if (t < 1.0f) return 0.5f * t * t * t - t * t + 2.0f / 3.0f;
  if (t < 2.0f) {
    const float u = 2.0f - t;
    return u * u * u / 6.0f;
  }
  return 0.0f;
}

float Lanczos3Filter(float x) {
  const float t = std::fabs(x);
  return t < 3.0f ? Sinc(t) * Sinc(t / 3.0f) : 0.0f;
}

float MitchellFilter(float x) {
  const float t = std::fabs(x);
  const float tt = t * t;
  if (t < 1.0f) return (7.0f * t * tt - 12.0f * tt + 16.0f / 3.0f) / 6.0f;
  if (t < 2.0f) return (-7.0f / 3.0f * t * tt + 12.0f * tt - 20.0f * t + 32.0f / 3.0f) / 6.0f;
  return 0.0f;
}

const ResampleFilterEntry kFilters[kResampleFilterCount] = {
    {"Box", 0.5f, BoxFilter},           {"Triangle", 1.0f, TriangleFilter},
    {"Hermite", 1.0f, HermiteFilter},   {"Bell", 1.5f, BellFilter},
    {"B-Spline", 2.0f, BSplineFilter},  {"Lanczos3", 3.0f, Lanczos3Filter},
    {"Mitchell", 2.0f, MitchellFilter},
};

// (dst - 1) / (src - 1), or dst / src when either side is a single pixel: a one-pixel
// target would otherwise get scale 0 and centre 0 / 0; with dst / src its one pixel is
// centred on source pixel 0 and filtered over the whole reduction width.
float AxisScale(int src, int dst) {
  if (src == 1 || dst == 1) return static_cast<float>(dst) / static_cast<float>(src);
  return static_cast<float>(dst - 1) / static_cast<float>(src - 1);
}

// Mirrored edge index. For targets of fewer than 4 pixels the filter can reach further than
// one mirror; such an index is clamped to the nearest edge pixel.
int SourceIndex(int j, int n) {
  const int k = j < 0 ? -j : j >= n ? 2 * n - 1 - j : j;
  return std::clamp(k, 0, n - 1);
}

// Contributors of target pixel i: index[k], weight[k] for k in [start[i], start[i + 1]).
struct Contributors {
  std::vector<int> start;
  std::vector<int> index;
  std::vector<float> weight;
  int span = 1;  // most source indexes between the lowest and highest of one target pixel
};

Contributors BuildContributors(int src, int dst, const ResampleFilterEntry& filter) {
  Contributors c;
  c.start.reserve(static_cast<std::size_t>(dst) + 1);
  const float scale = AxisScale(src, dst);
  const float support = filter.support;
  for (int i = 0; i < dst; ++i) {
    c.start.push_back(static_cast<int>(c.index.size()));
    const float center = static_cast<float>(i) / scale;
    int lo = src, hi = -1;
    auto add = [&](int j, float w) {
      if (w == 0.0f) return;
      const int k = SourceIndex(j, src);
      c.index.push_back(k);
      c.weight.push_back(w);
      lo = std::min(lo, k);
      hi = std::max(hi, k);
    };
    if (scale < 1.0f) {
      const float width = support / scale;
      const float fscale = 1.0f / scale;
      const int left = static_cast<int>(std::floor(center - width));
      const int right = static_cast<int>(std::ceil(center + width));
      for (int j = left; j <= right; ++j)
        add(j, filter.function((center - static_cast<float>(j)) / fscale) / fscale);
    } else {
      const int left = static_cast<int>(std::floor(center - support));
      const int right = static_cast<int>(std::ceil(center + support));
      for (int j = left; j <= right; ++j) add(j, filter.function(center - static_cast<float>(j)));
    }
    if (hi >= lo) c.span = std::max(c.span, hi - lo + 1);
  }
  c.start.push_back(static_cast<int>(c.index.size()));
  return c;
}

// Round half to even, then limit to 0..255.
inline std::uint8_t ToByte(float sum) {
#if defined(__SSE2__)
  const int v = _mm_cvtss_si32(_mm_set_ss(sum));
#else
  const int v = static_cast<int>(std::nearbyintf(sum));
#endif
  return static_cast<std::uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
}

// Horizontal pass of one row: `pixels` (sw x 4 floats, the fourth 0) into `out`, dw x 3
// floats plus one spare float, each the rounded, limited sum.
void HorizontalRow(const float* pixels, const Contributors& xc, const float* wide_weights,
                   int dw, float* out) {
  const int* index = xc.index.data();
#if defined(__SSE2__)
  const __m128 zero = _mm_setzero_ps();
  const __m128 top = _mm_set1_ps(255.0f);
  for (int i = 0; i < dw; ++i) {
    __m128 acc = zero;
    for (int k = xc.start[i], end = xc.start[i + 1]; k < end; ++k)
      acc = _mm_add_ps(acc, _mm_mul_ps(_mm_loadu_ps(wide_weights + 4 * k),
                                       _mm_loadu_ps(pixels + 4 * index[k])));
    acc = _mm_min_ps(_mm_max_ps(acc, zero), top);
    // Stores four floats; the fourth is overwritten by the next pixel or lands in the spare.
    _mm_storeu_ps(out + 3 * i, _mm_cvtepi32_ps(_mm_cvtps_epi32(acc)));
  }
#else
  const float* weight = xc.weight.data();
  (void)wide_weights;
  for (int i = 0; i < dw; ++i) {
    float b = 0, g = 0, r = 0;
    for (int k = xc.start[i], end = xc.start[i + 1]; k < end; ++k) {
      const float* p = pixels + 4 * index[k];
      b += weight[k] * p[0];
      g += weight[k] * p[1];
      r += weight[k] * p[2];
    }
    out[3 * i] = ToByte(b);
    out[3 * i + 1] = ToByte(g);
    out[3 * i + 2] = ToByte(r);
  }
#endif
}

// Vertical pass of one target row from n intermediate rows of `count` floats.
void VerticalRow(const float* const* rows, const float* weight, int n, int count,
                 std::uint8_t* out) {
  int x = 0;
#if defined(__SSE2__)
  for (; x + 16 <= count; x += 16) {
    __m128 a0 = _mm_setzero_ps(), a1 = a0, a2 = a0, a3 = a0;
    for (int k = 0; k < n; ++k) {
      const __m128 w = _mm_set1_ps(weight[k]);
      const float* p = rows[k] + x;
      a0 = _mm_add_ps(a0, _mm_mul_ps(w, _mm_loadu_ps(p)));
      a1 = _mm_add_ps(a1, _mm_mul_ps(w, _mm_loadu_ps(p + 4)));
      a2 = _mm_add_ps(a2, _mm_mul_ps(w, _mm_loadu_ps(p + 8)));
      a3 = _mm_add_ps(a3, _mm_mul_ps(w, _mm_loadu_ps(p + 12)));
    }
    // Round to even, then the saturating packs limit to 0..255.
    const __m128i lo = _mm_packs_epi32(_mm_cvtps_epi32(a0), _mm_cvtps_epi32(a1));
    const __m128i hi = _mm_packs_epi32(_mm_cvtps_epi32(a2), _mm_cvtps_epi32(a3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; x < count; ++x) {
    float sum = 0;
    for (int k = 0; k < n; ++k) sum += weight[k] * rows[k][x];
    out[x] = ToByte(sum);
  }
}

// Intermediate rows computed on demand and kept in `slots` rows: the rows one target row
// needs span fewer indexes than that, so they never evict each other.
class IntermediateRows {
 public:
  IntermediateRows(const Image& source, const Contributors& xc, int dw, int slots)
      : source_(source), xc_(xc), dw_(dw), slots_(slots),
        tags_(static_cast<std::size_t>(slots), -1),
        data_(static_cast<std::size_t>(slots) * RowFloats()),
        pixels_(static_cast<std::size_t>(source.Width()) * 4 + 4),
        wide_weights_(xc.weight.size() * 4) {
    for (std::size_t k = 0; k < xc.weight.size(); ++k)
      std::fill_n(wide_weights_.begin() + static_cast<std::ptrdiff_t>(4 * k), 4, xc.weight[k]);
  }

  const float* Get(int row) {
    const int slot = row % slots_;
    float* out = data_.data() + static_cast<std::size_t>(slot) * RowFloats();
    if (tags_[static_cast<std::size_t>(slot)] != row) {
      const std::uint8_t* s = source_.Row(row);
      for (int x = 0, w = source_.Width(); x < w; ++x, s += 3) {
        pixels_[4 * x] = s[0];
        pixels_[4 * x + 1] = s[1];
        pixels_[4 * x + 2] = s[2];
        pixels_[4 * x + 3] = 0.0f;
      }
      HorizontalRow(pixels_.data(), xc_, wide_weights_.data(), dw_, out);
      tags_[static_cast<std::size_t>(slot)] = row;
    }
    return out;
  }

 private:
  std::size_t RowFloats() const { return static_cast<std::size_t>(dw_) * 3 + 4; }

  const Image& source_;
  const Contributors& xc_;
  int dw_;
  int slots_;
  std::vector<int> tags_;
  std::vector<float> data_;
  std::vector<float> pixels_;
  std::vector<float> wide_weights_;
};

}  // namespace

const ResampleFilterEntry& ResampleFilterAt(int index) {
  if (index < 0 || index >= kResampleFilterCount) throw std::out_of_range("resample filter index");
  return kFilters[index];
}

Image Resample(const Image& source, int width, int height, ResampleFilter filter) {
  const ResampleFilterEntry& entry = ResampleFilterAt(filter);
  if (source.Empty()) throw Error(ErrorKind::Limit, "Source bitmap too small");
  if (width < 0 || height < 0) throw std::invalid_argument("negative resample size");
  Image target(width, height, PixelFormat::TrueColour);
  target.Dpi() = source.Dpi();
  if (width == 0 || height == 0) return target;

  Image converted;
  const Image* src = &source;
  if (source.Format() != PixelFormat::TrueColour) {
    converted = TrueColourCopy(source);
    src = &converted;
  }
  const int sh = src->Height();
  const Contributors xc = BuildContributors(src->Width(), width, entry);
  const Contributors yc = BuildContributors(sh, height, entry);
  IntermediateRows rows(*src, xc, width, std::min(sh, yc.span));

  std::vector<const float*> row_ptrs;
  for (int y = 0; y < height; ++y) {
    const int begin = yc.start[y], end = yc.start[y + 1];
    row_ptrs.clear();
    for (int k = begin; k < end; ++k) row_ptrs.push_back(rows.Get(yc.index[k]));
    VerticalRow(row_ptrs.data(), yc.weight.data() + begin, end - begin, width * 3, target.Row(y));
  }
  return target;
}

void Resample(const Image& source, Image& target, int filter_index) {
  ResampleFilterAt(filter_index);  // refuses an index outside the table
  target = Resample(source, target.Width(), target.Height(), static_cast<ResampleFilter>(filter_index));
}

}  // namespace ocelot::imaging
