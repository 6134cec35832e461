// The view of a projection window: the form with its grid of cells and production choosers.
#pragma once

#include "framework/CFormView.h"
#include "framework/CRuntimeClass.h"

class CZentharoDoc;

class CZentharoForm : public CFormView {
public:
    static CRuntimeClass classCZentharoForm;

    CZentharoForm();
    CZentharoDoc* GetDocument() const;
};
