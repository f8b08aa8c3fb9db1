// SessionList: the session images and their list box `lbPicNames`, changed only together
// so a line, its path and its web address always share one index.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/session_images.h"

namespace ocelot::app {

class SessionList {
 public:
  // The owner-drawn list box (not owned) that shows the names.
  void Attach(HWND list_box) { list_ = list_box; }
  HWND ListBox() const { return list_; }

  void Append(SessionImage image);
  void RemoveAt(std::size_t index);
  void Rename(std::size_t index, const std::string& name, const std::string& path);
  void SetMark(std::size_t index, SessionMark mark);
  void Clear();

  const SessionImages& Images() const { return images_; }
  std::size_t Size() const { return images_.Size(); }
  bool Empty() const { return images_.Empty(); }
  const SessionImage& At(std::size_t index) const { return images_.At(index); }

  // Selection of the list box.
  std::vector<std::size_t> Selected() const;
  std::size_t SelectedCount() const;
  // The line with the focus rectangle (the last one clicked); -1 when the list is empty.
  int Focused() const;
  void SelectOnly(std::size_t index);
  void SelectAll();
  void Repaint() const;

 private:
  SessionImages images_;
  HWND list_ = nullptr;  // not owned
};

}  // namespace ocelot::app
