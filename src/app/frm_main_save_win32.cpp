// TfrmMain: Save As and Quick Save. Not available yet (their menu items are disabled).
#include "app/frm_main.h"

namespace ocelot::app {

void TfrmMain::SaveAs1Click(bool) {}
void TfrmMain::QuickSave1Click() {}

}  // namespace ocelot::app
