#include "imaging/resample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "common/error.h"
#include "imaging/random.h"

using namespace ocelot::imaging;

namespace {

Image RandomImage(int w, int h, std::uint64_t seed) {
  Image img(w, h, PixelFormat::TrueColour);
  Random rnd(seed);
  for (auto& b : img.Pixels()) b = static_cast<std::uint8_t>(rnd.Next(256));
  return img;
}

Image Row(std::initializer_list<std::uint8_t> grays) {
  Image img(static_cast<int>(grays.size()), 1, PixelFormat::TrueColour);
  int x = 0;
  for (auto g : grays) std::fill_n(img.Row(0) + 3 * x++, 3, g);
  return img;
}

// The resampler written the slow, obvious way, pixel by pixel with a whole intermediate
// image, to hold the fast one to the same bytes. It shares only the filter table.
struct RefContributor {
  int index;
  float weight;
};

std::vector<std::vector<RefContributor>> RefContributors(int src, int dst, const ResampleFilterEntry& f) {
  const float scale = (src == 1 || dst == 1) ? static_cast<float>(dst) / static_cast<float>(src)
                                             : static_cast<float>(dst - 1) / static_cast<float>(src - 1);
  std::vector<std::vector<RefContributor>> list(static_cast<std::size_t>(dst));
  for (int i = 0; i < dst; ++i) {
    const float center = static_cast<float>(i) / scale;
    const bool reduce = scale < 1.0f;
    const float width = reduce ? f.support / scale : f.support;
    const float fscale = reduce ? 1.0f / scale : 1.0f;
    for (int j = static_cast<int>(std::floor(center - width)); j <= static_cast<int>(std::ceil(center + width)); ++j) {
      const float w = reduce ? f.function((center - static_cast<float>(j)) / fscale) / fscale
                             : f.function(center - static_cast<float>(j));
      if (w == 0.0f) continue;
      int k = j < 0 ? -j : j >= src ? 2 * src - 1 - j : j;
      k = std::clamp(k, 0, src - 1);
      list[static_cast<std::size_t>(i)].push_back({k, w});
    }
  }
  return list;
}

std::uint8_t RefByte(float sum) {
  if (sum > 255.0f) return 255;
  if (sum < 0.0f) return 0;
  return static_cast<std::uint8_t>(std::nearbyint(sum));
}

Image ReferenceResample(const Image& src, int dw, int dh, ResampleFilter filter) {
  const auto& f = ResampleFilterAt(filter);
  const int sw = src.Width(), sh = src.Height();
  const auto xc = RefContributors(sw, dw, f);
  const auto yc = RefContributors(sh, dh, f);
  Image mid(dw, sh, PixelFormat::TrueColour);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < dw; ++x)
      for (int c = 0; c < 3; ++c) {
        float sum = 0;
        for (const auto& k : xc[static_cast<std::size_t>(x)]) sum += k.weight * static_cast<float>(src.Row(y)[3 * k.index + c]);
        mid.Row(y)[3 * x + c] = RefByte(sum);
      }
  Image out(dw, dh, PixelFormat::TrueColour);
  for (int y = 0; y < dh; ++y)
    for (int x = 0; x < dw * 3; ++x) {
      float sum = 0;
      for (const auto& k : yc[static_cast<std::size_t>(y)]) sum += k.weight * static_cast<float>(mid.Row(k.index)[x]);
      out.Row(y)[x] = RefByte(sum);
    }
  return out;
}

}  // namespace

TEST(Resample, AllFiltersAndSizes_MatchReferenceByteForByte) {
  const struct { int sw, sh, dw, dh; } sizes[] = {
      {1, 1, 3, 2},   {5, 5, 1, 1},   {7, 3, 2, 3},   {4, 4, 3, 3},     {10, 1, 4, 6},
      {37, 23, 80, 51}, {64, 48, 17, 9}, {20, 13, 20, 13}, {3, 40, 41, 2}, {2, 2, 1, 7},
  };
  std::uint64_t seed = 1;
  for (const auto& s : sizes) {
    const Image src = RandomImage(s.sw, s.sh, seed++);
    for (int f = 0; f < kResampleFilterCount; ++f) {
      const auto filter = static_cast<ResampleFilter>(f);
      SCOPED_TRACE(testing::Message() << ResampleFilterAt(f).name << " " << s.sw << "x" << s.sh << " -> "
                                      << s.dw << "x" << s.dh);
      EXPECT_EQ(Resample(src, s.dw, s.dh, filter), ReferenceResample(src, s.dw, s.dh, filter));
    }
  }
}

TEST(Resample, TriangleAtSameSize_ReturnsImageUnchanged) {
  const Image src = RandomImage(31, 17, 99);
  EXPECT_EQ(Resample(src, 31, 17, ResampleFilter::Triangle), src);
}

