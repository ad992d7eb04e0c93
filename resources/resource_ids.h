/*
 * Every resource id of the resource library VQXRES.DLL, in one place.
 *
 * Included by the resource scripts (windres) and by C++ code, so it holds
 * nothing but #define lines.  Blocks follow the screens and areas that use
 * the ids; controls are listed under the dialogs that contain them.  A
 * control id that appears in several dialogs (pictures, copyright lines) is
 * defined once, in the block "Controls shared by several dialogs".
 */
#ifndef VQX_RESOURCE_IDS_H
#define VQX_RESOURCE_IDS_H

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* ---- Icon and tray menu ------------------------------------------------ */

#define IDI_TRAY                        1000  /* 16x16 tray icon; 32x32 for pages */
#define IDM_TRAY                        1001  /* its first submenu is the popup */

/* Commands that stand in the menu template. */
#define ID_TRAY_DISPLAY_PROPERTIES      40001
#define ID_TRAY_HELP                    40002
#define ID_TRAY_ABOUT                   40003
#define ID_TRAY_EXIT                    40004
/* Display-device choices (all in one submenu), by the device mask they set:
 * 1 LCD panel, 2 CRT monitor, 4 TV, 8 secondary panel. */
#define ID_TRAY_DEVICES_LCD             40007  /* mask 1 */
#define ID_TRAY_DEVICES_CRT             40008  /* mask 2 */
#define ID_TRAY_DEVICES_LCD_CRT         40009  /* mask 3 */
#define ID_TRAY_DEVICES_SECPANEL        40010  /* mask 8 */
#define ID_TRAY_DEVICES_LCD_SECPANEL    40013  /* mask 9 */
#define ID_TRAY_DEVICES_LCD_TV          40015  /* mask 5 */
#define ID_TRAY_DEVICES_TV              40016  /* mask 4 */
#define ID_TRAY_DEVICES_CRT_TV          40017  /* mask 6: marks the state only, greyed */
#define ID_TRAY_DEVICES_CRT_SECPANEL    40018  /* mask 10 */
#define ID_TRAY_DEVICES_TV_SECPANEL     40019  /* mask 12 */
#define ID_TRAY_DEVICES_FIRST           ID_TRAY_DEVICES_LCD
#define ID_TRAY_DEVICES_LAST            ID_TRAY_DEVICES_TV_SECPANEL

/* Commands the tray program inserts into the popup at run time. */
#define ID_TRAY_ROTATE_90               2020
#define ID_TRAY_ROTATE_180              2021
#define ID_TRAY_ROTATE_270              2022
#define ID_TRAY_DUALAPP_ON              2023
#define ID_TRAY_SWAP_APP_WINDOWS        2024
#define ID_TRAY_SWAP_APP_DISPLAYS       2025
#define ID_TRAY_DUALVIEW_ON             2026
#define ID_TRAY_NORMAL_STATE            2037

/* ---- Dialog templates -------------------------------------------------- */

#define IDD_ABOUT                       1070  /* tray about box */
#define IDD_INFO_PAGE                   1071  /* information page */
/* Display-devices page, one template per feature set: DA dual application,
 * DV dual view, RT rotation; DUALMON is the dual-monitor mode. */
#define IDD_DEVICES_DUALMON             1072
#define IDD_DEVICES_DA_DV_RT            1073
#define IDD_DEVICES_RT                  1074
#define IDD_DEVICES_DA_RT               1075
#define IDD_DEVICES_DV_RT               1076
#define IDD_DEVICES_DA_DV               1077
#define IDD_DEVICES_DV                  1078
#define IDD_DEVICES_DA                  1079
#define IDD_DEVICES_PLAIN               1080
#define IDD_REDUCE_ON_PAGE              1081
#define IDD_CONFIG_DUALVIEW             1084  /* configuration page with dual view */
#define IDD_CONFIG                      1085  /* configuration page without it */
/* Hot-key dialog, one template per feature set (letters as above). */
#define IDD_HOTKEYS_DA_DV_RT            1087
#define IDD_HOTKEYS_RT                  1088
#define IDD_HOTKEYS_DV_RT               1089
#define IDD_HOTKEYS_DV                  1090
#define IDD_HOTKEYS_PLAIN               1091
#define IDD_HOTKEYS_DA                  1092
#define IDD_HOTKEYS_DA_DV               1093
#define IDD_HOTKEYS_DA_RT               1094
#define IDD_CONFIRM_DISPLAY             1095  /* keep-or-undo after a switch */
#define IDD_DUALAPP_WINDOWS             1096  /* window choice of dual application */

