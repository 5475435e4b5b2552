// VARIANT: initialisation, clearing, copying and the conversions between strings, numbers and truth values.
#include <oleauto.h>

#include "xml/Utf.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsInterface(VARTYPE vt)
{
    return vt == VT_UNKNOWN || vt == VT_DISPATCH;
}

// Reads a variant's value as a double; false for a type that is not a number or a truth value.
bool NumberOf(const VARIANT& v, double& value)
{
    switch (v.vt) {
    case VT_EMPTY:
        value = 0;
        return true;
    case VT_I1:
        value = v.cVal;
        return true;
    case VT_UI1:
        value = v.bVal;
        return true;
    case VT_I2:
        value = v.iVal;
        return true;
    case VT_UI2:
        value = v.uiVal;
        return true;
    case VT_I4:
        value = v.lVal;
        return true;
    case VT_UI4:
        value = v.ulVal;
        return true;
    case VT_INT:
        value = v.intVal;
        return true;
    case VT_UINT:
        value = v.uintVal;
        return true;
    case VT_I8:
        value = static_cast<double>(v.llVal);
        return true;
    case VT_UI8:
        value = static_cast<double>(v.ullVal);
        return true;
    case VT_R4:
        value = v.fltVal;
        return true;
    case VT_R8:
        value = v.dblVal;
        return true;
    case VT_BOOL:
        value = v.boolVal ? -1 : 0;
        return true;
    default:
        return false;
    }
}

HRESULT ParseNumber(BSTR text, double& value)
{
    std::string narrow = nirasim::ToUtf8(text ? text : u"");
    const char* begin = narrow.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtod(begin, &end);
    if (end == begin) {
        return DISP_E_TYPEMISMATCH;
    }
    while (*end == ' ' || *end == '\t') {
        ++end;
    }
    if (*end != '\0') {
        return DISP_E_TYPEMISMATCH;
    }
    if (errno == ERANGE || !std::isfinite(value)) {
        return DISP_E_OVERFLOW;
    }
    return S_OK;
}

HRESULT ParseTruth(BSTR text, double& value)
{
    std::u16string s = text ? text : u"";
    if (s == u"True" || s == u"true" || s == u"TRUE") {
        value = -1;
        return S_OK;
    }
    if (s == u"False" || s == u"false" || s == u"FALSE") {
        value = 0;
        return S_OK;
    }
    return ParseNumber(text, value);
}

HRESULT FormatAsText(const VARIANT& source, USHORT flags, BSTR& out)
{
    char buffer[64];
    switch (source.vt) {
    case VT_EMPTY:
        buffer[0] = '\0';
        break;
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL) {
            std::snprintf(buffer, sizeof(buffer), "%s", source.boolVal ? "True" : "False");
        } else {
            std::snprintf(buffer, sizeof(buffer), "%d", source.boolVal ? -1 : 0);
        }
        break;
    case VT_R4:
    case VT_R8: {
        double value = source.vt == VT_R4 ? source.fltVal : source.dblVal;
        std::snprintf(buffer, sizeof(buffer), "%.15g", value);
        break;
    }
    case VT_I8:
        std::snprintf(buffer, sizeof(buffer), "%lld", static_cast<long long>(source.llVal));
        break;
    case VT_UI8:
        std::snprintf(buffer, sizeof(buffer), "%llu", static_cast<unsigned long long>(source.ullVal));
        break;
    default: {
        double value;
        if (!NumberOf(source, value)) {
            return DISP_E_TYPEMISMATCH;
        }
        std::snprintf(buffer, sizeof(buffer), "%.0f", value);
        break;
    }
    }
    std::u16string wide = nirasim::ToUtf16(buffer);
    out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return out ? S_OK : E_OUTOFMEMORY;
}

