// Selection: which session images a window's commands act on. The main window's list box
// gives its selection through it; another window (the thumbnails viewer) can give its own
// to the same commands.
#pragma once

#include <cstddef>
#include <vector>

namespace ocelot::session {

class Selection {
 public:
  virtual ~Selection() = default;
  // Selected entries in list order.
  virtual std::vector<std::size_t> Selected() const = 0;
  virtual std::size_t SelectedCount() const { return Selected().size(); }
  // The entry with the focus (the last one clicked); -1 when there is none.
  virtual int Focused() const = 0;
  virtual void SelectOnly(std::size_t index) = 0;
  virtual void SelectAll() = 0;
};

}  // namespace ocelot::session
