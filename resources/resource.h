/* Resource ids shared by the module's code and its resource script. */
#pragma once

#include "framework/FrameworkIds.h"

#define IDR_ZENTHARO 1         /* template string, accelerators and icon of projection windows */
#define IDD_ZENTHARO_FORM 5000 /* the projection form */
#define IDC_HEADER (-1)        /* column headers */
/* The projection's own commands (window/ProjectionCommands.cpp): multiples of 16 below 0xF000, as
   commands of a system menu must be. */
#define ID_EDIT_COPY_TABLE 0x0100   /* Copy table, Ctrl+Shift+C */
#define ID_EDIT_FILL_LATER 0x0110   /* Fill later turns, Ctrl+D */
#define ID_EDIT_PASTE_BLOCK 0x0120  /* Paste block, Ctrl+V */
#define ID_EDIT_CLEAR_INPUTS 0x0130 /* Clear all inputs */
#define ID_VIEW_CHART 0x0140        /* Chart, Ctrl+Shift+G */
#define ID_PLAN_SHIPS 0x0150        /* Best plan for ship mass... */
#define ID_PLAN_PRODUCTION 0x0160   /* Best plan for production... */
#define ID_EDIT_UNDO_STEP 0x0170    /* Undo, Ctrl+Z */
#define ID_EDIT_REDO_STEP 0x0180    /* Redo, Ctrl+Y and Ctrl+Shift+Z */
