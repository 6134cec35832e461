// The MDI child frame of a projection window. It remembers where projection windows go: the frame
// destroyed last leaves its rectangle in the registry, and the next frame takes it once.
#pragma once

#include "contract/ModuleContract.h"
#include "framework/CMDIChildWnd.h"
#include "framework/CRuntimeClass.h"

class CZentharoFrame : public CMDIChildWnd {
public:
    static CRuntimeClass classCZentharoFrame;
    static constexpr const char* kPlacementKey = ModuleContract::kPlacementKey;
    static constexpr const char* kWindowClassName = ModuleContract::kFrameClassName;

    CZentharoFrame() : CMDIChildWnd(kWindowClassName) {}

    // On the pass that names the window class, applies the saved placement and resets it to 0.
    BOOL PreCreateWindow(CREATESTRUCTA& create) override;

protected:
    BOOL OnCreateClient(CREATESTRUCTA* create, CCreateContext* context) override;
    // Adds the commands of the whole window ("Undo", "Clear all inputs", "Copy table"...) to its system
    // menu.
    int OnCreate(CREATESTRUCTA* create) override;
    // Names the steps Undo and Redo would take, and greys what cannot act, as the system menu opens.
    void OnInitMenuPopup(HMENU menu, UINT index, BOOL systemMenu) override;
    // The chart is hidden and shown with its projection.
    void OnShowWindow(BOOL show, UINT status) override;
    // Saves the frame's rectangle, in the MDI client's coordinates, for the next frame.
    void OnDestroy() override;
};
