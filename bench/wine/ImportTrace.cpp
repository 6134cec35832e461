// The recording wrappers and the patching of the import address table.
#include "ImportTrace.h"

#include "Milliseconds.h"

#include <unordered_set>

namespace {

struct Originals {
    decltype(&::CreateWindowExA) createWindowEx = nullptr;
    decltype(&::CreateDialogParamA) createDialogParam = nullptr;
    decltype(&::CreateFontIndirectA) createFontIndirect = nullptr;
    decltype(&::SendMessageA) sendMessage = nullptr;
    decltype(&::SetWindowTextA) setWindowText = nullptr;
    decltype(&::GetWindowTextA) getWindowText = nullptr;
    decltype(&::GetWindow) getWindow = nullptr;
    decltype(&::MoveWindow) moveWindow = nullptr;
    decltype(&::IsWindowVisible) isWindowVisible = nullptr;
    decltype(&::ShowWindow) showWindow = nullptr;
};

// The wrappers are plain functions: the one trace running keeps its state here.
struct TraceState {
    Originals original;
    std::vector<TracedEvent> events;
    std::unordered_set<HWND> cells, choosers;
    HWND frame = nullptr;
} g_state;

void Record(TracedCall call, double start) { g_state.events.push_back({call, start, Milliseconds()}); }

bool IsCell(HWND window) { return g_state.cells.count(window) != 0; }
bool IsChooser(HWND window) { return g_state.choosers.count(window) != 0; }

HWND WINAPI TracedCreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR name, DWORD style, int x, int y, int cx,
                                 int cy, HWND parent, HMENU menu, HINSTANCE instance, LPVOID parameter) {
    const double start = Milliseconds();
    const HWND window = g_state.original.createWindowEx(exStyle, className, name, style, x, y, cx, cy, parent, menu,
                                                        instance, parameter);
    const bool named = !IS_INTRESOURCE(className);
    TracedCall call = TracedCall::WindowCreated;
    if (named && ::lstrcmpiA(className, "Edit") == 0) {
        call = TracedCall::CellCreated;
        g_state.cells.insert(window);
    } else if (named && ::lstrcmpiA(className, "ComboBox") == 0) {
        call = TracedCall::ChooserCreated;
        g_state.choosers.insert(window);
    }
    Record(call, start);
    return window;
}

HWND WINAPI TracedCreateDialogParam(HINSTANCE instance, LPCSTR templateName, HWND parent, DLGPROC procedure,
                                    LPARAM parameter) {
    const double start = Milliseconds();
    const HWND dialog = g_state.original.createDialogParam(instance, templateName, parent, procedure, parameter);
    Record(TracedCall::FormCreated, start);
    return dialog;
}

HFONT WINAPI TracedCreateFontIndirect(const LOGFONTA* font) {
    const double start = Milliseconds();
    const HFONT made = g_state.original.createFontIndirect(font);
    Record(TracedCall::FontCreated, start);
    return made;
}

LRESULT WINAPI TracedSendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const double start = Milliseconds();
    const LRESULT result = g_state.original.sendMessage(window, message, wParam, lParam);
    TracedCall call = TracedCall::MessageSent;
    if (message == WM_MDICREATE) {
        call = TracedCall::FrameCreated;
        g_state.frame = reinterpret_cast<HWND>(result);
    } else if (message == WM_SETFONT && (IsCell(window) || IsChooser(window))) {
        call = TracedCall::FontHanded;
    } else if (message == CB_ADDSTRING && IsChooser(window)) {
        call = TracedCall::ChooserFilled;
    } else if ((message == CB_GETCURSEL || message == CB_SETCURSEL) && IsChooser(window)) {
        call = TracedCall::ChooserSelection;
    }
    Record(call, start);
    return result;
}

BOOL WINAPI TracedSetWindowText(HWND window, LPCSTR text) {
    const double start = Milliseconds();
    const BOOL done = g_state.original.setWindowText(window, text);
    Record(window == g_state.frame ? TracedCall::FrameTitled
           : IsCell(window)        ? TracedCall::CellTextWritten
                                   : TracedCall::TextWritten,
           start);
    return done;
}

int WINAPI TracedGetWindowText(HWND window, LPSTR text, int size) {
    const double start = Milliseconds();
    const int copied = g_state.original.getWindowText(window, text, size);
    Record(IsCell(window) ? TracedCall::CellTextRead : TracedCall::TextRead, start);
    return copied;
}

