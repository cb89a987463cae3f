/* The program's resource ids: the main dialog, its controls, its pictures and the program icon.
   Read by the resource script and by the C++ code alike, so only #define lines and C comments
   belong here (the resource compiler honours nothing else in an included header). */
#pragma once

/* A control the code never addresses; in the dialog's 16-bit ids it is 65535. */
#define IDC_STATIC -1

/* The main dialog's template. */
#define IDD_PREREQCHECK_DIALOG 102

/* The program icon: a PC with monitor, keyboard and mouse. */
#define IDI_PREREQCHECK 128

/* The row pictures: a check mark for a satisfied product, a cross for one that is not. */
#define IDB_CHECK_MARK 129
#define IDB_CROSS 131

/* The Details buttons of the three rows. */
#define IDC_DETAILS_PLINTH_SETUP 1006
#define IDC_DETAILS_WARDLINE 1007
#define IDC_DETAILS_WARDLINE_LAN 1008

/* The pictures of each row: exactly one of a row's two is visible. */
#define IDC_WARDLINE_SATISFIED 1009
#define IDC_PLINTH_SETUP_SATISFIED 1010
#define IDC_PLINTH_SETUP_NOT_SATISFIED 1011
#define IDC_WARDLINE_NOT_SATISFIED 1012
#define IDC_WARDLINE_LAN_SATISFIED 1016
#define IDC_WARDLINE_LAN_NOT_SATISFIED 1018

/* The status words of each row, set when the dialog initialises. */
#define IDC_PLINTH_SETUP_STATUS 1013
#define IDC_WARDLINE_STATUS 1014
#define IDC_WARDLINE_LAN_STATUS 1017

/* The LAN warning and the button beside it that opens the help page about it. */
#define IDC_LAN_WARNING 1015
#define IDC_LAN_HELP 1019
