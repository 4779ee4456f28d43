/* Resource ids of Tessaly, shared by Tessaly.rc and the program's code.
   Plain #defines only: the resource compiler reads this file too. */
#ifndef TESSALY_RES_RESOURCE_H
#define TESSALY_RES_RESOURCE_H

/* Dialog templates. */
#define IDD_TESSALY_DIALOG 102 /* the main window "Vantor Tessaly" */
#define IDD_SPLASH 145         /* the splash window */

/* The main window's template in dialog units: the area that the background
   picture covers. */
#define IDD_TESSALY_DIALOG_WIDTH 196
#define IDD_TESSALY_DIALOG_HEIGHT 214

/* Controls of the main window, in their tab order. */
#define IDC_IDLE 1003            /* combo box: idle threshold */
#define IDC_BACKUP 1004          /* check box "Backup my critical system files" */
#define IDC_LOCATION 1005        /* push button "Location" */
#define IDC_QUICKCHECK 1006      /* check box "QuickCheck" my system hardware */
#define IDC_SHOW_ME 1008         /* push button "Show Me" */
#define IDC_MAX_ONCE 1010        /* check box "Perform these actions ..." */
#define IDC_LAUNCH_VANTOR 1002   /* owner-drawn picture button "Vantor" */
#define IDC_DISABLE 1011         /* check box "Disable Tessaly" */
#ifndef ID_HELP
#define ID_HELP 57670            /* push button "Help": the help command */
#endif
#ifndef IDCANCEL
#define IDCANCEL 2               /* push button "Unload" */
#endif
#ifndef IDOK
#define IDOK 1                   /* push button "Minimize" */
#endif
#define IDC_SNAPSHOT 1000        /* push button "Snapshot", never shown */
#define IDC_LIGHT 1007           /* hidden frame: where the status light goes */
#define IDC_LAST_RUN 1009        /* read-only edit: time of the last run */
#ifndef IDC_STATIC
#define IDC_STATIC (-1)          /* labels and the separator line */
#endif

/* The tray icon: one id names the icon group and its tip string together,
   and IDR_TRAY also names the tray menu. */
#define IDR_TRAY 150           /* actions on; 16 x 16, 16 colours */
#define IDR_TRAY_DISABLED 146  /* actions off; 16 x 16 and 32 x 32, 16 colours */

/* Commands of the tray menu; the main window handles them. */
#define ID_TRAY_SHOW 32772           /* "&Show Tessaly" */
#define ID_TRAY_DISABLE 32773        /* "&Disable Tessaly" */
#define ID_SNAPSHOT 32775            /* snapshot command; in no menu */
#define ID_TRAY_BACKUP_NOW 32776     /* "&Backup System Files Now" */
#define ID_TRAY_LAUNCH_VANTOR 32777  /* "Launch &Vantor" */
#define ID_TRAY_UNLOAD 32778         /* "&Unload Vantor Tessaly" */

/* Icon group of the main window: 32 x 32, 16 colours. */
#define IDI_TESSALY 128

/* Bitmaps: _256 have 8 bits per pixel, _16 have 4. */
#define IDB_BACKGROUND_LARGE_256 138 /* 391 x 429 */
#define IDB_BACKGROUND_LARGE_16 139  /* 391 x 429 */
#define IDB_BUTTON_UP_256 140        /* 41 x 40 "Launch Vantor" faces */
#define IDB_BUTTON_FOCUS_256 141
#define IDB_BUTTON_DOWN_256 142
#define IDB_BUTTON_UP_16 143
#define IDB_BUTTON_FOCUS_16 144
#define IDB_BUTTON_DOWN_16 145
#define IDB_LIGHT_GREEN_16 167       /* 13 x 13 on cyan */
#define IDB_LIGHT_RED_16 168         /* 13 x 13 on cyan */
#define IDB_SPLASH_16 169            /* 293 x 84 */
#define IDB_BACKGROUND_SMALL_16 170  /* 292 x 347 */
#define IDB_BACKGROUND_SMALL_256 173 /* 292 x 347; the application palette */
#define IDB_LIGHT_GREEN_256 175      /* 16 x 16 on cyan */
#define IDB_LIGHT_RED_256 176        /* 16 x 16 on cyan */
#define IDB_SPLASH_256 177           /* 293 x 84 */

/* Initialisation data of a dialog template (type 240): items that the
   dialog adds to its list controls when it starts. */
#define RT_TESSALY_DLGINIT 240
#define DLGINIT_CB_ADDSTRING 0x0403

#endif
