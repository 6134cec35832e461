// The projection form.
#include "CZentharoForm.h"

#include "model/CZentharoDoc.h"
#include "resources/resource.h"

CRuntimeClass CZentharoForm::classCZentharoForm = {"CZentharoForm", []() -> CObject* { return new CZentharoForm; }};

CZentharoForm::CZentharoForm() : CFormView(IDD_ZENTHARO_FORM) {}

CZentharoDoc* CZentharoForm::GetDocument() const { return static_cast<CZentharoDoc*>(m_pDocument); }
