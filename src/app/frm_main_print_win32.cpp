// TfrmMain: printing. The print commands are not available yet (their menu items are
// disabled); the printer setup file is not read yet either.
#include "app/frm_main.h"

namespace ocelot::app {

void TfrmMain::LoadPrinterSetup() {}
void TfrmMain::PrintMenuClick(int) {}
void TfrmMain::PrinterSetup1Click() {}
void TfrmMain::PrintAfterCapture(bool) {}

}  // namespace ocelot::app
