// SessionList: the list box `lbPicNames` as a view of the session. It redraws from the
// session's notices, so a line, its path and its web address always share one index, and
// it gives the list box's selection to the commands.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "session/selection.h"
#include "session/session.h"

namespace ocelot::app {

class SessionList : public session::Selection, private session::SessionObserver {
 public:
  explicit SessionList(session::Session& session);
  ~SessionList() override;
  SessionList(const SessionList&) = delete;
  SessionList& operator=(const SessionList&) = delete;

  // The owner-drawn list box (not owned) that shows the names; filled from the session.
  void Attach(HWND list_box);
  HWND ListBox() const { return list_; }

  // Selection
  std::vector<std::size_t> Selected() const override;
  std::size_t SelectedCount() const override;
  int Focused() const override;
  void SelectOnly(std::size_t index) override;
  void SelectAll() override;

 private:
  void EntryAdded(std::size_t index) override;
  void EntryRemoved(std::size_t index) override;
  void EntryRenamed(std::size_t index) override;
  void EntryMarked(std::size_t index) override;
  void Repaint() const;

  session::Session& session_;  // not owned
  HWND list_ = nullptr;        // not owned
};

}  // namespace ocelot::app
