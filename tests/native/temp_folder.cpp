// TempFolder on std::filesystem, for tests of both builds.
#include "temp_folder.h"

#include <atomic>
#include <filesystem>
#include <random>
#include <string>

namespace ocelot {

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  const auto base = std::filesystem::temp_directory_path() /
                    ("ocelot-test-" + std::to_string(rd()) + "-" + std::to_string(++counter));
  std::filesystem::create_directories(base);
  path_ = base.string();
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace ocelot
