#include "settings/settings_view.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "common/file_io.h"
#include "settings/settings_file.h"
#include "temp_folder.h"

using namespace ocelot;
using namespace ocelot::settings;

namespace {
using RecordBytes = std::array<std::uint8_t, kSettingsRecordSize>;

// A record whose every field differs from the defaults, with numbers no writer stores.
SettingsRecord Unusual() {
  SettingsRecord r = SettingsRecord::Defaults();
  r.CaptureMode = 99;
  r.OutputMode = -3;
  r.PrintImageSize = 7;
  r.CaptureFormat = INT_MAX;
  r.GrayScale = 2;
  r.ReservedField = 7;
  r.SetDefaultSaveFolder("D:\\Shots");
  r.DefaultSaveFolderBytes[200] = 0xAB;  // after the text: carried, never read
  return r;
}

// The offsets of the bytes that differ between two records.
std::vector<std::size_t> ChangedOffsets(const SettingsRecord& before, const SettingsRecord& after) {
  const RecordBytes a = EncodeSettings(before), b = EncodeSettings(after);
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) changed.push_back(i);
  return changed;
}
}  // namespace

TEST(TypedSettings, DefaultRecord_ReadsAsTheDefaultView) {
  EXPECT_EQ(TypedSettings(SettingsRecord::Defaults()), Settings{});
  const Settings s = TypedSettings(SettingsRecord::Defaults());
  EXPECT_EQ(s.capture_mode, CaptureMode::FullScreen);
  EXPECT_EQ(s.output_mode, OutputMode::PrintAndCapture);
  EXPECT_EQ(s.print_image_size, PrintImageSize::Normal);
  EXPECT_EQ(s.capture_format, ImageFormat::Bmp);
  EXPECT_TRUE(s.confirm_unsaved_on_exit);
  EXPECT_EQ(s.default_save_folder, "c:\\");
}

TEST(TypedSettings, StoredNumbersInRange_AreTheirValues) {
  SettingsRecord r = SettingsRecord::Defaults();
  for (std::int32_t v = 0; v < kCaptureModeCount; ++v) {
    r.CaptureMode = v;
    EXPECT_EQ(StoredValue(TypedSettings(r).capture_mode), v);
  }
  for (std::int32_t v = 0; v < kOutputModeCount; ++v) {
    r.OutputMode = v;
    EXPECT_EQ(StoredValue(TypedSettings(r).output_mode), v);
  }
  for (std::int32_t v = 0; v < kImageFormatCount; ++v) {
    r.CaptureFormat = v;
    EXPECT_EQ(StoredValue(TypedSettings(r).capture_format), v);
  }
  r.PrintImageSize = 2;
  EXPECT_EQ(TypedSettings(r).print_image_size, PrintImageSize::StretchToFullPage);
  r.PrintImageSize = 1;
  EXPECT_EQ(TypedSettings(r).print_image_size, PrintImageSize::Normal);
}

TEST(TypedSettings, OutOfRangeNumbers_ReadAsTheDefaults) {
  // The other fields hold values other than their defaults, so each case shows only its
  // own field falling back.
  SettingsRecord base = SettingsRecord::Defaults();
  SetCaptureMode(base, CaptureMode::SuperScroll);
  SetOutputMode(base, OutputMode::File);
  SetPrintImageSize(base, PrintImageSize::StretchToFullPage);
  SetCaptureFormat(base, ImageFormat::Tiff);
  using Fallback = void (*)(Settings&);
  const Fallback capture_mode = [](Settings& s) { s.capture_mode = CaptureMode::FullScreen; };
  const Fallback output_mode = [](Settings& s) { s.output_mode = OutputMode::PrintAndCapture; };
  const Fallback capture_format = [](Settings& s) { s.capture_format = ImageFormat::Bmp; };
  const Fallback print_size = [](Settings& s) { s.print_image_size = PrintImageSize::Normal; };
  const struct {
    std::int32_t SettingsRecord::*stored;
    std::int32_t value;
    Fallback fallback;
  } cases[] = {
      {&SettingsRecord::CaptureMode, -1, capture_mode},      {&SettingsRecord::CaptureMode, 13, capture_mode},
      {&SettingsRecord::CaptureMode, INT_MAX, capture_mode}, {&SettingsRecord::CaptureMode, INT_MIN, capture_mode},
      {&SettingsRecord::OutputMode, -1, output_mode},        {&SettingsRecord::OutputMode, 7, output_mode},
      {&SettingsRecord::OutputMode, INT_MAX, output_mode},   {&SettingsRecord::CaptureFormat, -1, capture_format},
      {&SettingsRecord::CaptureFormat, 7, capture_format},   {&SettingsRecord::CaptureFormat, INT_MAX, capture_format},
      {&SettingsRecord::PrintImageSize, 0, print_size},  // as a short file reads
      {&SettingsRecord::PrintImageSize, 3, print_size},      {&SettingsRecord::PrintImageSize, -1, print_size},
      {&SettingsRecord::PrintImageSize, INT_MAX, print_size},
  };
  for (const auto& c : cases) {
    SettingsRecord r = base;
    r.*c.stored = c.value;
    Settings want = TypedSettings(base);
    c.fallback(want);
    EXPECT_TRUE(TypedSettings(r) == want) << "value " << c.value;
  }
}

