// Error: the one exception type that crosses layers; the UI boundary shows its text.
#pragma once

#include <stdexcept>
#include <string>

namespace ocelot {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace ocelot
