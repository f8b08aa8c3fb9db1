// Helpers of the capture tests: a fake main window for the grabs, a window painting the
// known pattern, and injected mouse input.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "../../e2e/standins/known_pattern.h"
#include "capture/capture_host.h"
#include "imaging/image.h"

namespace ocelot::capture::testing {

// The grabs' view of the main window: a hidden window owning the clipboard, an image
// slot and counters of the calls that matter.
class FakeHost : public CaptureHost {
 public:
  explicit FakeHost(std::string working_folder);
  ~FakeHost() override;

  HWND Owner() const override { return owner_; }
  const std::string& WorkingFolder() const override { return folder_; }
  bool ViewEmpty() const override { return !view_ || view_->Empty(); }
  const imaging::Image& ViewImage() const override { return *view_; }
  void SetViewImage(imaging::Image image) override { view_ = std::move(image); }
  void SetViewZoom100() override { ++zoom100_calls; }
  void MinimizeApplication() override { ++minimize_calls; }

  int zoom100_calls = 0;
  int minimize_calls = 0;

 private:
  HWND owner_ = nullptr;
  std::string folder_;
  std::optional<imaging::Image> view_;
};

// A borderless topmost window at the screen rectangle painting KnownPatternColour of the
// screen position; shown and painted when the constructor returns.
class PatternWindow {
 public:
  PatternWindow(int x, int y, int w, int h, bool captioned = false);
  ~PatternWindow();
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_ = nullptr;
};

// Handles waiting messages for the given milliseconds, so windows paint.
void Settle(int ms = 200);

// The first pixel of the image (at x0 + x, y0 + y on the screen) that differs from the
// pattern, as "x,y got r,g,b want r,g,b"; "" when every pixel matches.
std::string FirstPatternMismatch(const imaging::Image& image, int x0, int y0);

imaging::Rgb PixelOf(const imaging::Image& image, int x, int y);

// Mouse input through SendInput, in screen pixels.
void InjectMouseMove(int x, int y);
void InjectMouseButton(bool down);

// A top-level window of the class, visible; waits up to the timeout.
HWND WaitVisibleWindow(const char* class_name, int timeout_ms = 5000);

}  // namespace ocelot::capture::testing