HWND WINAPI TracedGetWindow(HWND window, UINT relation) {
    const double start = Milliseconds();
    const HWND found = g_state.original.getWindow(window, relation);
    Record(relation == GW_CHILD ? TracedCall::HeadersWalked : TracedCall::OtherCall, start);
    return found;
}

BOOL WINAPI TracedMoveWindow(HWND window, int x, int y, int cx, int cy, BOOL repaint) {
    const double start = Milliseconds();
    const BOOL moved = g_state.original.moveWindow(window, x, y, cx, cy, repaint);
    Record(TracedCall::WindowMoved, start);
    return moved;
}

BOOL WINAPI TracedIsWindowVisible(HWND window) {
    const double start = Milliseconds();
    const BOOL visible = g_state.original.isWindowVisible(window);
    Record(IsCell(window) || IsChooser(window) ? TracedCall::VisibilityAsked : TracedCall::OtherCall, start);
    return visible;
}

BOOL WINAPI TracedShowWindow(HWND window, int command) {
    const double start = Milliseconds();
    const BOOL wasVisible = g_state.original.showWindow(window, command);
    Record(TracedCall::WindowShown, start);
    return wasVisible;
}

// The import address table entry of module holding target, or nullptr. Entries are found by the
// address the loader put there, which also finds functions the library forwards elsewhere.
void** FindImportSlot(HMODULE module, void* target) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return nullptr;
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        for (auto* entry = reinterpret_cast<void**>(base + library->FirstThunk); *entry; ++entry)
            if (*entry == target)
                return entry;
    }
    return nullptr;
}

} // namespace

ImportTrace::ImportTrace(HMODULE module) : m_module(module) {
    g_state = TraceState{};
    g_state.events.reserve(4096);
    Originals& o = g_state.original;
    auto redirect = [&](const char* library, const char* function, auto replacement, auto& original) {
        m_complete &=
            Redirect(library, function, reinterpret_cast<void*>(replacement), reinterpret_cast<void**>(&original));
    };
    redirect("user32.dll", "CreateWindowExA", &TracedCreateWindowEx, o.createWindowEx);
    redirect("user32.dll", "CreateDialogParamA", &TracedCreateDialogParam, o.createDialogParam);
    redirect("gdi32.dll", "CreateFontIndirectA", &TracedCreateFontIndirect, o.createFontIndirect);
    redirect("user32.dll", "SendMessageA", &TracedSendMessage, o.sendMessage);
    redirect("user32.dll", "SetWindowTextA", &TracedSetWindowText, o.setWindowText);
    redirect("user32.dll", "GetWindowTextA", &TracedGetWindowText, o.getWindowText);
    redirect("user32.dll", "GetWindow", &TracedGetWindow, o.getWindow);
    redirect("user32.dll", "MoveWindow", &TracedMoveWindow, o.moveWindow);
    redirect("user32.dll", "IsWindowVisible", &TracedIsWindowVisible, o.isWindowVisible);
    redirect("user32.dll", "ShowWindow", &TracedShowWindow, o.showWindow);
}

ImportTrace::~ImportTrace() {
    for (const Patch& patch : m_patches) {
        DWORD previous = 0;
        ::VirtualProtect(patch.slot, sizeof(void*), PAGE_READWRITE, &previous);
        *patch.slot = patch.original;
        ::VirtualProtect(patch.slot, sizeof(void*), previous, &previous);
    }
}

const std::vector<TracedEvent>& ImportTrace::Events() const { return g_state.events; }

bool ImportTrace::Redirect(const char* library, const char* function, void* replacement, void** original) {
    const HMODULE exporter = ::GetModuleHandleA(library);
    void* target = exporter ? reinterpret_cast<void*>(::GetProcAddress(exporter, function)) : nullptr;
    void** slot = target ? FindImportSlot(m_module, target) : nullptr;
    if (!slot)
        return false;
    *original = target;
    DWORD previous = 0;
    if (!::VirtualProtect(slot, sizeof(void*), PAGE_READWRITE, &previous))
        return false;
    *slot = replacement;
    ::VirtualProtect(slot, sizeof(void*), previous, &previous);
    m_patches.push_back({slot, target});
    return true;
}
