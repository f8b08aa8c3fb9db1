// SelectionOverlay: base of the selection windows. A borderless, topmost window covering
// the screen with the cross cursor; it follows one drag of the left mouse button and is
// shown modally (its own message loop until it closes, the owner disabled meanwhile).
#pragma once

#include <windows.h>

#include <string>

#include "capture/repeat_rect.h"
#include "win/window.h"

namespace ocelot::capture {

class SelectionOverlay : public win::Window {
 public:
  // clipboard_owner: the main window, which owns the clipboard while grabbing and is
  // disabled while the overlay is open.
  SelectionOverlay(HWND clipboard_owner, std::string working_folder);
  ~SelectionOverlay() override;

  // Creates the window, shows it and handles messages until the selection ends.
  void ShowModal();
  // Shows the window without taking the activation and without a modal loop.
  bool ShowWithoutSelecting();
  void Close();

 protected:
  bool CreateOverlay(const char* class_name);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  // Called once the window exists, before it is shown.
  virtual void OnCreated() {}
  // The frozen picture, or nothing for an overlay that never paints.
  virtual void OnPaint(HDC) {}
  // Draws (and, drawn again, erases) the rubber band between the drag's two corners.
  virtual void DrawBand(const RECT& between) = 0;
  // The button went up at `end`; the band is drawn between start and end.
  virtual void OnDragEnded(POINT start, POINT end) = 0;
  virtual const char* ClassName() const = 0;

  HWND clipboard_owner() const { return clipboard_owner_; }
  const std::string& working_folder() const { return working_folder_; }
  // Back to the arrow cursor once the selection is over.
  void RestoreCursor();

 private:
  void OnButtonDown(POINT at);
  void OnMouseMove(POINT at);
  void OnButtonUp(POINT at);
  POINT Clamped(LPARAM lp) const;
  void MoveBandTo(POINT at);

  HWND clipboard_owner_;  // not owned
  std::string working_folder_;
  bool dragging_ = false;
  bool band_drawn_ = false;
  bool selecting_ = true;
  bool closed_ = false;
  POINT start_{}, current_{};
};

// The rectangle between two drag corners, left/top inclusive and right/bottom exclusive.
RECT BandRect(POINT a, POINT b);

}  // namespace ocelot::capture
