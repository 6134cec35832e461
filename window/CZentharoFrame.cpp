// Projection frames.
#include "CZentharoFrame.h"

CRuntimeClass CZentharoFrame::classCZentharoFrame = {"CZentharoFrame", []() -> CObject* { return new CZentharoFrame; }};

BOOL CZentharoFrame::PreCreateWindow(CREATESTRUCTA& create) { return CMDIChildWnd::PreCreateWindow(create); }

BOOL CZentharoFrame::OnCreateClient(CREATESTRUCTA* create, CCreateContext* context) {
    return CMDIChildWnd::OnCreateClient(create, context);
}
