// The ids of the program's commands: one id per action, shared by its menu item, the
// pop-up menu's twin and its toolbar button. Range 1000-2999; the resource scripts of the
// menus include this file. The test driver finds commands by caption, never by number.
#pragma once

// "&File"
#define IDM_SAVEAS 1001
#define IDM_EXPORTTOPDF 1002
#define IDM_QUICKSAVE 1003
#define IDM_SAVETOCATALOG 1004
#define IDM_DELETE 1005
#define IDM_PRINTIMAGES 1010
#define IDM_PRINTCAPTIONABOVE 1011
#define IDM_PRINTCAPTIONBELOW 1012
#define IDM_PRINTCAPTIONDATEABOVE 1013
#define IDM_PRINTCAPTIONDATEBELOW 1014
#define IDM_PRINTFULLPAGE 1015
#define IDM_PRINTMANYTOPAGE 1016
#define IDM_PRINTTHUMBNAILS 1017
#define IDM_CATALOGOPEN 1020
#define IDM_CATALOGMOVE 1021
#define IDM_CATALOGIMPORT 1022
#define IDM_CATALOGREMOVE 1023
#define IDM_CATALOGCLOSE 1024
#define IDM_EXIT 1030

// "&Edit"
#define IDM_COPY 1101
#define IDM_PASTEWORD 1102
#define IDM_PASTEPOWERPOINT 1103
#define IDM_CLEARCLIPBOARD 1104
#define IDM_SELECTALL 1105

// "&Thumbnails" and the toolbar's "Thumbs"
#define IDM_THUMBLOWSMALL 1201
#define IDM_THUMBLOWMEDIUM 1202
#define IDM_THUMBLOWLARGE 1203
#define IDM_THUMBHIGHSMALL 1204
#define IDM_THUMBHIGHMEDIUM 1205
#define IDM_THUMBHIGHLARGE 1206
#define IDM_THUMBS 1207

// "Time&r"
#define IDM_AUTOCAPTUREON 1301
#define IDM_AUTOCAPTUREOFF 1302

// "&Image" and the pop-up menu's note item
#define IDM_IMAGEEDITOR 1401
#define IDM_GOTOURL 1402
#define IDM_VIEWEDITNOTE 1403

// "&E-mail" and "Send &Mail To": items added at start-up from this id on, one per mail
// entry; the toolbar's "E-mail".
#define IDM_MAILFIRST 1500
#define IDM_MAILLAST 1520
#define IDM_EMAIL 1530

// "&Profiles"
#define IDM_PROFILEOPEN 1601
#define IDM_PROFILESAVE 1602

// "&Setup"
#define IDM_SETUPOCELOT 1701
#define IDM_SETUPPRINTER 1702

// "&Help"
#define IDM_CONTENTS 1801
#define IDM_ABOUT 1802

// The tray menu
#define IDM_SHOWOCELOTWINDOW 1901
#define IDM_TRAYEXIT 1902