TEST(Resample, OnePixelWideToThree_SpreadsTheColumn) {
  // sw = 1 uses xscale = dw / sw = 3; every target column draws on the single source column
  // (mirrored indexes all land on it). Triangle and Hermite weights sum to 1 there; Lanczos3
  // keeps column 0 exactly, where its other weights are (nearly) 0.
  Image src(1, 2, PixelFormat::TrueColour);
  std::fill_n(src.Row(0), 3, std::uint8_t{90});
  std::fill_n(src.Row(1), 3, std::uint8_t{200});
  for (auto f : {ResampleFilter::Triangle, ResampleFilter::Hermite, ResampleFilter::Lanczos3}) {
    const Image out = Resample(src, 3, 2, f);
    ASSERT_EQ(out.Width(), 3);
    ASSERT_EQ(out.Height(), 2);
    const int columns = f == ResampleFilter::Lanczos3 ? 1 : 3;
    for (int x = 0; x < columns; ++x) {
      EXPECT_EQ(out.Row(0)[3 * x], 90) << ResampleFilterAt(f).name << " column " << x;
      EXPECT_EQ(out.Row(1)[3 * x], 200) << ResampleFilterAt(f).name << " column " << x;
    }
  }
}

TEST(Resample, TwoToThreeTriangle_RoundsTheHalfToEven) {
  // xscale = 2: the middle target pixel is 0.5 x 10 + 0.5 x 23 = 16.5, which rounds to 16.
  const Image out = Resample(Row({10, 23}), 3, 1, ResampleFilter::Triangle);
  EXPECT_EQ(out, Row({10, 16, 23}));
}

TEST(Resample, OneWideTargetOfTwoPixels_ClampsIndexesBeyondTheMirror) {
  // dw = 1 takes xscale = 1/2; B-Spline then reaches j = -3 and -2, mirrored to 3 and 2 and
  // clamped to pixel 1: weights 0.34375 for pixel 0 and 0.65625 for pixel 1.
  const Image out = Resample(Row({0, 160}), 1, 1, ResampleFilter::BSpline);
  EXPECT_EQ(out.Row(0)[0], 105);
}

TEST(Resample, IndexedSource_IsResampledAsTrueColour) {
  Image src(2, 2, PixelFormat::Colour16);
  src.Palette() = {Rgb{255, 0, 0}, Rgb{0, 0, 255}};
  src.Row(0)[1] = 1;
  const Image out = Resample(src, 2, 2, ResampleFilter::Triangle);
  EXPECT_EQ(out.Format(), PixelFormat::TrueColour);
  EXPECT_EQ(out.PixelColour(0, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(out.PixelColour(1, 0), (Rgb{0, 0, 255}));
}

TEST(Resample, SourceWithoutColumnsOrRows_ThrowsTooSmall) {
  for (const Image& src : {Image(0, 5, PixelFormat::TrueColour), Image(5, 0, PixelFormat::TrueColour), Image()}) {
    try {
      Resample(src, 10, 10, ResampleFilter::Lanczos3);
      ADD_FAILURE() << "no error for " << src.Width() << "x" << src.Height();
    } catch (const ocelot::Error& e) {
      EXPECT_STREQ(e.what(), "Source bitmap too small");
    }
  }
}

TEST(Resample, TargetOverload_FillsTheGivenSizeAndRefusesBadIndex) {
  Image target(6, 4, PixelFormat::Gray256);
  Resample(RandomImage(3, 2, 5), target, 2);
  EXPECT_EQ(target.Format(), PixelFormat::TrueColour);
  EXPECT_EQ(target, Resample(RandomImage(3, 2, 5), 6, 4, ResampleFilter::Hermite));
  EXPECT_THROW(Resample(RandomImage(3, 2, 5), target, 7), std::out_of_range);
  EXPECT_THROW(Resample(RandomImage(3, 2, 5), target, -1), std::out_of_range);
}

TEST(Resample, ZeroTargetSide_GivesEmptyImage) {
  const Image out = Resample(RandomImage(3, 2, 5), 0, 4, ResampleFilter::Box);
  EXPECT_TRUE(out.Empty());
  EXPECT_EQ(out.Height(), 4);
}

TEST(ResampleFilterAt, Table_HoldsNamesSupportsAndValues) {
  const struct { const char* name; float support; float at0, at_half, at1; } expected[] = {
      {"Box", 0.5f, 1.0f, 1.0f, 0.0f},
      {"Triangle", 1.0f, 1.0f, 0.5f, 0.0f},
      {"Hermite", 1.0f, 1.0f, 0.5f, 0.0f},
      {"Bell", 1.5f, 0.75f, 0.5f, 0.125f},
      {"B-Spline", 2.0f, 2.0f / 3.0f, 23.0f / 48.0f, 1.0f / 6.0f},
      {"Lanczos3", 3.0f, 1.0f, 0.6079271f, 0.0f},
      {"Mitchell", 2.0f, 8.0f / 9.0f, 0.5347222f, 1.0f / 18.0f},
  };
  for (int i = 0; i < kResampleFilterCount; ++i) {
    const auto& e = ResampleFilterAt(i);
    SCOPED_TRACE(e.name);
    EXPECT_STREQ(e.name, expected[i].name);
    EXPECT_EQ(e.support, expected[i].support);
    EXPECT_NEAR(e.function(0.0f), expected[i].at0, 1e-6);
    EXPECT_NEAR(e.function(0.5f), expected[i].at_half, 1e-6);
    EXPECT_NEAR(e.function(1.0f), expected[i].at1, 1e-6);
    EXPECT_EQ(e.function(-0.25f), e.function(0.25f));
  }
  // Box includes +0.5 and excludes -0.5.
  EXPECT_EQ(ResampleFilterAt(ResampleFilter::Box).function(-0.5f), 0.0f);
}