/* ---- Controls shared by several dialogs -------------------------------- */

#define IDC_PICTURE                     1265  /* SS_BITMAP, magenta = transparent */
#define IDC_COPYRIGHT_YEARS             1319
#define IDC_COPYRIGHT_NOTICE            1320

/* ---- About box (IDD_ABOUT) --------------------------------------------- */

#define IDC_ABOUT_VERSION               1267

/* ---- Information page (IDD_INFO_PAGE) ---------------------------------- */

#define IDC_INFO_TITLE                  1200
#define IDC_INFO_ANIMATION              1233  /* SysAnimate32, left empty */
#define IDC_INFO_ADAPTER_KIND           1244
#define IDC_INFO_PANEL_SIZE             1245
#define IDC_INFO_ADAPTER_VERSION        1246
#define IDC_INFO_DRIVER_VERSION         1247
#define IDC_INFO_TRAY_VERSION           1248

/* ---- Display-devices page (IDD_DEVICES_*) ------------------------------ */

#define IDC_DEVICES_ADVANCED            1252  /* opens the advanced sheet */
#define IDC_DEVICES_SINGLE              1253  /* arrangement: plain or rotated */
#define IDC_DEVICES_DUALVIEW            1254  /* arrangement: dual view */
#define IDC_DEVICES_DUALAPP             1255  /* arrangement: dual application */
#define IDC_DEVICES_FIRST               1250  /* first device (dual arrangements) */
#define IDC_DEVICES_SECOND              1251  /* second device (dual arrangements) */
#define IDC_DEVICES_FIRST_LABEL         1256
#define IDC_DEVICES_SECOND_LABEL        1257
#define IDC_DEVICES_PREVIEW             1258  /* hidden; marks the preview area */
#define IDC_DEVICES_ROTATION            1259  /* trackbar */
#define IDC_DEVICES_ROTATION_TEXT       1260
#define IDC_DEVICES_COMBINATION_LABEL   1269
#define IDC_DEVICES_PAIR_NOTE           1270  /* shown with the dual boxes */
#define IDC_DEVICES_INTRO               1271
#define IDC_DEVICES_COMBINATION         1272  /* devices for plain or rotated */
#define IDC_DEVICES_ARRANGEMENT_GROUP   1277
#define IDC_DEVICES_DEVICES_GROUP       1278
#define IDC_DEVICES_PRIMARY             1337  /* dual monitor: this one is primary */

/* ---- Reduce-on page (IDD_REDUCE_ON_PAGE) ------------------------------- */

#define IDC_REDUCE_ON_LIST              1202
#define IDC_REDUCE_ON_POWER_SOURCE      1203
#define IDC_REDUCE_ON_STATE             1234  /* hidden by the page */
#define IDC_REDUCE_ON_NOTE              1284  /* hidden by the page */

/* ---- Configuration page (IDD_CONFIG, IDD_CONFIG_DUALVIEW) -------------- */

#define IDC_CONFIG_HOTKEYS_BUTTON       1208
#define IDC_CONFIG_PANEL_TYPE           1226
#define IDC_CONFIG_PANEL_INTERFACE      1227
#define IDC_CONFIG_HOTKEYS_ON           1228
#define IDC_CONFIG_DUALVIEW_SIZE        1249
#define IDC_CONFIG_TV_SYSTEM            1264
#define IDC_CONFIG_TV_SYSTEM_LABEL      1268
#define IDC_CONFIG_DISPLAYS_GROUP       1340  /* shrinks when 1341 is hidden */
#define IDC_CONFIG_DUALMON_SWAP         1341

