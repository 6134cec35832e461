// The module's MessageBeep and MessageBoxA, swapped in its import address table.
#include "ModuleNotices.h"

#include "ImportSwap.h"

#include <stdexcept>

namespace {

using BeepFunction = BOOL(WINAPI*)(UINT);
using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);

struct NoticeState {
    int beeps = 0;
    int boxes = 0;
    bool refuseBoxes = false;
    BeepFunction realBeep = nullptr;
    MessageBoxFunction realMessageBox = nullptr;
} g_notices; // the replacements are plain functions the module calls directly

BOOL WINAPI CountedBeep(UINT type) {
    ++g_notices.beeps;
    return g_notices.realBeep(type);
}

int WINAPI CountedMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    ++g_notices.boxes;
    return g_notices.refuseBoxes ? 0 : g_notices.realMessageBox(owner, text, caption, type);
}

} // namespace

ModuleNotices::ModuleNotices(HMODULE module) : m_module(module) {
    g_notices = NoticeState{};
    g_notices.realBeep = reinterpret_cast<BeepFunction>(
        SwapImport(module, "user32.dll", "MessageBeep", reinterpret_cast<void*>(&CountedBeep)));
    g_notices.realMessageBox = reinterpret_cast<MessageBoxFunction>(
        SwapImport(module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(&CountedMessageBox)));
    if (!g_notices.realBeep || !g_notices.realMessageBox)
        throw std::runtime_error("the module does not import MessageBeep and MessageBoxA from user32");
}

ModuleNotices::~ModuleNotices() {
    SwapImport(m_module, "user32.dll", "MessageBeep", reinterpret_cast<void*>(g_notices.realBeep));
    SwapImport(m_module, "user32.dll", "MessageBoxA", reinterpret_cast<void*>(g_notices.realMessageBox));
}

int ModuleNotices::Beeps() const { return g_notices.beeps; }

int ModuleNotices::MessageBoxesAsked() const { return g_notices.boxes; }

void ModuleNotices::Clear() {
    g_notices.beeps = 0;
    g_notices.boxes = 0;
}

void ModuleNotices::RefuseMessageBoxes(bool refuse) { g_notices.refuseBoxes = refuse; }
