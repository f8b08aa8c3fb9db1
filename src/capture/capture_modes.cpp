// The capture mode table.
#include "capture/capture_modes.h"

namespace ocelot::capture {

namespace {
using settings::CaptureMode;
using enum GrabKind;
using enum WhileAutoCapture;
constexpr std::array<CaptureModeInfo, settings::kCaptureModeCount> kModes = {{
    {CaptureMode::FullScreen, "Full Screen", Screen, Runs, false},
    {CaptureMode::ActiveWindow, "Active Window", Screen, Runs, false},
    {CaptureMode::ActiveWindowClientArea, "Active Window Client Area", Screen, Runs, false},
    {CaptureMode::UserDefinedRectangle, "User-Defined Rectangle", Screen, Skipped, true},
    {CaptureMode::UserDefinedRectangleWithRepeat, "User-Defined Rectangle with Repeat", Screen, NeedsRememberedArea,
     false},
    {CaptureMode::UserDefinedCircle, "User-Defined Circle", Screen, Skipped, true},
    {CaptureMode::UserDefinedCircleWithRepeat, "User-Defined Circle with Repeat", Screen, Skipped, true},
    {CaptureMode::MouseSelectedRegion, "Mouse Selected Region", Region, Skipped, true},
    {CaptureMode::DosTextAsGraphic, "Full DOS Screen: Text as Graphic", DosScreen, Skipped, true},
    {CaptureMode::DosTextAsTextFile, "Full DOS Screen: Text as Text File", DosScreen, Skipped, true},
    {CaptureMode::DosGraphicsOnly, "Full DOS Screen: Graphics Only", DosScreen, Skipped, true},
    {CaptureMode::ZoomCapture, "Zoom Capture", Zoom, Skipped, true},
    {CaptureMode::SuperScroll, "SuperScroll", Scroll, Skipped, true},
}};

constexpr bool RowsInStoredOrder() {
  for (std::size_t i = 0; i < kModes.size(); ++i)
    if (settings::TableIndex(kModes[i].mode) != i) return false;
  return true;
}
static_assert(RowsInStoredOrder());
}  // namespace

const std::array<CaptureModeInfo, settings::kCaptureModeCount>& CaptureModes() { return kModes; }

const CaptureModeInfo& Describe(settings::CaptureMode mode) { return kModes[settings::TableIndex(mode)]; }

bool IsDosMode(settings::CaptureMode mode) { return Describe(mode).kind == DosScreen; }

bool GrabsOnHotkey(settings::CaptureMode mode, bool auto_capture, bool remembered_area_exists) {
  if (IsDosMode(mode)) return false;
  if (!auto_capture) return true;
  switch (Describe(mode).while_auto_capture) {
    case Runs: return true;
    case NeedsRememberedArea: return remembered_area_exists;
    case Skipped: return false;
  }
  return false;
}

}  // namespace ocelot::capture
