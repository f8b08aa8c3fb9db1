// OpenCatalog: the catalog whose images are in the session list.
#pragma once

#include <string>

namespace ocelot::session {

struct OpenCatalog {
  std::string name;
  bool open = false;

  void Open(std::string catalog_name) {
    name = std::move(catalog_name);
    open = true;
  }
  void Close() {
    name.clear();
    open = false;
  }
  // The status label's text: "Catalog: " + name while open, "" otherwise.
  std::string StatusText() const { return open ? "Catalog: " + name : std::string(); }
};

}  // namespace ocelot::session
