// A module with only some of the entry points: the host must refuse it, naming the first one missing.
#include "framework/CMapStringToString.h"

extern "C" {

__declspec(dllexport) void OnLoad() {}
__declspec(dllexport) void OnInitialize(CMapStringToString&) {}
__declspec(dllexport) void OnAbout(CMapStringToString&) {}

} // extern "C"