/* ---- Hot-key dialog (IDD_HOTKEYS_*) ------------------------------------ */

/* One msctls_hotkey32 control per hot key, by hot-key index 0..16. */
#define IDC_HOTKEY_LCD                  1209  /* 0 */
#define IDC_HOTKEY_CRT                  1210  /* 1 */
#define IDC_HOTKEY_TV                   1211  /* 2 */
#define IDC_HOTKEY_SECPANEL             1212  /* 3 */
#define IDC_HOTKEY_LCD_TV               1213  /* 5 */
#define IDC_HOTKEY_LCD_CRT              1214  /* 4 */
#define IDC_HOTKEY_LCD_SECPANEL         1215  /* 6 */
#define IDC_HOTKEY_CRT_SECPANEL         1216  /* 7 */
#define IDC_HOTKEY_SECPANEL_TV          1217  /* 8 */
#define IDC_HOTKEY_RT90                 1218  /* 9 */
#define IDC_HOTKEY_RT180                1219  /* 10 */
#define IDC_HOTKEY_RT270                1220  /* 11 */
#define IDC_HOTKEY_SETDA                1221  /* 12 */
#define IDC_HOTKEY_SWAPAPP              1222  /* 13 */
#define IDC_HOTKEY_SWAPDISP             1223  /* 14 */
#define IDC_HOTKEY_SETDV                1224  /* 15 */
#define IDC_HOTKEY_SMOFF                1225  /* 16 */
#define IDC_HOTKEYS_RELOAD              1235
/* Labels disabled or hidden together with their hot-key controls. */
#define IDC_HOTKEY_SECPANEL_LABEL       1273
#define IDC_HOTKEY_LCD_SECPANEL_LABEL   1274
#define IDC_HOTKEY_CRT_SECPANEL_LABEL   1275
#define IDC_HOTKEY_SECPANEL_TV_LABEL    1276
#define IDC_HOTKEY_RT90_LABEL           1290
#define IDC_HOTKEY_RT180_LABEL          1291
#define IDC_HOTKEY_RT270_LABEL          1292

/* ---- Keep-or-undo dialog (IDD_CONFIRM_DISPLAY) ------------------------- */

#define IDC_CONFIRM_PICTURE             1243
#define IDC_CONFIRM_TEXT                1327

/* ---- Window choice of dual application (IDD_DUALAPP_WINDOWS) ----------- */

#define IDC_DUALAPP_FIRST_WINDOW        1261
#define IDC_DUALAPP_SECOND_WINDOW       1262
#define IDC_DUALAPP_REFRESH             1263

/* ---- Bitmaps ----------------------------------------------------------- */

/* Preview pictures of the display-devices page, 120x120 pixels on magenta.
 * "Second" pictures show a device as the second of two: the same desktop
 * for a plain or rotated pair, the extended desktop of dual view, the right
 * half of dual application. */
