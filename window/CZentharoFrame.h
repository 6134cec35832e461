// The MDI child frame of a projection window.
#pragma once

#include "framework/CMDIChildWnd.h"
#include "framework/CRuntimeClass.h"

class CZentharoFrame : public CMDIChildWnd {
public:
    static CRuntimeClass classCZentharoFrame;

    BOOL PreCreateWindow(CREATESTRUCTA& create) override;

protected:
    BOOL OnCreateClient(CREATESTRUCTA* create, CCreateContext* context) override;
};
