#include "output/print_layout.h"

#include <gtest/gtest.h>

using namespace ocelot::output;

namespace {
// An A4 page at 300 dpi (portrait and landscape) and a 1024 x 768 screen.
constexpr int kLine = 42;
PageMetrics Portrait() { return {2479, 3508, kLine, 1024, 768, false}; }
PageMetrics Landscape() { return {3508, 2479, kLine, 1024, 768, true}; }
}  // namespace

TEST(NormalPrintSize, ScreenWidthMapsToPageWidthWithinThePage) {
  const struct {
    const char* what;
    int iw, ih;
    PageMetrics page;
    bool print_date_time;
    PrintSize want;
  } cases[] = {
      {"screen-sized", 1024, 768, Portrait(), false, {2479, 1859}},
      {"half the screen", 512, 384, Portrait(), false, {1239, 929}},
      {"wider than the screen is cut to the page width", 4000, 1000, Portrait(), false, {2479, 619}},
      {"wide but too tall for a landscape page shrinks", 1024, 1000, Landscape(), false, {2539, 2479}},
      {"square counts as wide", 768, 768, Portrait(), false, {1859, 1859}},
      {"three screens tall gets taller than the page", 1024, 2304, Portrait(), false, {2478, 5577}},
      {"tall on a small screen shrinks to the page width", 900, 1000, {2479, 3508, kLine, 640, 480, false}, false,
       {2479, 2755}},
      {"tall, landscape, date-time: three lines less", 600, 800, Landscape(), true, {1960, 2614}},
      {"tall, landscape, no date-time", 600, 800, Landscape(), false, {2055, 2740}},
      {"tall, portrait, date-time: no lines less", 600, 800, Portrait(), true, {1452, 1936}},
      {"empty image", 0, 0, Portrait(), false, {0, 0}},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalPrintSize(c.iw, c.ih, c.page, c.print_date_time), c.want) << c.what;
}

TEST(ImagePagesLayout, ScreenSizedCapture_FillsThePageWidthCentredVertically) {
  const auto pages = ImagePagesLayout(1024, 768, Portrait(), false);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (PrintStrip{0, 768, {0, 824, 2479, 1859}}));
}

TEST(ImagePagesLayout, SmallImage_IsCentredBothWays) {
  const auto pages = ImagePagesLayout(512, 384, Portrait(), false);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], (PrintStrip{0, 384, {620, 1289, 1239, 929}}));
}

TEST(ImagePagesLayout, TallCapture_SplitsIntoStripsEachAtTheTopOfItsPage) {
  const struct {
    int ih;
    std::vector<PrintStrip> want;
  } cases[] = {
      {2304, {{0, 1449, {0, 0, 2478, 3507}}, {1449, 855, {0, 0, 2478, 2069}}}},
      {3840,
       {{0, 1449, {0, 0, 2478, 3507}}, {1449, 1449, {0, 0, 2478, 3507}}, {2898, 942, {0, 0, 2478, 2280}}}},
  };
  for (const auto& c : cases) EXPECT_EQ(ImagePagesLayout(1024, c.ih, Portrait(), false), c.want) << c.ih;
}

TEST(ImagePagesLayout, Strips_CoverEveryRowOnce) {
  const auto strips = ImagePagesLayout(300, 10007, Portrait(), false);
  ASSERT_GT(strips.size(), 1u);
  int next = 0;
  for (const auto& s : strips) {
    EXPECT_EQ(s.first_row, next);
    EXPECT_GT(s.rows, 0);
    EXPECT_LE(s.target.Bottom(), 3508);
    next += s.rows;
  }
  EXPECT_EQ(next, 10007);
}

TEST(CaptionLayout, PortraitPlacesTheTextAboveOrBelowTheCentredImage) {
  const auto above = CaptionLayout(1024, 768, Portrait(), false, true, 500);
  ASSERT_TRUE(above);
  EXPECT_EQ(above->image, (PrintRect{0, 824, 2479, 1859}));
  EXPECT_EQ(above->text, (PrintPoint{989, 824 - kLine - 20}));
  const auto below = CaptionLayout(1024, 768, Portrait(), false, false, 500);
  ASSERT_TRUE(below);
  EXPECT_EQ(below->image, above->image);
  EXPECT_EQ(below->text, (PrintPoint{989, 824 + 1859 + 20}));
}

TEST(CaptionLayout, LandscapeWithDateTime_AboveSitsAtTheBottomBelowAtTheTop) {
  // 800 x 600 prints as 2740 x 2055 on the landscape page.
  const auto above = CaptionLayout(800, 600, Landscape(), true, true, 700);
  ASSERT_TRUE(above);
  EXPECT_EQ(above->image, (PrintRect{384, 2479 - 2055, 2740, 2055}));
  EXPECT_EQ(above->text, (PrintPoint{1404, 424 - kLine}));
  const auto below = CaptionLayout(800, 600, Landscape(), true, false, 700);
  ASSERT_TRUE(below);
  EXPECT_EQ(below->image, (PrintRect{384, 0, 2740, 2055}));
  EXPECT_EQ(below->text, (PrintPoint{1404, 2055 + 10}));
}