TEST(TypedSettings, Flags_OnByTheirRule_ForNumbersOtherThan0And1) {
  // StartMinimized and TurnOffSound are acted on only while they hold 0; every other flag
  // only while it holds 1.
  const struct {
    const char* name;
    std::int32_t SettingsRecord::*stored;
    bool Settings::*view;
    bool on_when_not_zero;
  } flags[] = {
      {"GrayScale", &SettingsRecord::GrayScale, &Settings::gray_scale, false},
      {"Negative", &SettingsRecord::Negative, &Settings::negative, false},
      {"StartMinimized", &SettingsRecord::StartMinimized, &Settings::start_minimized, true},
      {"StartWithWindows", &SettingsRecord::StartWithWindows, &Settings::start_with_windows, false},
      {"IncludeMouseCursor", &SettingsRecord::IncludeMouseCursor, &Settings::include_mouse_cursor, false},
      {"ConfirmUnsavedOnExit", &SettingsRecord::ConfirmUnsavedOnExit, &Settings::confirm_unsaved_on_exit, false},
      {"UseExternalEditor", &SettingsRecord::UseExternalEditor, &Settings::use_external_editor, false},
      {"TrayPassword", &SettingsRecord::TrayPassword, &Settings::tray_password, false},
      {"PrintDateTime", &SettingsRecord::PrintDateTime, &Settings::print_date_time, false},
      {"PrintUserName", &SettingsRecord::PrintUserName, &Settings::print_user_name, false},
      {"ShowAfterCapture", &SettingsRecord::ShowAfterCapture, &Settings::show_after_capture, false},
      {"HotkeysEnabled", &SettingsRecord::HotkeysEnabled, &Settings::hotkeys_enabled, false},
      {"TurnOffSound", &SettingsRecord::TurnOffSound, &Settings::turn_off_sound, true},
      {"OpenPdfAfterSave", &SettingsRecord::OpenPdfAfterSave, &Settings::open_pdf_after_save, false},
  };
  for (const auto& f : flags) {
    for (const std::int32_t value : {0, 1, 2, -1, INT_MAX, INT_MIN}) {
      SettingsRecord r = SettingsRecord::Defaults();
      r.*f.stored = value;
      const bool want = value == 1 || (f.on_when_not_zero && value != 0);
      EXPECT_EQ(TypedSettings(r).*f.view, want) << f.name << " " << value;
    }
    // Each flag reads from its own field only.
    SettingsRecord others = SettingsRecord::Defaults();
    for (const auto& g : flags)
      if (&g != &f) others.*g.stored = others.*g.stored == 1 ? 0 : 1;
    EXPECT_EQ(TypedSettings(others).*f.view, TypedSettings(SettingsRecord::Defaults()).*f.view) << f.name;
  }
}

TEST(TypedSettings, DefaultSaveFolder_IsTheStoredText) {
  SettingsRecord r = SettingsRecord::Defaults();
  r.SetDefaultSaveFolder("");
  EXPECT_EQ(TypedSettings(r).default_save_folder, "");
  r.SetDefaultSaveFolder("D:\\Shots");
  EXPECT_EQ(TypedSettings(r).default_save_folder, "D:\\Shots");
}

