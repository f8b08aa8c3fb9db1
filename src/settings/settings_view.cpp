// The typed view of the settings record.
#include "settings/settings_view.h"

namespace ocelot::settings {

namespace {
bool OnWhenOne(std::int32_t flag) { return flag == 1; }
bool OnWhenNotZero(std::int32_t flag) { return flag != 0; }
}  // namespace

Settings TypedSettings(const SettingsRecord& r) {
  // Out-of-range numbers take the default record's value, never a second copy of it.
  static const SettingsRecord kDefaults = SettingsRecord::Defaults();
  Settings s;
  s.capture_mode = CaptureModeOf(r.CaptureMode).value_or(*CaptureModeOf(kDefaults.CaptureMode));
  s.output_mode = OutputModeOf(r.OutputMode).value_or(*OutputModeOf(kDefaults.OutputMode));
  s.print_image_size = PrintImageSizeOf(r.PrintImageSize).value_or(*PrintImageSizeOf(kDefaults.PrintImageSize));
  s.capture_format = ImageFormatOf(r.CaptureFormat).value_or(*ImageFormatOf(kDefaults.CaptureFormat));

  s.gray_scale = OnWhenOne(r.GrayScale);
  s.negative = OnWhenOne(r.Negative);
  s.start_minimized = OnWhenNotZero(r.StartMinimized);
  s.start_with_windows = OnWhenOne(r.StartWithWindows);
  s.include_mouse_cursor = OnWhenOne(r.IncludeMouseCursor);
  s.confirm_unsaved_on_exit = OnWhenOne(r.ConfirmUnsavedOnExit);
  s.use_external_editor = OnWhenOne(r.UseExternalEditor);
  s.tray_password = OnWhenOne(r.TrayPassword);
  s.print_date_time = OnWhenOne(r.PrintDateTime);
  s.print_user_name = OnWhenOne(r.PrintUserName);
  s.show_after_capture = OnWhenOne(r.ShowAfterCapture);
  s.hotkeys_enabled = OnWhenOne(r.HotkeysEnabled);
  s.turn_off_sound = OnWhenNotZero(r.TurnOffSound);
  s.open_pdf_after_save = OnWhenOne(r.OpenPdfAfterSave);

  s.default_save_folder = r.DefaultSaveFolder();
  return s;
}

void SetCaptureMode(SettingsRecord& r, CaptureMode mode) { r.CaptureMode = StoredValue(mode); }
void SetOutputMode(SettingsRecord& r, OutputMode mode) { r.OutputMode = StoredValue(mode); }
void SetCaptureFormat(SettingsRecord& r, ImageFormat format) { r.CaptureFormat = StoredValue(format); }
void SetPrintImageSize(SettingsRecord& r, PrintImageSize size) { r.PrintImageSize = StoredValue(size); }
void SetFlag(std::int32_t& flag, bool on) { flag = on ? 1 : 0; }

}  // namespace ocelot::settings
