// The page arithmetic of the print layouts.
#include "output/print_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace ocelot::output {

namespace {
constexpr int kCaptionGap = 20;
constexpr int kManyGap = 50;
constexpr int kSheetGap = 50;
constexpr int kNameBelowImage = 10;

int Trunc(double v) { return static_cast<int>(std::trunc(v)); }
}  // namespace

long long RoundHalfEven(long long numerator, long long denominator) {
  if (denominator < 0) {
    numerator = -numerator;
    denominator = -denominator;
  }
  long long q = numerator / denominator;
  long long r = numerator % denominator;
  if (r < 0) {  // floor division, so the remainder is never negative
    q -= 1;
    r += denominator;
  }
  if (2 * r > denominator || (2 * r == denominator && (q % 2 != 0))) ++q;
  return q;
}

PrintSize NormalPrintSize(int iw, int ih, const PageMetrics& page, bool print_date_time) {
  if (iw <= 0 || ih <= 0) return {};
  const std::int64_t W = page.width;
  const std::int64_t H = page.height;
  const int sw = std::max(1, page.screen_width);
  const int sh = std::max(1, page.screen_height);
  if (iw < ih) {
    std::int64_t height = Trunc(static_cast<double>(W) * 0.75 * ih / sh);
    if (print_date_time && page.landscape) height -= 3 * static_cast<std::int64_t>(page.line_height);
    if (height <= 0) return {};
    // The largest height whose width trunc(height * iw / ih) is within the page: what
    // lowering the height one by one until the width fits arrives at.
    const std::int64_t most = ((W + 1) * ih - 1) / iw;
    height = std::min(height, most);
    return {static_cast<int>(height * iw / ih), static_cast<int>(height)};
  }
  std::int64_t width = std::min<std::int64_t>(W, W * iw / sw);
  const std::int64_t most = ((H + 1) * iw - 1) / ih;
  width = std::min(width, most);
  if (width <= 0) return {};
  return {static_cast<int>(width), static_cast<int>(width * ih / iw)};
}

std::vector<PrintStrip> ImagePagesLayout(int iw, int ih, const PageMetrics& page, bool print_date_time) {
  const PrintSize whole = NormalPrintSize(iw, ih, page, print_date_time);
  if (whole.height <= page.height) {
    return {{0, ih,
             {(page.width - whole.width) / 2, (page.height - whole.height) / 2, whole.width, whole.height}}};
  }
  const int strip_rows = std::max(1, Trunc(static_cast<double>(page.height) / whole.height * ih));
  std::vector<PrintStrip> strips;
  for (int first = 0; first < ih; first += strip_rows) {
    const int rows = std::min(strip_rows, ih - first);
    const PrintSize part = NormalPrintSize(iw, rows, page, print_date_time);
    strips.push_back({first, rows, {0, 0, whole.width, part.height}});
  }
  return strips;
}

int CentredTextX(int page_width, int text_width) {
  return text_width > page_width ? 0 : (page_width - text_width) / 2;
}

std::optional<CaptionedPage> CaptionLayout(int iw, int ih, const PageMetrics& page, bool print_date_time,
                                           bool caption_above, int text_width) {
  const PrintSize s = NormalPrintSize(iw, ih, page, print_date_time);
  if (s.height > page.height) return std::nullopt;
  int gap = kCaptionGap;
  const int x = (page.width - s.width) / 2;
  int y = (page.height - s.height) / 2;
  if (print_date_time && page.landscape) {
    if (caption_above) {
      y = page.height - s.height;
      gap = 0;
    } else {
      y = 0;
      gap = 10;
    }
  }
  const int tx = CentredTextX(page.width, text_width);
  const PrintPoint text = caption_above ? PrintPoint{tx, y - page.line_height - gap} : PrintPoint{tx, y + s.height + gap};
  return CaptionedPage{{x, y, s.width, s.height}, text};
}

CaptionedPage HeaderLayout(int iw, int ih, const PageMetrics& page, bool print_date_time, bool print_user_name,
                           int text_width) {
  const PrintSize s = NormalPrintSize(iw, ih, page, print_date_time);
  const int x = (page.width - s.width) / 2;
  int y = (page.height - s.height) / 2;
  int gap = kCaptionGap;
  if ((print_date_time || print_user_name) && page.landscape) {
    y = page.height - s.height;
    gap = 0;
  }
  return {{x, y, s.width, s.height}, {CentredTextX(page.width, text_width), y - page.line_height - gap}};
}