TEST(CaptionLayout, LandscapeWithoutDateTime_StaysCentred) {
  const auto above = CaptionLayout(800, 600, Landscape(), false, true, 700);
  ASSERT_TRUE(above);
  EXPECT_EQ(above->image, (PrintRect{384, 212, 2740, 2055}));
  EXPECT_EQ(above->text, (PrintPoint{1404, 212 - kLine - 20}));
}

TEST(CaptionLayout, TextWiderThanThePage_StartsAtTheLeftEdge) {
  const auto page = CaptionLayout(1024, 768, Portrait(), false, false, 3000);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->text.x, 0);
}

TEST(CaptionLayout, ImageTallerThanThePage_IsSkipped) {
  EXPECT_FALSE(CaptionLayout(1024, 2304, Portrait(), false, true, 100));
}

TEST(HeaderLayout, CentredInPortraitAtTheBottomInLandscape) {
  const struct {
    const char* what;
    PageMetrics page;
    bool date, user;
    CaptionedPage want;
  } cases[] = {
      {"portrait, user name", Portrait(), false, true, {{0, 824, 2479, 1859}, {1039, 824 - kLine - 20}}},
      {"landscape, user name", Landscape(), false, true, {{384, 424, 2740, 2055}, {1554, 424 - kLine}}},
      {"landscape, date-time", Landscape(), true, false, {{384, 424, 2740, 2055}, {1554, 424 - kLine}}},
  };
  for (const auto& c : cases) {
    const int iw = c.page.landscape ? 800 : 1024;
    const int ih = c.page.landscape ? 600 : 768;
    const auto got = HeaderLayout(iw, ih, c.page, c.date, c.user, 400);
    EXPECT_EQ(got.image, c.want.image) << c.what;
    EXPECT_EQ(got.text, c.want.text) << c.what;
  }
}

