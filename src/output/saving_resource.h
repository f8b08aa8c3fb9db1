// Resource ids of the saving dialogs (res/saving.rc), from 6000 up.
#pragma once

#define IDD_JPEG_COMPRESSION 6000
#define IDC_LBL_COMPRESSION 6001
#define IDC_LBL_BEST_QUALITY 6002
#define IDC_LBL_WORST_QUALITY 6003
#define IDC_LBL_SCALE 6004
#define IDC_TB_COMPRESS 6005
#define IDC_CB_PROGRESSIVE 6006
#define IDC_TEST_IMAGE 6007
