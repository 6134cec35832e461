// A view laid out by a dialog template of the module. It scrolls when its frame is smaller than the form.
#pragma once

#include "CView.h"

class CFormView : public CView {
public:
    explicit CFormView(UINT templateId) : m_nIDTemplate(templateId) {}

    BOOL Create(HWND frame, UINT id, CDocument* document) override;
    // Scrolls the form, if need be, so that the child control stands inside the view.
    void ScrollToShow(HWND child);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnScroll(int bar, UINT code) override;
    BOOL OnMouseWheel(int delta) override;
    // The form's full size in pixels, when the view lays its controls out beyond the template's.
    void SetScrollSizes(SIZE total);

private:
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    void UpdateScrollBars();
    void ScrollTo(POINT position);

    UINT m_nIDTemplate;
    SIZE m_totalSize{}; // the form's full size in pixels: as the template lays it out, or as set
    POINT m_scroll{};
};
