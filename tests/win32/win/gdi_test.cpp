#include "win/gdi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

using namespace ocelot;

namespace {

// True while the handle names a live GDI object; a deleted one reads as no object.
bool Alive(HGDIOBJ h) { return GetObjectType(h) != 0; }

LOGPALETTE* TwoColourPalette() {
  static struct {
    WORD version = 0x300;
    WORD count = 2;
    PALETTEENTRY entries[2] = {{255, 0, 0, 0}, {0, 0, 255, 0}};
  } pal;
  return reinterpret_cast<LOGPALETTE*>(&pal);
}

HFONT MakeFont() {
  return CreateFontA(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
}

TEST(GdiOwners, ManyInAScope_AllDeletedOnLeaving) {
  std::vector<HGDIOBJ> made;
  {
    win::WindowDC screen(nullptr);
    ASSERT_TRUE(screen);
    std::vector<win::MemoryDC> dcs;
    std::vector<win::ScopedBitmap> bitmaps;
    std::vector<win::ScopedBrush> brushes;
    std::vector<win::ScopedPen> pens;
    std::vector<win::ScopedFont> fonts;
    std::vector<win::ScopedRegion> regions;
    std::vector<win::ScopedPalette> palettes;
    for (int i = 0; i < 40; ++i) {
      dcs.emplace_back(screen.get());
      bitmaps.emplace_back(CreateCompatibleBitmap(screen.get(), 8, 8));
      brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
      pens.emplace_back(CreatePen(PS_SOLID, 1, RGB(0, i, 0)));
      fonts.emplace_back(MakeFont());
      regions.emplace_back(CreateRectRgn(0, 0, i + 1, i + 1));
      palettes.emplace_back(CreatePalette(TwoColourPalette()));
      // A bitmap selected into its DC and put back again before either goes.
      win::SelectedObject keep(dcs.back().get(), bitmaps.back().get());
      for (HGDIOBJ h : {static_cast<HGDIOBJ>(dcs.back().get()), static_cast<HGDIOBJ>(bitmaps.back().get()),
                        static_cast<HGDIOBJ>(brushes.back().get()), static_cast<HGDIOBJ>(pens.back().get()),
                        static_cast<HGDIOBJ>(fonts.back().get()), static_cast<HGDIOBJ>(regions.back().get()),
                        static_cast<HGDIOBJ>(palettes.back().get())}) {
        ASSERT_TRUE(Alive(h)) << "round " << i;
        made.push_back(h);
      }
    }
  }
  for (std::size_t i = 0; i < made.size(); ++i) EXPECT_FALSE(Alive(made[i])) << "handle " << i << " of " << made.size();
}

TEST(GdiOwners, MoveResetAndRelease_DeleteExactlyWhatIsOwned) {
  win::ScopedBitmap a(CreateBitmap(4, 4, 1, 1, nullptr));
  const HBITMAP first = a.get();
  win::ScopedBitmap b(std::move(a));
  EXPECT_FALSE(a);
  EXPECT_EQ(b.get(), first);
  EXPECT_TRUE(Alive(first));  // moving hands it over, deleting nothing

  b.reset(CreateBitmap(4, 4, 1, 1, nullptr));
  EXPECT_FALSE(Alive(first));  // reset deletes the one it held
  const HBITMAP second = b.get();

  win::ScopedBitmap c(CreateBitmap(4, 4, 1, 1, nullptr));
  const HBITMAP third = c.get();
  c = std::move(b);  // assignment deletes the target's own
  EXPECT_FALSE(Alive(third));
  EXPECT_TRUE(Alive(second));

  const HBITMAP kept = c.release();
  c.reset();
  EXPECT_TRUE(Alive(kept));  // released: ours to delete now
  DeleteObject(kept);
}

// Each kind of object a DC holds one of: selected for a scope, then the DC's own again,
// after which the object is no longer in use and can be deleted.
struct SelectionCase {
  const char* name;
  UINT type;
  HGDIOBJ (*make)();
};

const SelectionCase kSelectionCases[] = {
    {"bitmap", OBJ_BITMAP, [] { return static_cast<HGDIOBJ>(CreateBitmap(8, 8, 1, 1, nullptr)); }},
    {"pen", OBJ_PEN, [] { return static_cast<HGDIOBJ>(CreatePen(PS_DASH, 1, RGB(1, 2, 3))); }},
    {"brush", OBJ_BRUSH, [] { return static_cast<HGDIOBJ>(CreateSolidBrush(RGB(4, 5, 6))); }},
    {"font", OBJ_FONT, [] { return static_cast<HGDIOBJ>(MakeFont()); }},
};

TEST(SelectedObject, LeavingScope_PutsTheDcsOwnObjectBack) {
  for (const auto& c : kSelectionCases) {
    SCOPED_TRACE(c.name);
    win::MemoryDC dc(nullptr);
    ASSERT_TRUE(dc);
    const HGDIOBJ own = GetCurrentObject(dc.get(), c.type);
    const HGDIOBJ object = c.make();
    ASSERT_TRUE(object);
    {
      win::SelectedObject keep(dc.get(), object);
      EXPECT_EQ(GetCurrentObject(dc.get(), c.type), object);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), c.type), own);
    EXPECT_TRUE(DeleteObject(object));
  }
}

