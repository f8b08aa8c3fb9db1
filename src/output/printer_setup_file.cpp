// "PrinterSetup.cfg" bytes.
#include "output/printer_setup_file.h"

#include <cstring>

namespace ocelot::output {

namespace {
constexpr char kTag[4] = {'O', 'P', 'S', '1'};
// Windows printer names are at most 220 characters; DEVMODEs are small.
constexpr std::size_t kMaxName = 260;
constexpr std::size_t kMaxDevmode = 1 << 20;

void PutCount(std::vector<std::uint8_t>& out, std::size_t n) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
}

// Reads a count and that many bytes at `pos`; false when they run past the end.
bool TakeBlock(std::span<const std::uint8_t> bytes, std::size_t& pos, std::size_t limit,
               std::span<const std::uint8_t>& block) {
  if (bytes.size() - pos < 4) return false;
  std::uint32_t n = 0;
  for (int i = 0; i < 4; ++i) n |= static_cast<std::uint32_t>(bytes[pos + i]) << (8 * i);
  pos += 4;
  if (n > limit || bytes.size() - pos < n) return false;
  block = bytes.subspan(pos, n);
  pos += n;
  return true;
}
}  // namespace

std::vector<std::uint8_t> EncodePrinterSetup(const PrinterSetupData& data) {
  std::vector<std::uint8_t> out(kTag, kTag + 4);
  PutCount(out, data.printer_name.size());
  out.insert(out.end(), data.printer_name.begin(), data.printer_name.end());
  PutCount(out, data.devmode.size());
  out.insert(out.end(), data.devmode.begin(), data.devmode.end());
  return out;
}

std::optional<PrinterSetupData> DecodePrinterSetup(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4 || std::memcmp(bytes.data(), kTag, 4) != 0) return std::nullopt;
  std::size_t pos = 4;
  std::span<const std::uint8_t> name, devmode;
  if (!TakeBlock(bytes, pos, kMaxName, name) || !TakeBlock(bytes, pos, kMaxDevmode, devmode)) return std::nullopt;
  if (pos != bytes.size() || name.empty()) return std::nullopt;
  for (const auto c : name)
    if (c == 0) return std::nullopt;
  return PrinterSetupData{std::string(name.begin(), name.end()), std::vector<std::uint8_t>(devmode.begin(), devmode.end())};
}

}  // namespace ocelot::output