#define IDB_PREVIEW_SECOND_TV             1012
#define IDB_PREVIEW_SECOND_TV_90          1013
#define IDB_PREVIEW_SECOND_TV_180         1014
#define IDB_PREVIEW_SECOND_TV_270         1015
#define IDB_PREVIEW_SECOND_TV_DUALAPP     1016
#define IDB_PREVIEW_SECOND_TV_DUALVIEW    1017
#define IDB_PREVIEW_SECOND_SEC            1018
#define IDB_PREVIEW_SECOND_SEC_90         1019
#define IDB_PREVIEW_SECOND_SEC_180        1020
#define IDB_PREVIEW_SECOND_SEC_270        1021
#define IDB_PREVIEW_SECOND_SEC_DUALAPP    1022
#define IDB_PREVIEW_SECOND_SEC_DUALVIEW   1023
#define IDB_PREVIEW_SECOND_LCD_ALT        1024  /* same picture as 1025; keeps the range whole */
#define IDB_PREVIEW_SECOND_LCD            1025
#define IDB_PREVIEW_SECOND_LCD_90         1026
#define IDB_PREVIEW_SECOND_LCD_180        1027
#define IDB_PREVIEW_SECOND_LCD_270        1028
#define IDB_PREVIEW_SECOND_LCD_DUALAPP    1029
#define IDB_PREVIEW_SECOND_LCD_DUALVIEW   1030
#define IDB_PREVIEW_SECOND_CRT            1031
#define IDB_PREVIEW_SECOND_CRT_90         1032
#define IDB_PREVIEW_SECOND_CRT_180        1033
#define IDB_PREVIEW_SECOND_CRT_270        1034
#define IDB_PREVIEW_SECOND_CRT_DUALAPP    1035
#define IDB_PREVIEW_SECOND_CRT_DUALVIEW   1036
/* "First" pictures: a device alone or as the first of two; dual view uses
 * the plain ones, dual application the left half. */
#define IDB_PREVIEW_TV                    1037
#define IDB_PREVIEW_TV_90                 1038
#define IDB_PREVIEW_TV_180                1039
#define IDB_PREVIEW_TV_270                1040
#define IDB_PREVIEW_TV_DUALAPP            1041
#define IDB_PREVIEW_SEC                   1042
#define IDB_PREVIEW_SEC_90                1043
#define IDB_PREVIEW_SEC_180               1044
#define IDB_PREVIEW_SEC_270               1045
#define IDB_PREVIEW_SEC_DUALAPP           1046
#define IDB_PREVIEW_LCD                   1047
#define IDB_PREVIEW_LCD_90                1048
#define IDB_PREVIEW_LCD_180               1049
#define IDB_PREVIEW_LCD_270               1050
#define IDB_PREVIEW_LCD_DUALAPP           1051
#define IDB_PREVIEW_CRT                   1052
#define IDB_PREVIEW_CRT_90                1053
#define IDB_PREVIEW_CRT_180               1054
#define IDB_PREVIEW_CRT_270               1055
#define IDB_PREVIEW_CRT_DUALAPP           1056
#define IDB_PREVIEW_SECOND_NONE           1057  /* empty: all magenta */
#define IDB_PREVIEW_NONE                  1058  /* empty: all magenta */
#define IDB_PREVIEW_FIRST_ID              1012
#define IDB_PREVIEW_LAST_ID               1058
#define IDB_PREVIEW_SIZE                  120   /* pixels, square */

/* Pictures that dialog templates put into their picture controls. */
#define IDB_PRODUCT_LOGO                  1100  /* about box */
#define IDB_ADAPTER                       1101  /* information and configuration pages */
#define IDB_POWER                         1102  /* reduce-on page */
#define IDB_CONFIRM_DISPLAY               1103  /* keep-or-undo dialog */

/* ---- Strings: information page and about box --------------------------- */

#define IDS_FMT_ADAPTER_VERSION3        5     /* three numbers */
#define IDS_FMT_ADAPTER_VERSION4        6     /* four numbers */
#define IDS_FMT_TRAY_VERSION            7     /* four numbers */
#define IDS_FMT_DRIVER_VERSION          8     /* four numbers */
#define IDS_INFO_TITLE                  10
/* Name of an adapter kind: IDS_ADAPTER_KIND_BASE + kind.  The adapter (and
 * the simulated one) reports kinds 0 .. VQX_ADAPTER_KIND_COUNT - 1. */
#define IDS_ADAPTER_KIND_BASE           15
#define VQX_ADAPTER_KIND_COUNT          4
#define IDS_FMT_COPYRIGHT_YEARS         20    /* two numbers */
#define IDS_COPYRIGHT_NOTICE            21

/* ---- Strings: sheet and page titles ------------------------------------ */

