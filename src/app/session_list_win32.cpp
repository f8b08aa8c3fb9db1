// SessionList: the list box follows the session's notices.
#include "app/session_list.h"

namespace ocelot::app {

SessionList::SessionList(session::Session& session) : session_(session) { session_.AddObserver(this); }

SessionList::~SessionList() { session_.RemoveObserver(this); }

void SessionList::Attach(HWND list_box) {
  list_ = list_box;
  SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  for (const auto& image : session_.Images())
    SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(image.name.c_str()));
}

void SessionList::EntryAdded(std::size_t index) {
  if (list_)
    SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(session_.At(index).name.c_str()));
}

void SessionList::EntryRemoved(std::size_t index) {
  if (!list_) return;
  SendMessageA(list_, LB_DELETESTRING, index, 0);
  Repaint();
}

void SessionList::EntryRenamed(std::size_t index) {
  if (!list_) return;
  const bool selected = SendMessageA(list_, LB_GETSEL, index, 0) > 0;
  SendMessageA(list_, LB_DELETESTRING, index, 0);
  SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(session_.At(index).name.c_str()));
  if (selected) SendMessageA(list_, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
  Repaint();
}

void SessionList::EntryMarked(std::size_t) { Repaint(); }

std::vector<std::size_t> SessionList::Selected() const {
  std::vector<std::size_t> out;
  if (!list_) return out;
  const LRESULT n = SendMessageA(list_, LB_GETSELCOUNT, 0, 0);
  if (n <= 0) return out;
  std::vector<int> items(static_cast<std::size_t>(n));
  const LRESULT got = SendMessageA(list_, LB_GETSELITEMS, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(items.data()));
  for (LRESULT i = 0; i < got; ++i) out.push_back(static_cast<std::size_t>(items[static_cast<std::size_t>(i)]));
  return out;
}

std::size_t SessionList::SelectedCount() const {
  const LRESULT n = list_ ? SendMessageA(list_, LB_GETSELCOUNT, 0, 0) : 0;
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

int SessionList::Focused() const {
  if (!list_ || session_.Empty()) return -1;
  const auto i = static_cast<int>(SendMessageA(list_, LB_GETCARETINDEX, 0, 0));
  return i >= 0 && static_cast<std::size_t>(i) < session_.Size() ? i : 0;
}

void SessionList::SelectOnly(std::size_t index) {
  if (!list_) return;
  SendMessageA(list_, LB_SETSEL, FALSE, -1);
  SendMessageA(list_, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
  SendMessageA(list_, LB_SETCARETINDEX, index, FALSE);
}

void SessionList::SelectAll() {
  if (list_ && !session_.Empty()) SendMessageA(list_, LB_SETSEL, TRUE, -1);
}

void SessionList::Repaint() const {
  if (list_) InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace ocelot::app