template <typename T>
HRESULT FitInteger(double value, T& out)
{
    double rounded = std::nearbyint(value);  // banker's rounding, as automation rounds
    if (rounded < static_cast<double>(std::numeric_limits<T>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<T>::max())) {
        return DISP_E_OVERFLOW;
    }
    out = static_cast<T>(rounded);
    return S_OK;
}

HRESULT StoreNumber(double value, VARTYPE vt, VARIANT& out)
{
    switch (vt) {
    case VT_I1:
        return FitInteger(value, out.cVal);
    case VT_UI1:
        return FitInteger(value, out.bVal);
    case VT_I2:
        return FitInteger(value, out.iVal);
    case VT_UI2:
        return FitInteger(value, out.uiVal);
    case VT_I4:
        return FitInteger(value, out.lVal);
    case VT_UI4:
        return FitInteger(value, out.ulVal);
    case VT_INT:
        return FitInteger(value, out.intVal);
    case VT_UINT:
        return FitInteger(value, out.uintVal);
    case VT_I8:
        return FitInteger(value, out.llVal);
    case VT_UI8:
        return FitInteger(value, out.ullVal);
    case VT_R4:
        out.fltVal = static_cast<FLOAT>(value);
        return S_OK;
    case VT_R8:
        out.dblVal = value;
        return S_OK;
    case VT_BOOL:
        out.boolVal = value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    default:
        return DISP_E_BADVARTYPE;
    }
}

}  // namespace

void WINAPI VariantInit(VARIANTARG* pvarg)
{
    if (pvarg) {
        pvarg->vt = VT_EMPTY;
        pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
    }
}

HRESULT WINAPI VariantClear(VARIANTARG* pvarg)
{
    if (!pvarg) {
        return E_INVALIDARG;
    }
    if (!(pvarg->vt & VT_BYREF)) {
        if (pvarg->vt == VT_BSTR) {
            SysFreeString(pvarg->bstrVal);
        } else if (IsInterface(pvarg->vt) && pvarg->punkVal) {
            pvarg->punkVal->Release();
        }
    }
    pvarg->vt = VT_EMPTY;
    return S_OK;
}

HRESULT WINAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc)
{
    if (!pvargDest || !pvargSrc) {
        return E_INVALIDARG;
    }
    if (pvargDest == pvargSrc) {
        return S_OK;
    }
    VARIANT copy = *pvargSrc;
    if (!(copy.vt & VT_BYREF)) {
        if (copy.vt == VT_BSTR && pvargSrc->bstrVal) {
            copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
            if (!copy.bstrVal) {
                return E_OUTOFMEMORY;
            }
        } else if (IsInterface(copy.vt) && copy.punkVal) {
            copy.punkVal->AddRef();
        }
    }
    VariantClear(pvargDest);
    *pvargDest = copy;
    return S_OK;
}

HRESULT WINAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt)
{
    if (!pvargDest || !pvarSrc) {
        return E_INVALIDARG;
    }
    if (pvarSrc->vt == vt) {
        return VariantCopy(pvargDest, pvarSrc);
    }
    VARIANT result;
    VariantInit(&result);
    HRESULT hr;
    if (vt == VT_BSTR) {
        hr = FormatAsText(*pvarSrc, wFlags, result.bstrVal);
    } else if (vt == VT_EMPTY) {
        hr = S_OK;
    } else {
        double value = 0;
        if (pvarSrc->vt == VT_BSTR) {
            hr = vt == VT_BOOL ? ParseTruth(pvarSrc->bstrVal, value) : ParseNumber(pvarSrc->bstrVal, value);
        } else {
            hr = NumberOf(*pvarSrc, value) ? S_OK : DISP_E_TYPEMISMATCH;
        }
        if (SUCCEEDED(hr)) {
            hr = StoreNumber(value, vt, result);
        }
    }
    if (FAILED(hr)) {
        return hr;
    }
    result.vt = vt;
    VariantClear(pvargDest);
    *pvargDest = result;
    return S_OK;
}
