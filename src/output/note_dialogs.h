// The note dialogs: `TfrmComments` collects a new note, `TfrmComment` shows and edits one.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/dialog.h"

namespace ocelot::output {

// "Note": the memo's lines become the pending note lines on "Save"/"&Save and Exit";
// "Cancel"/"E&xit Without Save" empty them.
class TfrmComments : public win::Dialog {
 public:
  // Shows the dialog; returns the pending note lines (empty when none were given).
  std::vector<std::string> Run(HWND owner);

 protected:
  void OnInit() override;
  bool OnCommand(int id, int notification) override;
  void OnOK() override;
  void OnCancel() override;

 private:
  std::vector<std::string> lines_;
};

// "Note": shows a note file's lines; OK writes the memo to the file (created or
// replaced); closing otherwise leaves the file as it was.
class TfrmComment : public win::Dialog {
 public:
  // True when OK wrote the file.
  bool Run(HWND owner, const std::string& note_path, const std::vector<std::string>& lines);

 protected:
  void OnInit() override;
  void OnOK() override;

 private:
  std::string path_;
  std::vector<std::string> lines_;
};

}  // namespace ocelot::output
