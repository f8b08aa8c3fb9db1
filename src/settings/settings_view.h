// Settings: the SettingsRecord as the program reads it, with the modes and the format as
// their types and the flags as bools; and the typed setters for a read-modify-write.
#pragma once

#include <cstdint>
#include <string>

#include "settings/setting_enums.h"
#include "settings/settings_record.h"

namespace ocelot::settings {

// Made from a record by TypedSettings; the members start as the default record reads.
struct Settings {
  // A number the field cannot hold (a hand-edited or foreign record) reads as the default
  // record's value, so the lists always show a selection and Print Screen captures.
  CaptureMode capture_mode = CaptureMode::FullScreen;
  OutputMode output_mode = OutputMode::PrintAndCapture;
  PrintImageSize print_image_size = PrintImageSize::Normal;
  ImageFormat capture_format = ImageFormat::Bmp;

  // A flag is on when it holds 1, except StartMinimized and TurnOffSound: the program acts
  // on those only while they hold 0, so any other number reads as on.
  bool gray_scale = false;
  bool negative = false;
  bool start_minimized = false;
  bool start_with_windows = false;
  bool include_mouse_cursor = false;
  bool confirm_unsaved_on_exit = true;
  bool use_external_editor = false;
  bool tray_password = false;
  bool print_date_time = false;
  bool print_user_name = false;
  bool show_after_capture = false;
  bool hotkeys_enabled = false;
  bool turn_off_sound = false;
  bool open_pdf_after_save = false;

  std::string default_save_folder = "c:\\";

  friend bool operator==(const Settings&, const Settings&) = default;
};

// Reading never changes the record: its out-of-range numbers stay in the file until a
// writer changes that very field.
Settings TypedSettings(const SettingsRecord& record);

// The setters of a read-modify-write (ChangeSettings); each stores its value as written by
// the program and leaves every other byte of the record as it was.
void SetCaptureMode(SettingsRecord& record, CaptureMode mode);
void SetOutputMode(SettingsRecord& record, OutputMode mode);
void SetCaptureFormat(SettingsRecord& record, ImageFormat format);
void SetPrintImageSize(SettingsRecord& record, PrintImageSize size);
// Stores 1 or 0 in one of the record's flags, e.g. SetFlag(r.HotkeysEnabled, true).
void SetFlag(std::int32_t& flag, bool on);

}  // namespace ocelot::settings
