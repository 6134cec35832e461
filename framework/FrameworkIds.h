// Command ids the framework itself defines; resource scripts include this too, so keep it plain.
#pragma once

#define ID_FILE_CLOSE 0xE102 /* 57602: close the active document */
