#pragma once
// Resource and control IDs, by kind in their own bands. Plain #defines: the resource
// compiler, the program and the Windows-side test tools all include this file.

// Icons: 100s
#define IDI_ZEPHYRA 100

// Bitmaps: 200s
#define IDB_CREATE 200
#define IDB_SHARE 201
#define IDB_START 202
#define IDB_STOP 203
#define IDB_REMOVE 204
#define IDB_UNSHARE 205
#define IDB_USAGE 206
#define IDB_ABOUT 207

// Sounds (resource type WAVE): 300s
#define IDR_CLICK 300

// Control IDs: 1000s. The resource compiler never needs them, and its parser would
// stumble over the form names.
#ifndef RC_INVOKED
#define IDC_分组框1 1001
#define IDC_分组框2 1002
#define IDC_分组框3 1003
#define IDC_标签1 1011
#define IDC_标签2 1012
#define IDC_标签3 1013
#define IDC_标签4 1014
#define IDC_编辑框1 1021
#define IDC_编辑框2 1022
#define IDC_组合框1 1031
#define IDC_组合框2 1032
#define IDC_超级按钮1 1041
#define IDC_超级按钮2 1042
#define IDC_超级按钮3 1043
#define IDC_超级按钮4 1044
#define IDC_超级按钮5 1045
#define IDC_超级按钮6 1046
#define IDC_按钮1 1051
#define IDC_按钮2 1052
#define IDC_超级链接框1 1061
#endif