#define IDS_INFO_PAGE_TITLE             40
#define IDS_DEVICES_PAGE_TITLE          41
#define IDS_ADVANCED_SHEET_CAPTION      42

/* ---- Strings: configuration page choices ------------------------------- */

#define IDS_DUALVIEW_SIZE_0             30    /* ... _0 + code, codes 0..4 */
#define IDS_DUALVIEW_SIZE_1             31
#define IDS_DUALVIEW_SIZE_2             32
#define IDS_DUALVIEW_SIZE_3             33
#define IDS_DUALVIEW_SIZE_4             34
#define IDS_TV_SYSTEM_0                 90    /* NTSC */
#define IDS_TV_SYSTEM_1                 91    /* PAL */
#define IDS_PANEL_TYPE_0                100   /* ... _0 + panel id, ids 0..4 */
#define IDS_PANEL_TYPE_1                101
#define IDS_PANEL_TYPE_2                102
#define IDS_PANEL_TYPE_3                103
#define IDS_PANEL_TYPE_4                104
#define IDS_PANEL_INTERFACE_0           164
#define IDS_PANEL_INTERFACE_1           165

/* ---- Strings: reduce-on page ------------------------------------------- */

#define IDS_REDUCE_ON_ON                50
#define IDS_REDUCE_ON_OFF               51
#define IDS_REDUCE_ON_STATE_OFF         52
#define IDS_POWER_AC                    55
#define IDS_POWER_BATTERY               56
#define IDS_POWER_UNKNOWN               57
#define IDS_REDUCE_ON_STATE_ON          61

/* ---- Strings: display-devices page ------------------------------------- */

#define IDS_DEVICE_NONE                 71
#define IDS_DEVICE_LCD                  72
#define IDS_DEVICE_CRT                  73
#define IDS_DEVICE_TV                   74
#define IDS_DEVICE_SECPANEL             75
#define IDS_DEVICES_FIRST_DUAL          160   /* label 1256, dual arrangements */
#define IDS_DEVICES_FIRST_SINGLE        161   /* label 1256, otherwise */
#define IDS_DEVICES_SECOND_DUAL         162   /* label 1257, dual arrangements */
#define IDS_DEVICES_SECOND_SINGLE       163   /* label 1257, otherwise */
/* Slider labels; the page puts a space before the 90-degree label, so the
 * 180 and 270 labels carry their own leading space and the formats put
 * none before a label. */
#define IDS_ROTATION_LABEL_NONE         166
#define IDS_ROTATION_LABEL_90           167
#define IDS_ROTATION_LABEL_180          168
#define IDS_ROTATION_LABEL_270          169
#define IDS_FMT_ROTATION_2              170   /* two texts */
#define IDS_FMT_ROTATION_3              171   /* three texts */
#define IDS_FMT_ROTATION_4              172   /* four texts */
#define IDS_DEVICE_UNKNOWN              200
#define IDS_DEVICES_APPLY_FAILED        232

/* ---- Strings: dual application, hot keys, keep-or-undo ----------------- */

#define IDS_FMT_CONFIRM_COUNTDOWN       86    /* one integer: seconds left */
#define IDS_DUALAPP_SAME_WINDOW         220
#define IDS_DUALAPP_NO_WINDOW           221
#define IDS_HOTKEY_DUPLICATE            225

/* ---- Strings: tray menu ------------------------------------------------ */

#define IDS_TRAY_ROTATE_90              135
#define IDS_TRAY_ROTATE_180             136
#define IDS_TRAY_ROTATE_270             137
#define IDS_TRAY_DUALAPP_ON             138
#define IDS_TRAY_SWAP_APP_WINDOWS       139
#define IDS_TRAY_SWAP_APP_DISPLAYS      140
#define IDS_TRAY_DUALVIEW_ON            141
#define IDS_TRAY_NORMAL_FROM_ROTATED    145
#define IDS_TRAY_NORMAL_FROM_DUALAPP    146
#define IDS_TRAY_NORMAL_FROM_DUALVIEW   147
#define IDS_TRAY_FEATURE_FAILED         230
#define IDS_TRAY_NORMAL_FAILED          231
#define IDS_TRAY_SWITCH_FAILED          315

