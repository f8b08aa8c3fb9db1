// Resource ids of the note dialogs (400-419).
#pragma once

#define IDD_COMMENTS 400
#define IDR_COMMENTSMENU 401
#define IDC_MO_COMMENTS 402
#define IDM_SAVEANDEXIT1 403
#define IDM_EXITWITHOUTSAVE1 404
#define IDD_COMMENT 410
#define IDC_MO_COMMENT 411
