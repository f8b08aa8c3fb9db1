#include "capture/screen_grab.h"

#include <gtest/gtest.h>

#include "capture_fixture.h"
#include "temp_folder.h"
#include "win/dib.h"

namespace ocelot::capture {
namespace {

using imaging::Image;
using imaging::PixelFormat;
using imaging::Rgb;
using testing::PatternWindow;

constexpr Rgb kWhite{255, 255, 255};

TEST(ScreenGrab, GrabScreenRect_PatternWindow_EqualsPattern) {
  PatternWindow pattern(30, 40, 220, 150);
  const RECT rect{50, 60, 50 + 170, 60 + 110};  // inside the window, not at its corner
  auto bmp = CreateGrabBitmap(170, 110);
  ASSERT_TRUE(bmp);
  GrabScreenRect(bmp.get(), rect);
  const auto image = win::ImageFromBitmap(bmp.get());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Width(), 170);
  EXPECT_EQ(image->Height(), 110);
  EXPECT_EQ(testing::FirstPatternMismatch(*image, 50, 60), "");
}

TEST(ScreenGrab, GrabScreenImage_EmptyRect_Nothing) {
  EXPECT_FALSE(GrabScreenImage(RECT{10, 10, 10, 50}));
  EXPECT_FALSE(GrabScreenImage(RECT{10, 10, 5, 50}));
}

TEST(ScreenGrab, ScreenSize_MatchesSystemMetrics) {
  const SIZE s = ScreenSize();
  EXPECT_EQ(s.cx, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(s.cy, GetSystemMetrics(SM_CYSCREEN));
}

TEST(ScreenGrab, EllipseCutOut_Grab_InsideCopiedCornersWhite) {
  Image source(60, 40, PixelFormat::TrueColour);
  for (auto& b : source.Pixels()) b = 0x20;  // dark gray everywhere
  const win::ScopedBitmap bmp(win::CreateBitmapFromImage(source));
  ASSERT_TRUE(bmp);
  const auto cut = EllipseCutOut(bmp.get(), 60, 40);
  ASSERT_TRUE(cut);
  ASSERT_EQ(cut->Width(), 60);
  ASSERT_EQ(cut->Height(), 40);
  const Rgb gray{0x20, 0x20, 0x20};
  for (auto [x, y] : {std::pair{0, 0}, {59, 0}, {0, 39}, {59, 39}, {3, 3}, {56, 36}, {0, 20}, {30, 0}, {59, 20}, {30, 39}})
    EXPECT_EQ(cut->PixelColour(x, y), kWhite) << x << "," << y;  // outside the ellipse (1,1)-(59,39)
  for (auto [x, y] : {std::pair{30, 20}, {5, 20}, {54, 20}, {30, 4}, {30, 35}})
    EXPECT_EQ(cut->PixelColour(x, y), gray) << x << "," << y;
}

class ScreenGrabView : public ::testing::Test {
 protected:
  TempFolder folder;
  testing::FakeHost host{folder.path()};
};

TEST_F(ScreenGrabView, TrimBorder_Sizes_OnePixelOffAboveFour) {
  const struct {
    int w, h, want_w, want_h;
  } cases[] = {{60, 40, 58, 38}, {5, 5, 3, 3}, {4, 40, 4, 40}, {40, 4, 40, 4}, {2, 2, 2, 2}};
  for (const auto& c : cases) {
    host.SetViewImage(Image(c.w, c.h, PixelFormat::TrueColour));
    TrimBorder(host);
    EXPECT_EQ(host.ViewImage().Width(), c.want_w) << c.w << "x" << c.h;
    EXPECT_EQ(host.ViewImage().Height(), c.want_h) << c.w << "x" << c.h;
  }
}

TEST_F(ScreenGrabView, LoadCaptureIntoView_ViewHoldsImage_GrabsAgain) {
  PatternWindow pattern(30, 40, 220, 150);
  host.SetViewImage(Image(3, 3, PixelFormat::TrueColour));
  ASSERT_TRUE(win::PutImageOnClipboard(host.Owner(), Image(7, 7, PixelFormat::TrueColour)));
  LoadCaptureIntoView(host, RECT{40, 50, 140, 130});
  ASSERT_FALSE(host.ViewEmpty());
  EXPECT_EQ(host.ViewImage().Width(), 100);
  EXPECT_EQ(host.ViewImage().Height(), 80);
  EXPECT_EQ(testing::FirstPatternMismatch(host.ViewImage(), 40, 50), "");
  EXPECT_EQ(host.zoom100_calls, 1);
  const auto clip = win::ImageFromClipboard(host.Owner());
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->Width(), 100);
}

TEST_F(ScreenGrabView, LoadCaptureIntoView_ViewEmpty_TakesClipboard) {
  Image seven(7, 5, PixelFormat::TrueColour);
  ASSERT_TRUE(win::PutImageOnClipboard(host.Owner(), seven));
  LoadCaptureIntoView(host, RECT{40, 50, 140, 130});
  ASSERT_FALSE(host.ViewEmpty());
  EXPECT_EQ(host.ViewImage().Width(), 7);
  EXPECT_EQ(host.ViewImage().Height(), 5);
  EXPECT_EQ(host.zoom100_calls, 1);
}

// An arrow of our own with the pointer resource's layout: yellow background (the pixel
// at (5, 2) among it), a black outline column and a white inside.
win::ScopedBitmap TestPointer() {
  Image p(11, 19, PixelFormat::TrueColour);
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 11; ++x) {
      std::uint8_t* px = p.Row(y) + x * 3;
      px[0] = 0, px[1] = 255, px[2] = 255;  // yellow (B, G, R)
      if (x == 0 && y < 16) px[0] = px[1] = px[2] = 0;                    // black edge
      if (x >= 1 && x <= 2 && y >= 4 && y < 12) px[0] = px[1] = px[2] = 255;  // white inside
    }
  return win::ScopedBitmap(win::CreateBitmapFromImage(p));
}

