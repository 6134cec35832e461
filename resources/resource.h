/* Resource ids shared by the module's code and its resource script. */
#pragma once

#include "framework/FrameworkIds.h"

#define IDR_ZENTHARO 1          /* template string, accelerators and icon of projection windows */
#define IDD_ZENTHARO_FORM 5000  /* the projection form */
#define IDC_HEADER (-1)         /* column headers */
