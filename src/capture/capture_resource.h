// Resource ids of the capture engine's dialogs (420-439).
#pragma once

// "Ocelot AutoCapture"
#define IDD_AUTOCAP 420
#define IDC_ED_AUTOCAP_SECONDS 421
#define IDC_UD_AUTOCAP_SECONDS 422
