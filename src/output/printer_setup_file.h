// "PrinterSetup.cfg": the printer chosen with Setup > Printer, kept across runs.
//
// Format (little-endian): the 4 bytes "OPS1", a 32-bit byte count and the printer's name
// (ANSI, no terminator), a 32-bit byte count and the printer's DEVMODE as the driver gave
// it (public part and driver extra). Nothing may follow.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace ocelot::output {

inline constexpr char kPrinterSetupFileName[] = "PrinterSetup.cfg";

struct PrinterSetupData {
  std::string printer_name;
  std::vector<std::uint8_t> devmode;
  friend bool operator==(const PrinterSetupData&, const PrinterSetupData&) = default;
};

std::vector<std::uint8_t> EncodePrinterSetup(const PrinterSetupData& data);
// Nothing for bytes that are not a whole setup: wrong tag, a count past the end, trailing
// bytes, an empty name or a name longer than a printer name can be.
std::optional<PrinterSetupData> DecodePrinterSetup(std::span<const std::uint8_t> bytes);

}  // namespace ocelot::output