/* ---- Strings: error messages ------------------------------------------- */
/* Each is a printf format with exactly one integer placeholder, filled with
 * the error object's value.  The number is the error id the service library
 * throws. */

/* Settings and operating system */
#define IDS_ERR_OS_VERSION              300
#define IDS_ERR_SETTINGS_KEY            301
/* Shared state */
#define IDS_ERR_SHARED_SIZE             305
#define IDS_ERR_SHARED_MUTEX            306
#define IDS_ERR_SHARED_MAPPING          307
#define IDS_ERR_SHARED_VIEW             308
/* Shared records and parameter checks */
#define IDS_ERR_DUALMON_NO_PAIR         212
#define IDS_ERR_RECORD_RANGE            320
#define IDS_ERR_DISPLAY_NOT_FOUND       321
#define IDS_ERR_NO_ADAPTER              322
#define IDS_ERR_PANEL_ID                323
#define IDS_ERR_TV_SYSTEM               324
#define IDS_ERR_ARGUMENT_RANGE          325
/* The shared display information failed its consistency checks, or the
 * system's display devices no longer match it */
#define IDS_ERR_SHARED_DAMAGED          326
#define IDS_ERR_DISPLAYS_CHANGED        327
/* Driver channel and system calls */
#define IDS_ERR_DRIVER_FAILED           340
#define IDS_ERR_SELECT_DISPLAY          341
#define IDS_ERR_NO_DISPLAY_SELECTED     342
#define IDS_ERR_ESCAPE_UNSUPPORTED      343
#define IDS_ERR_MODE_REFUSED            344
#define IDS_ERR_DRIVER_BUSY             360
#define IDS_ERR_DRIVER_MODE             362
#define IDS_ERR_DRIVER_MEMORY           363
#define IDS_ERR_DRIVER_NO_DEVICE        364
#define IDS_ERR_ROTATION_MODE           365
/* Hot keys */
#define IDS_ERR_HOOK                    350
/* Display-device and mode switching (by the requested device mask) */
#define IDS_ERR_SWITCH_LCD              380   /* mask 1 */
#define IDS_ERR_SWITCH_CRT              381   /* mask 2 */
#define IDS_ERR_SWITCH_TV               382   /* mask 4 */
#define IDS_ERR_SWITCH_SECPANEL         383   /* mask 8 */
#define IDS_ERR_SWITCH_LCD_CRT          384   /* mask 3 */
#define IDS_ERR_SWITCH_LCD_TV           385   /* mask 5 */
#define IDS_ERR_SWITCH_LCD_SECPANEL     386   /* mask 9 */
#define IDS_ERR_SWITCH_CRT_SECPANEL     388   /* mask 10 */
#define IDS_ERR_SWITCH_TV_SECPANEL      389   /* mask 12 */
#define IDS_ERR_SWITCH_OTHER            391   /* any other mask */
#define IDS_ERR_NO_CRT                  392
#define IDS_ERR_NO_TV                   393
#define IDS_ERR_LCD_TOO_SMALL           401
#define IDS_ERR_SECPANEL_TOO_SMALL      402
#define IDS_ERR_DUALVIEW_MODE           437
#define IDS_ERR_ROTATION_UNSUPPORTED    454
/* Dual application */
#define IDS_ERR_DUALAPP_ALREADY_ON      410
#define IDS_ERR_DUALAPP_NOT_ON          411
#define IDS_ERR_DUALAPP_NO_WINDOWS      412
#define IDS_ERR_DUALAPP_WINDOW_GONE     413
/* Dual monitor */
#define IDS_ERR_DUALMON_NOT_ON          470
#define IDS_ERR_DUALMON_SETTINGS        471

#endif /* VQX_RESOURCE_IDS_H */