TEST(TypedSetters, EachStoresItsFieldOnly_AndRoundTripsThroughTheBytes) {
  const struct {
    const char* name;
    void (*set)(SettingsRecord&);
    std::size_t offset;
    bool (*check)(const Settings&);
  } cases[] = {
      {"CaptureMode", [](SettingsRecord& r) { SetCaptureMode(r, CaptureMode::ZoomCapture); }, 0,
       [](const Settings& s) { return s.capture_mode == CaptureMode::ZoomCapture; }},
      {"OutputMode", [](SettingsRecord& r) { SetOutputMode(r, OutputMode::MsPowerPoint); }, 4,
       [](const Settings& s) { return s.output_mode == OutputMode::MsPowerPoint; }},
      {"PrintImageSize", [](SettingsRecord& r) { SetPrintImageSize(r, PrintImageSize::StretchToFullPage); }, 8,
       [](const Settings& s) { return s.print_image_size == PrintImageSize::StretchToFullPage; }},
      {"CaptureFormat", [](SettingsRecord& r) { SetCaptureFormat(r, ImageFormat::Png); }, 20,
       [](const Settings& s) { return s.capture_format == ImageFormat::Png; }},
      {"GrayScale", [](SettingsRecord& r) { SetFlag(r.GrayScale, true); }, 12,
       [](const Settings& s) { return s.gray_scale; }},
      {"HotkeysEnabled", [](SettingsRecord& r) { SetFlag(r.HotkeysEnabled, true); }, 316,
       [](const Settings& s) { return s.hotkeys_enabled; }},
      {"ConfirmUnsavedOnExit off", [](SettingsRecord& r) { SetFlag(r.ConfirmUnsavedOnExit, false); }, 36,
       [](const Settings& s) { return !s.confirm_unsaved_on_exit; }},
  };
  for (const auto& c : cases) {
    const SettingsRecord before = Unusual();
    SettingsRecord after = before;
    c.set(after);
    const auto changed = ChangedOffsets(before, after);
    ASSERT_FALSE(changed.empty()) << c.name;
    for (const std::size_t off : changed) EXPECT_TRUE(off >= c.offset && off < c.offset + 4) << c.name << " " << off;
    const SettingsRecord back = DecodeSettings(EncodeSettings(after));
    EXPECT_EQ(back, after) << c.name;
    EXPECT_TRUE(c.check(TypedSettings(back))) << c.name;
  }
}

TEST(TypedSetters, SetFlag_StoresOneOrZero) {
  SettingsRecord r = SettingsRecord::Defaults();
  r.Negative = 5;
  SetFlag(r.Negative, true);
  EXPECT_EQ(r.Negative, 1);
  r.Negative = 5;
  SetFlag(r.Negative, false);
  EXPECT_EQ(r.Negative, 0);
}

TEST(ReadTypedSettings, OutOfRangeFile_ReadsDefaultsAndIsRewrittenOnlyByAChange) {
  TempFolder dir;
  WriteSettings(dir.path(), Unusual());
  const auto bytes = ReadFileBytes(SettingsPath(dir.path()));

  const Settings s = ReadTypedSettings(dir.path());
  EXPECT_EQ(s.capture_mode, CaptureMode::FullScreen);
  EXPECT_EQ(s.output_mode, OutputMode::PrintAndCapture);
  EXPECT_EQ(s.print_image_size, PrintImageSize::Normal);
  EXPECT_EQ(s.capture_format, ImageFormat::Bmp);
  EXPECT_FALSE(s.gray_scale);
  EXPECT_EQ(s.default_save_folder, "D:\\Shots");
  EXPECT_EQ(ReadFileBytes(SettingsPath(dir.path())), bytes);  // reading wrote nothing

  // Choosing a format rewrites that field alone; the other odd numbers stay as they were.
  ChangeSettings(dir.path(), [](SettingsRecord& r) { SetCaptureFormat(r, ImageFormat::Gif); });
  SettingsRecord want = Unusual();
  want.CaptureFormat = 1;
  EXPECT_EQ(ReadSettings(dir.path()), want);
  EXPECT_EQ(ReadTypedSettings(dir.path()).capture_format, ImageFormat::Gif);
  EXPECT_EQ(ReadTypedSettings(dir.path()).capture_mode, CaptureMode::FullScreen);
}

TEST(ReadTypedSettings, ZeroByteFile_ReadsAsZerosWithTheDefaultSize) {
  TempFolder dir;
  WriteFileBytes(SettingsPath(dir.path()), {});
  const Settings s = ReadTypedSettings(dir.path());
  EXPECT_EQ(s.print_image_size, PrintImageSize::Normal);  // the stored 0 is no size
  EXPECT_FALSE(s.confirm_unsaved_on_exit);                // the stored 0 is a valid "off"
  EXPECT_EQ(s.default_save_folder, "c:\\");
}

TEST(SettingEnums, StoredNumbersOfEachType) {
  EXPECT_EQ(CaptureModeOf(12), CaptureMode::SuperScroll);
  EXPECT_EQ(CaptureModeOf(13), std::nullopt);
  EXPECT_EQ(CaptureModeOf(-1), std::nullopt);
  EXPECT_EQ(OutputModeOf(6), OutputMode::MsPowerPoint);
  EXPECT_EQ(OutputModeOf(7), std::nullopt);
  EXPECT_EQ(ImageFormatOf(6), ImageFormat::Tiff);
  EXPECT_EQ(ImageFormatOf(7), std::nullopt);
  EXPECT_EQ(PrintImageSizeOf(0), std::nullopt);
  EXPECT_EQ(PrintImageSizeOf(1), PrintImageSize::Normal);
  EXPECT_EQ(PrintImageSizeOf(2), PrintImageSize::StretchToFullPage);
  EXPECT_EQ(PrintImageSizeOf(3), std::nullopt);
}
