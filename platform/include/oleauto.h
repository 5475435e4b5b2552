// OLE automation: BSTR allocation and VARIANT handling.
#pragma once

#include <oaidl.h>

#define VARIANT_NOVALUEPROP 0x1
#define VARIANT_ALPHABOOL 0x2
#define VARIANT_NOUSEROVERRIDE 0x4
#define VARIANT_LOCALBOOL 0x10

extern "C" {
BSTR WINAPI SysAllocString(const OLECHAR* psz);
BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui);
BSTR WINAPI SysAllocStringByteLen(LPCSTR psz, UINT len);
INT WINAPI SysReAllocString(BSTR* pbstr, const OLECHAR* psz);
void WINAPI SysFreeString(BSTR bstrString);
UINT WINAPI SysStringLen(BSTR pbstr);
UINT WINAPI SysStringByteLen(BSTR bstr);

void WINAPI VariantInit(VARIANTARG* pvarg);
HRESULT WINAPI VariantClear(VARIANTARG* pvarg);
HRESULT WINAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc);
HRESULT WINAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt);
}
