/* Resource ids shared by the module's code and its resource script. */
#pragma once

#include "framework/FrameworkIds.h"

#define IDR_ZENTHARO 1         /* template string, accelerators and icon of projection windows */
#define IDD_ZENTHARO_FORM 5000 /* the projection form */
#define IDC_HEADER (-1)        /* column headers */
/* Copy table: the system menu's entry and Ctrl+Shift+C. A multiple of 16 below 0xF000, as commands of
   a system menu must be. */
#define ID_EDIT_COPY_TABLE 0x0100
/* Best plan for ship mass / for production: the system menu's entries. Multiples of 16, as above. */
#define ID_PLAN_SHIPS 0x0110
#define ID_PLAN_PRODUCTION 0x0120