PrintRect FittedLayout(int iw, int ih, int mode, Dpi image_dpi, Dpi printer_dpi, Dpi fallback_dpi,
                       const PageMetrics& page) {
  if (iw <= 0 || ih <= 0 || page.width <= 0 || page.height <= 0) return {};
  const double W = page.width;
  const double H = page.height;
  if (mode == 0) {
    const double dx = image_dpi.x > 0 ? image_dpi.x : fallback_dpi.x;
    const double dy = image_dpi.y > 0 ? image_dpi.y : fallback_dpi.y;
    double w = iw * printer_dpi.x / dx;
    double h = ih * printer_dpi.y / dy;
    if (w > W || h > H) {
      // The side that limits gets the page's measure exactly.
      if (W / w <= H / h) {
        h = h * W / w;
        w = W;
      } else {
        w = w * H / h;
        h = H;
      }
    }
    return {0, 0, std::max(1, Trunc(w)), std::max(1, Trunc(h))};
  }
  int w = page.width;
  int h = Trunc(W * ih / iw);
  if (h > page.height) {
    h = page.height;
    w = Trunc(H * iw / ih);
  }
  return {0, 0, std::max(1, w), std::max(1, h)};
}

ManyToAPage ManyToAPageLayout(const std::vector<PrintSize>& sizes, const PageMetrics& page) {
  ManyToAPage out;
  std::vector<std::size_t> pending;
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    // Such an image would end every page before anything is printed on it.
    if (sizes[i].height > page.height || sizes[i].width > page.width || sizes[i].height <= 0)
      out.unfit.push_back(i);
    else
      pending.push_back(i);
  }
  const int W = page.width;
  const int H = page.height;
  const int L = page.line_height;
  while (!pending.empty()) {
    std::vector<ManyPlacement> placed;
    std::size_t i = 0;
    int x = 0, y = 0, b = 0;
    while (!pending.empty()) {
      const PrintSize s = sizes[pending[i]];
      if (x + s.width <= W && y + s.height <= H) {
        placed.push_back({pending[i], {x, y, s.width, s.height}, {x, y + s.height + kNameBelowImage}});
        x = x + s.width + kManyGap;
        if (y + s.height > b) b = y + s.height + kManyGap + L;
        pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(i));
        // The last candidate of the row was placed: every other one was tried in this row
        // already, so a new row begins.
        if (i == pending.size()) {
          i = 0;
          x = 0;
          y = b + L;
        }
        continue;
      }
      if (y + s.height + L > H) break;  // the page is full
      if (i + 1 == pending.size()) {
        i = 0;
        x = 0;
        y = b + L;
      } else {
        ++i;
      }
    }
    out.pages.push_back(std::move(placed));
  }
  return out;
}

ThumbnailFit FitThumbnail(int iw, int ih) {
  if (iw <= 0 || ih <= 0) return {};
  int w = kThumbnailCellWidth;
  int h = kThumbnailCellHeight;
  if (ih < iw) {
    for (;;) {
      h = static_cast<int>(RoundHalfEven(static_cast<long long>(w) * ih, iw));
      if (h <= kThumbnailCellHeight || w <= 1) break;
      --w;
    }
  } else {
    for (;;) {
      w = static_cast<int>(RoundHalfEven(static_cast<long long>(h) * iw, ih));
      if (w <= kThumbnailCellWidth || h <= 1) break;
      --h;
    }
  }
  w = std::max(1, w);
  h = std::max(1, h);
  return {{w, h},
          {static_cast<int>(RoundHalfEven(kThumbnailCellWidth - w, 2)),
           static_cast<int>(RoundHalfEven(kThumbnailCellHeight - h, 2))}};
}

ThumbnailSheet ThumbnailSheetLayout(std::size_t cell_count, const PageMetrics& page, bool print_date_time) {
  ThumbnailSheet sheet;
  sheet.cell = NormalPrintSize(kThumbnailCellWidth, kThumbnailCellHeight, page, print_date_time);
  const int cw = sheet.cell.width;
  const int ch = sheet.cell.height;
  const int L = page.line_height;
  // At least one of each, so a page too small for a cell still ends after one.
  sheet.columns = std::max(1, page.width / (cw + kSheetGap));
  sheet.rows = std::max(1, page.height / (ch + L + kSheetGap));
  int x = 0, y = 0, k = 1, j = 1;
  bool open = false;
  for (std::size_t cell = 0; cell < cell_count; ++cell) {
    if (!open) {
      sheet.pages.emplace_back();
      open = true;
    }
    sheet.pages.back().push_back({cell, {x, y, cw, ch}, {x, y + ch + kNameBelowImage}});
    if (k < sheet.columns) {
      x = x + cw + kSheetGap;
    } else {
      k = 0;
      x = 0;
      y = (ch + kSheetGap + L) * j;
      ++j;
      if (j == sheet.rows + 1) {
        y = 0;
        j = 1;
        open = false;
      }
    }
    ++k;
  }
  return sheet;
}

}  // namespace ocelot::output
