// The page arithmetic of the print layouts: where each image, strip, caption and thumbnail
// lands on a page, in printer pixels. Pure functions; the GDI layer only draws what they say.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace ocelot::output {

struct PrintSize {
  int width = 0, height = 0;
  friend bool operator==(const PrintSize&, const PrintSize&) = default;
};

struct PrintPoint {
  int x = 0, y = 0;
  friend bool operator==(const PrintPoint&, const PrintPoint&) = default;
};

struct PrintRect {
  int x = 0, y = 0, width = 0, height = 0;
  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  friend bool operator==(const PrintRect&, const PrintRect&) = default;
};

// What a layout needs to know of the printer and the screen.
struct PageMetrics {
  int width = 0;          // W: printable width
  int height = 0;         // H: printable height
  int line_height = 0;    // L: height of a line of the printer font
  int screen_width = 0;   // Sw
  int screen_height = 0;  // Sh
  bool landscape = false;
};

// The printed size of an iw x ih image at normal size: the screen's width maps to the
// page's width. A tall image can come out taller than the page; a wide one never does.
PrintSize NormalPrintSize(int image_width, int image_height, const PageMetrics& page, bool print_date_time);

// One page of the normal-size print: the image rows [first_row, first_row + rows) are
// stretched into `target`.
struct PrintStrip {
  int first_row = 0;
  int rows = 0;
  PrintRect target;
  friend bool operator==(const PrintStrip&, const PrintStrip&) = default;
};

// The pages of the normal-size print: one centred page when the image fits the page's
// height, otherwise horizontal strips, each at the top of its own page.
std::vector<PrintStrip> ImagePagesLayout(int image_width, int image_height, const PageMetrics& page,
                                         bool print_date_time);

// A page with one image and at most one line of text.
struct CaptionedPage {
  PrintRect image;
  PrintPoint text;
};

// The caption layouts. `text_width` is the printed width of the caption text. Nothing
// when the image's normal-size height is above the page height (the image is skipped).
std::optional<CaptionedPage> CaptionLayout(int image_width, int image_height, const PageMetrics& page,
                                           bool print_date_time, bool caption_above, int text_width);

// The capture print with a header line of user name and/or date-time above the image.
CaptionedPage HeaderLayout(int image_width, int image_height, const PageMetrics& page, bool print_date_time,
                           bool print_user_name, int text_width);

// The left edge that centres a text of this width on the page (0 when it is wider).
int CentredTextX(int page_width, int text_width);

// The fitted print, at the top-left corner of the page. Mode 0: the image at its own
// resolution (`image_dpi`, pixels per inch; 0 means none recorded and takes
// `fallback_dpi`), shrunk uniformly to the page when larger. Mode 1: the image scaled to
// the page width, or to the page height when it is then too tall, keeping its aspect.
struct Dpi {
  double x = 0, y = 0;
};
PrintRect FittedLayout(int image_width, int image_height, int mode, Dpi image_dpi, Dpi printer_dpi,
                       Dpi fallback_dpi, const PageMetrics& page);

// Many to a page. `sizes` are the normal-size print sizes of the pending images in list
// order. Images that fit no page (taller than the page) are left out and named in
// `unfit`, so no page is ever started for them; every page holds at least one image.
struct ManyPlacement {
  std::size_t index = 0;  // into `sizes`
  PrintRect image;
  PrintPoint caption;  // the file name, 10 pixels under the image
  friend bool operator==(const ManyPlacement&, const ManyPlacement&) = default;
};
struct ManyToAPage {
  std::vector<std::vector<ManyPlacement>> pages;
  std::vector<std::size_t> unfit;
};
ManyToAPage ManyToAPageLayout(const std::vector<PrintSize>& sizes, const PageMetrics& page);

// The thumbnail sheet's cells: 160 x 120 pixels each.
inline constexpr int kThumbnailCellWidth = 160;
inline constexpr int kThumbnailCellHeight = 120;

// The size of an iw x ih image fitted into the cell keeping its aspect, and where it sits
// in the cell (centred; 0 on the side that is full).
struct ThumbnailFit {
  PrintSize size;
  PrintPoint offset;
  friend bool operator==(const ThumbnailFit&, const ThumbnailFit&) = default;
};
ThumbnailFit FitThumbnail(int image_width, int image_height);

// Where the cells of the sheet are printed, page by page (one job each); no page is
// started after the last cell.
struct SheetPlacement {
  std::size_t cell = 0;
  PrintRect image;
  PrintPoint caption;
  friend bool operator==(const SheetPlacement&, const SheetPlacement&) = default;
};
struct ThumbnailSheet {
  PrintSize cell;  // printed size of a cell
  int columns = 0;
  int rows = 0;
  std::vector<std::vector<SheetPlacement>> pages;
};
ThumbnailSheet ThumbnailSheetLayout(std::size_t cell_count, const PageMetrics& page, bool print_date_time);

// Nearest integer of numerator / denominator (denominator > 0), halves to the even one.
long long RoundHalfEven(long long numerator, long long denominator);

}  // namespace ocelot::output
