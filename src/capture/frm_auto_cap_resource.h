// Resource ids of the "Ocelot AutoCapture" dialog (its template is in the program's
// resource script, which uses these values).
#pragma once

#define IDD_AUTOCAP 420
#define IDC_ED_AUTOCAP_SECONDS 421
#define IDC_UD_AUTOCAP_SECONDS 422
