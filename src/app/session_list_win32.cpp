// SessionList: the model and its list box, in step.
#include "app/session_list.h"

namespace ocelot::app {

void SessionList::Append(SessionImage image) {
  if (list_) SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(image.name.c_str()));
  images_.Append(std::move(image));
}

void SessionList::RemoveAt(std::size_t index) {
  if (index >= images_.Size()) return;
  if (list_) SendMessageA(list_, LB_DELETESTRING, index, 0);
  images_.RemoveAt(index);
}

void SessionList::Rename(std::size_t index, const std::string& name, const std::string& path) {
  if (index >= images_.Size()) return;
  auto& img = images_.At(index);
  img.name = name;
  img.path = path;
  if (list_) {
    const bool selected = SendMessageA(list_, LB_GETSEL, index, 0) > 0;
    SendMessageA(list_, LB_DELETESTRING, index, 0);
    SendMessageA(list_, LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(name.c_str()));
    if (selected) SendMessageA(list_, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
  }
}

void SessionList::SetMark(std::size_t index, SessionMark mark) {
  if (index >= images_.Size()) return;
  images_.At(index).mark = mark;
  Repaint();
}

void SessionList::Clear() {
  if (list_) SendMessageA(list_, LB_RESETCONTENT, 0, 0);
  images_.Clear();
}

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
  if (!list_ || images_.Empty()) return -1;
  const auto i = static_cast<int>(SendMessageA(list_, LB_GETCARETINDEX, 0, 0));
  return i >= 0 && static_cast<std::size_t>(i) < images_.Size() ? i : 0;
}

void SessionList::SelectOnly(std::size_t index) {
  if (!list_) return;
  SendMessageA(list_, LB_SETSEL, FALSE, -1);
  SendMessageA(list_, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
  SendMessageA(list_, LB_SETCARETINDEX, index, FALSE);
}

void SessionList::SelectAll() {
  if (list_ && !images_.Empty()) SendMessageA(list_, LB_SETSEL, TRUE, -1);
}

void SessionList::Repaint() const {
  if (list_) InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace ocelot::app
