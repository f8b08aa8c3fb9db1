// Resource ids of the main window (1-999 and 3000-3099): its icon, menus, glyphs and
// controls. Each subsystem keeps the ids of its own dialogs in its own header:
// output 400-419 (notes), 5000-5099 (printing), 6000-6099 (saving); capture 420-439.
#pragma once

#define IDI_OCELOT 1
#define IDR_MAINMENU 100
#define IDR_TRAYMENU 101
#define IDR_IMAGEMENU 102  // the pop-up menu of the list and the view

// The command ids (1000-2999) are in commands/command_ids.h.

// Controls of the main window (3000-3099)
#define IDC_TB_MAIN 3000
#define IDC_CBO_CAP_SELECTION 3020
#define IDC_CBO_PRINT_SELECTION 3021
#define IDC_CBO_DEFAULT_FORMAT 3022
#define IDC_CBO_VIEW_PERCENT 3023
#define IDC_LB_PIC_NAMES 3030
#define IDC_MAIN_IMAGE 3031
#define IDC_STATUS_BAR 3032

// Bitmaps
#define IDB_TB_SAVE 200
#define IDB_TB_DELETE 201
#define IDB_TB_PRINT 202
#define IDB_TB_EMAIL 203
#define IDB_TB_COPY 204
#define IDB_TB_PASTE 205
#define IDB_TB_THUMBS 206
#define IDB_TB_EDITOR 207
#define IDB_TB_CATALOG 208
#define IDB_TB_PROFILES 209