TEST_F(ScreenGrabView, DrawMousePointer_AtCursor_ArrowDrawnYellowLeftOut) {
  PatternWindow pattern(100, 100, 300, 200);
  ASSERT_TRUE(SetCursorPos(200, 150));
  testing::Settle(200);
  POINT at{};
  GetCursorPos(&at);
  ASSERT_EQ(at.x, 200);
  ASSERT_EQ(at.y, 150);
  DrawMousePointer(TestPointer().get());
  const auto grab = GrabScreenImage(RECT{200, 150, 211, 169});
  ASSERT_TRUE(grab);
  const Rgb black{0, 0, 0};
  EXPECT_EQ(grab->PixelColour(0, 0), black);
  EXPECT_EQ(grab->PixelColour(0, 15), black);
  EXPECT_EQ(grab->PixelColour(1, 5), kWhite);
  EXPECT_EQ(grab->PixelColour(2, 11), kWhite);
  // Background pixels show what was there: the pattern, not yellow.
  for (auto [x, y] : {std::pair{5, 2}, {10, 18}, {4, 8}, {0, 17}}) {
    const auto want = e2e::KnownPatternColour(200 + x, 150 + y);
    EXPECT_EQ(grab->PixelColour(x, y), (Rgb{want.r, want.g, want.b})) << x << "," << y;
  }
  InvalidateRect(pattern.hwnd(), nullptr, FALSE);
  testing::Settle(100);
}

TEST_F(ScreenGrabView, RepaintScreen_AfterPointer_PointerGone) {
  PatternWindow pattern(100, 100, 300, 200);
  ASSERT_TRUE(SetCursorPos(220, 170));
  DrawMousePointer(TestPointer().get());
  const auto with_pointer = GrabScreenImage(RECT{220, 170, 231, 189});
  ASSERT_TRUE(with_pointer);
  ASSERT_EQ(with_pointer->PixelColour(0, 0), (Rgb{0, 0, 0}));
  RepaintScreen(true);
  testing::Settle(200);
  const auto after = GrabScreenImage(RECT{220, 170, 231, 189});
  ASSERT_TRUE(after);
  EXPECT_EQ(testing::FirstPatternMismatch(*after, 220, 170), "");
}

}  // namespace
}  // namespace ocelot::capture
