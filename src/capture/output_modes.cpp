// The output mode table.
#include "capture/output_modes.h"

namespace ocelot::capture {

namespace {
using settings::OutputMode;
constexpr std::array<OutputModeInfo, settings::kOutputModeCount> kModes = {{
    // mode, text, prints, target, colour options, e-mail, Office, auto capture
    {OutputMode::PrintAndCapture, "Print and Capture", true, CaptureTarget::WorkingFolder, true, false, false, true},
    {OutputMode::PrintOnly, "Print Only", true, CaptureTarget::None, true, false, false, true},
    {OutputMode::CaptureOnly, "Capture Only", false, CaptureTarget::WorkingFolder, true, false, false, true},
    {OutputMode::File, "File", false, CaptureTarget::SaveFolder, false, false, false, true},
    {OutputMode::Email, "Email", false, CaptureTarget::WorkingFolder, true, true, false, false},
    {OutputMode::MsWord, "MS Word", false, CaptureTarget::None, false, false, true, true},
    {OutputMode::MsPowerPoint, "MS PowerPoint", false, CaptureTarget::None, false, false, true, true},
}};

constexpr bool RowsInStoredOrder() {
  for (std::size_t i = 0; i < kModes.size(); ++i)
    if (settings::TableIndex(kModes[i].mode) != i) return false;
  return true;
}
static_assert(RowsInStoredOrder());
}  // namespace

const std::array<OutputModeInfo, settings::kOutputModeCount>& OutputModes() { return kModes; }

const OutputModeInfo& Describe(settings::OutputMode mode) { return kModes[settings::TableIndex(mode)]; }

}  // namespace ocelot::capture