TEST(FittedLayout, ModesPlaceTheImageAtTheTopLeftCorner) {
  const Dpi printer{300, 300};
  const Dpi screen{96, 96};
  const struct {
    const char* what;
    int iw, ih, mode;
    Dpi image_dpi;
    PrintRect want;
  } cases[] = {
      {"mode 1, wide: page width", 1024, 768, 1, {}, {0, 0, 2479, 1859}},
      {"mode 1, tall: page height", 1000, 4000, 1, {}, {0, 0, 877, 3508}},
      {"mode 1, small image grows", 100, 50, 1, {}, {0, 0, 2479, 1239}},
      {"mode 0, at its own resolution", 600, 300, 0, {100, 100}, {0, 0, 1800, 900}},
      {"mode 0, different resolutions per axis", 600, 300, 0, {100, 50}, {0, 0, 1800, 1800}},
      {"mode 0, no resolution: as on the screen", 480, 240, 0, {}, {0, 0, 1500, 750}},
      {"mode 0, larger than the page: shrunk uniformly", 960, 480, 0, {}, {0, 0, 2479, 1239}},
      {"mode 0, too tall: shrunk to the page height", 300, 3000, 0, {96, 96}, {0, 0, 350, 3508}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FittedLayout(c.iw, c.ih, c.mode, c.image_dpi, printer, screen, Portrait()), c.want) << c.what;
}

TEST(ManyToAPageLayout, ImagesThatDoNotFitBesideArePlacedAfterTheOthers) {
  // Normal sizes of 1024x768, 640x480, 800x600, 320x240, 1024x768, 200x100 on A4.
  const std::vector<PrintSize> sizes = {{2479, 1859}, {1549, 1161}, {1936, 1452},
                                        {774, 580},   {2479, 1859}, {484, 242}};
  const auto layout = ManyToAPageLayout(sizes, Portrait());
  EXPECT_TRUE(layout.unfit.empty());
  ASSERT_EQ(layout.pages.size(), 2u);
  // Page 1: the first image fills a row; the next row takes image 1, then image 3 beside
  // it (image 2 is too wide there); image 4 plus a text line would pass the bottom.
  EXPECT_EQ(layout.pages[0], (std::vector<ManyPlacement>{
                                 {0, {0, 0, 2479, 1859}, {0, 1869}},
                                 {1, {0, 1993, 1549, 1161}, {0, 3164}},
                                 {3, {1599, 1993, 774, 580}, {1599, 2583}},
                             }));
  // Page 2: image 2, image 5 beside it, then a new row for image 4.
  EXPECT_EQ(layout.pages[1], (std::vector<ManyPlacement>{
                                 {2, {0, 0, 1936, 1452}, {0, 1462}},
                                 {5, {1986, 0, 484, 242}, {1986, 252}},
                                 {4, {0, 1586, 2479, 1859}, {0, 3455}},
                             }));
}

TEST(ManyToAPageLayout, ImageTallerThanEveryPage_IsReportedNotPrinted) {
  // A 1000-row tall image on a 640 x 480 screen and a landscape page: taller than the page.
  const PageMetrics page{3508, 2479, kLine, 640, 480, true};
  const std::vector<PrintSize> sizes = {NormalPrintSize(300, 240, page, false), NormalPrintSize(600, 1000, page, false),
                                        NormalPrintSize(200, 150, page, false)};
  ASSERT_GT(sizes[1].height, page.height);
  const auto layout = ManyToAPageLayout(sizes, page);
  EXPECT_EQ(layout.unfit, std::vector<std::size_t>{1});
  ASSERT_EQ(layout.pages.size(), 1u);
  ASSERT_EQ(layout.pages[0].size(), 2u);
  EXPECT_EQ(layout.pages[0][0].index, 0u);
  EXPECT_EQ(layout.pages[0][1].index, 2u);
}

TEST(ManyToAPageLayout, OnlyUnfitImages_GiveNoPage) {
  const auto layout = ManyToAPageLayout({{100, 4000}, {2479, 3509}}, Portrait());
  EXPECT_TRUE(layout.pages.empty());
  EXPECT_EQ(layout.unfit, (std::vector<std::size_t>{0, 1}));
}

TEST(ManyToAPageLayout, ImageOfExactlyThePageHeight_GetsAPageOfItsOwn) {
  const auto layout = ManyToAPageLayout({{2479, 3508}, {2479, 3508}}, Portrait());
  EXPECT_TRUE(layout.unfit.empty());
  ASSERT_EQ(layout.pages.size(), 2u);
  EXPECT_EQ(layout.pages[1], (std::vector<ManyPlacement>{{1, {0, 0, 2479, 3508}, {0, 3518}}}));
}

TEST(FitThumbnail, KeepsTheAspectInThe160By120Cell) {
  const struct {
    int iw, ih;
    ThumbnailFit want;
  } cases[] = {
      {1024, 768, {{160, 120}, {0, 0}}},
      {1000, 500, {{160, 80}, {0, 20}}},
      {100, 300, {{40, 120}, {60, 0}}},
      {160, 120, {{160, 120}, {0, 0}}},
      {161, 120, {{160, 119}, {0, 0}}},   // 0.5 rounds to the even 0
      {318, 240, {{159, 120}, {0, 0}}},   // 160 wide would be 121 high
      {157, 120, {{157, 120}, {2, 0}}},   // 1.5 rounds to the even 2
      {640, 481, {{160, 120}, {0, 0}}},   // 120.25 rounds down
      {20, 10, {{160, 80}, {0, 20}}},     // small images grow
  };
  for (const auto& c : cases) EXPECT_EQ(FitThumbnail(c.iw, c.ih), c.want) << c.iw << "x" << c.ih;
}

TEST(ThumbnailSheetLayout, CellsFillRowsThenPages) {
  const auto sheet = ThumbnailSheetLayout(46, Portrait(), false);
  EXPECT_EQ(sheet.cell, (PrintSize{387, 290}));
  EXPECT_EQ(sheet.columns, 5);
  EXPECT_EQ(sheet.rows, 9);
  ASSERT_EQ(sheet.pages.size(), 2u);
  ASSERT_EQ(sheet.pages[0].size(), 45u);
  EXPECT_EQ(sheet.pages[0][0], (SheetPlacement{0, {0, 0, 387, 290}, {0, 300}}));
  EXPECT_EQ(sheet.pages[0][4].image, (PrintRect{1748, 0, 387, 290}));
  EXPECT_EQ(sheet.pages[0][5].image, (PrintRect{0, 382, 387, 290}));
  EXPECT_EQ(sheet.pages[0][6].caption, (PrintPoint{437, 382 + 290 + 10}));
  EXPECT_EQ(sheet.pages[0][44].image, (PrintRect{1748, 3056, 387, 290}));
  EXPECT_EQ(sheet.pages[1], (std::vector<SheetPlacement>{{45, {0, 0, 387, 290}, {0, 300}}}));
}

TEST(ThumbnailSheetLayout, LastCellFillingThePage_StartsNoEmptyPage) {
  EXPECT_EQ(ThumbnailSheetLayout(45, Portrait(), false).pages.size(), 1u);
  EXPECT_EQ(ThumbnailSheetLayout(90, Portrait(), false).pages.size(), 2u);
  EXPECT_TRUE(ThumbnailSheetLayout(0, Portrait(), false).pages.empty());
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct {
    long long n, d, want;
  } cases[] = {{1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {7, 2, 4}, {5, 4, 1}, {7, 4, 2}, {-1, 2, 0}, {-3, 2, -2}, {10, 3, 3}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.n, c.d), c.want) << c.n << "/" << c.d;
}