TEST(SelectedPalette, LeavingScope_PutsTheDcsOwnPaletteBack_NullSelectsNothing) {
  win::MemoryDC dc(nullptr);
  const HGDIOBJ own = GetCurrentObject(dc.get(), OBJ_PAL);
  ASSERT_TRUE(own);
  const win::ScopedPalette palette(CreatePalette(TwoColourPalette()));
  {
    win::SelectedPalette keep(dc.get(), palette.get());
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PAL), palette.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PAL), own);
  {
    win::SelectedPalette none(dc.get(), nullptr);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PAL), own);
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PAL), own);
}

// A visible popup of its own class; WM_PAINT goes through PaintDC and is recorded.
struct Painted {
  HDC dc = nullptr;
  RECT area{};
};
Painted g_painted;

LRESULT CALLBACK PaintRecorderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    win::PaintDC dc(hwnd);
    g_painted = {dc.get(), dc.area()};
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

class TestWindow {
 public:
  TestWindow() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &PaintRecorderProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "OcelotGdiTestWindow";
    RegisterClassA(&wc);  // again on later tests: the class stays
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 10, 10, 40, 30, nullptr,
                            nullptr, wc.hInstance, nullptr);
  }
  ~TestWindow() { DestroyWindow(hwnd_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// A DC of the cache that was given back is the one the next GetDC hands out; one still
// held is not.
TEST(WindowDC, Leaving_GivesTheDcBackToTheCache) {
  TestWindow window;
  ASSERT_TRUE(window.get());
  for (HWND hwnd : {window.get(), static_cast<HWND>(nullptr)}) {
    SCOPED_TRACE(hwnd ? "window" : "screen");
    HDC held = nullptr;
    {
      win::WindowDC dc(hwnd);
      ASSERT_TRUE(dc);
      held = dc.get();
    }
    HDC again = GetDC(hwnd);
    EXPECT_EQ(again, held);
    ReleaseDC(hwnd, again);
  }
}

TEST(PaintDC, WmPaint_ValidatesTheWindowAndGivesTheDcBack) {
  TestWindow window;
  ASSERT_TRUE(window.get());
  g_painted = {};
  InvalidateRect(window.get(), nullptr, FALSE);
  UpdateWindow(window.get());
  ASSERT_TRUE(g_painted.dc);
  EXPECT_EQ(g_painted.area.right - g_painted.area.left, 40);
  EXPECT_EQ(g_painted.area.bottom - g_painted.area.top, 30);
  EXPECT_FALSE(GetUpdateRect(window.get(), nullptr, FALSE));
  HDC again = GetDC(window.get());
  EXPECT_EQ(again, g_painted.dc);
  ReleaseDC(window.get(), again);
}

}  // namespace
