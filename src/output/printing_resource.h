// Resource ids of the printing dialogs (res/printing.rc); 5000 and up.
#pragma once

#define IDD_PRINT_CAPTION 5000
#define IDC_LBL_CAPTION_PROMPT 5001
#define IDC_ED_CAPTION 5002

#define IDD_PRINT_ERROR 5010
#define IDC_MO_MESSAGE 5011
