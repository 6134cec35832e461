// The CBT hook that refuses creations.
#include "CreationRefusal.h"

namespace {

struct RefusalState {
    HWND mdiClient = nullptr;
    int firstRefused = 0;
    int asked = 0;
    int refused = 0;
} g_refusal; // the hook procedure is a plain function

bool InsideMdiClient(HWND parent) {
    for (HWND window = parent; window; window = ::GetParent(window))
        if (window == g_refusal.mdiClient)
            return true;
    return false;
}

LRESULT CALLBACK RefuseCreations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* creation = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        if (InsideMdiClient(creation->lpcs->hwndParent) && ++g_refusal.asked >= g_refusal.firstRefused) {
            ++g_refusal.refused;
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

CreationRefusal::CreationRefusal(HWND mdiClient, int firstRefused) {
    g_refusal = RefusalState{mdiClient, firstRefused, 0, 0};
    m_hook = ::SetWindowsHookExA(WH_CBT, &RefuseCreations, nullptr, ::GetCurrentThreadId());
}

CreationRefusal::~CreationRefusal() {
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
}

int CreationRefusal::Asked() const { return g_refusal.asked; }

int CreationRefusal::Refused() const { return g_refusal.refused; }
