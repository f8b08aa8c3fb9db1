#include "output/printer_setup_file.h"

#include <gtest/gtest.h>

#include <string>

using namespace ocelot::output;

namespace {
std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }
}  // namespace

TEST(PrinterSetupFile, NameAndDevmode_SurviveTheRoundTrip) {
  const PrinterSetupData data{"OcelotPDF", {0x4f, 0x00, 0xff, 0x10, 0x20}};
  const auto bytes = EncodePrinterSetup(data);
  EXPECT_EQ(bytes.size(), 4u + 4 + 9 + 4 + 5);
  EXPECT_EQ(DecodePrinterSetup(bytes), data);
}

TEST(PrinterSetupFile, EmptyDevmode_IsKept) {
  const PrinterSetupData data{"Printer", {}};
  EXPECT_EQ(DecodePrinterSetup(EncodePrinterSetup(data)), data);
}

TEST(PrinterSetupFile, BytesThatAreNoWholeSetup_AreRefused) {
  const auto good = EncodePrinterSetup({"OcelotPDF", {1, 2, 3}});
  const std::vector<std::uint8_t> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() - 1));
  auto trailing = good;
  trailing.push_back(0);
  auto wrong_tag = good;
  wrong_tag[3] = '2';
  auto huge_count = good;
  huge_count[4] = 0xff;
  huge_count[7] = 0x7f;
  const struct {
    const char* what;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"empty file", {}},
      {"text file", Bytes("[printer]\r\nname=x\r\n")},
      {"truncated", truncated},
      {"trailing bytes", trailing},
      {"other tag", wrong_tag},
      {"count past the end", huge_count},
      {"tag only", Bytes("OPS1")},
      {"empty name", EncodePrinterSetup({"", {1}})},
      {"name with a zero byte", EncodePrinterSetup({std::string("a\0b", 3), {1}})},
      {"name too long", EncodePrinterSetup({std::string(300, 'p'), {1}})},
  };
  for (const auto& c : cases) EXPECT_FALSE(DecodePrinterSetup(c.bytes)) << c.what;
}
