#include "nira/uiplugin/core/plugin/PrintTicketSnapshot.h"

#include <oleauto.h>

#include "printticket/XDConverterSteps.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDVocabulary.h"

namespace {

const WCHAR kSnapshotName[] = TEXT("PageZQPrivateDevmodeSnapshot");
const WCHAR kSnapshotDefault[] = TEXT("HelloThere");
const WCHAR kSnapshotUnitType[] = TEXT("base64");
constexpr int kSnapshotDefMaxLength = 174760;
const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr WCHAR kPad = TEXT('=');
constexpr int kNotInAlphabet = -1;
constexpr size_t kBytesPerGroup = 3;
constexpr size_t kCharsPerGroup = 4;
constexpr unsigned kSixBits = 0x3F;

int AlphabetValue(WCHAR c)
{
    if (c >= TEXT('A') && c <= TEXT('Z')) {
        return c - TEXT('A');
    }
    if (c >= TEXT('a') && c <= TEXT('z')) {
        return c - TEXT('a') + 26;
    }
    if (c >= TEXT('0') && c <= TEXT('9')) {
        return c - TEXT('0') + 52;
    }
    if (c == TEXT('+')) {
        return 62;
    }
    return c == TEXT('/') ? 63 : kNotInAlphabet;
}

}  // namespace

HRESULT CNiraPrintTicketSnapshot::Bind(HANDLE, DWORD, void*, int*, BSTR**)
{
    return S_OK;
}

size_t CNiraPrintTicketSnapshot::EncodedLength(size_t count)
{
    return (count + kBytesPerGroup - 1) / kBytesPerGroup * kCharsPerGroup;
}

bool CNiraPrintTicketSnapshot::EncodeBase64(const BYTE* bytes, size_t count, LPWSTR text, size_t room)
{
    size_t length = EncodedLength(count);
    if (text == nullptr || (bytes == nullptr && count != 0) || room < length + 1) {
        return false;
    }
    size_t written = 0;
    for (size_t at = 0; at < count; at += kBytesPerGroup) {
        size_t inGroup = count - at < kBytesPerGroup ? count - at : kBytesPerGroup;
        unsigned group = static_cast<unsigned>(bytes[at]) << 16;
        group |= inGroup > 1 ? static_cast<unsigned>(bytes[at + 1]) << 8 : 0;
        group |= inGroup > 2 ? static_cast<unsigned>(bytes[at + 2]) : 0;
        for (size_t k = 0; k < kCharsPerGroup; ++k) {
            unsigned value = (group >> (18 - 6 * k)) & kSixBits;
            text[written++] = k <= inGroup ? static_cast<WCHAR>(kAlphabet[value]) : kPad;
        }
    }
    text[written] = 0;
    return true;
}

size_t CNiraPrintTicketSnapshot::DecodeBase64(LPCWSTR text, size_t length, BYTE* out, size_t limit)
{
    if (text == nullptr || out == nullptr) {
        return 0;
    }
    size_t written = 0;
    unsigned group = 0;
    size_t inGroup = 0;
    auto put = [&](unsigned byte) {
        if (written < limit) {
            out[written++] = static_cast<BYTE>(byte);
        }
    };
    for (size_t at = 0; at < length; ++at) {
        int value = AlphabetValue(text[at]);
        if (value == kNotInAlphabet) {
            break;  // the pad, a line break, anything else: the text ends here
        }
        group = group << 6 | static_cast<unsigned>(value);
        if (++inGroup == kCharsPerGroup) {
            put(group >> 16);
            put(group >> 8 & 0xFF);
            put(group & 0xFF);
            group = 0;
            inGroup = 0;
        }
    }
    if (inGroup == 2) {
        put(group >> 4 & 0xFF);
    } else if (inGroup == 3) {
        put(group >> 10 & 0xFF);
        put(group >> 2 & 0xFF);
    }
    return written;
}

HRESULT CNiraPrintTicketSnapshot::WriteSnapshot(DWORD, DEVMODEW*, DWORD privateSize, void* privateDevMode,
                                                IXMLDOMDocument2* ticket)
{
    size_t room = EncodedLength(privateSize) + 1;
    auto* text = static_cast<LPWSTR>(LocalAlloc(LPTR, room * sizeof(WCHAR)));
    if (text == nullptr) {
        return E_OUTOFMEMORY;
    }
    EncodeBase64(static_cast<const BYTE*>(privateDevMode), privateSize, text, room);
    HRESULT result = XDGuarded([&] {
        CXDPrintTicket document(ticket);
        CXDComPtr<IXMLDOMNode> root;
        HRESULT found = XDSelectRoot(document, root);
        if (found != S_OK) {
            return found;
        }
        HRESULT hr = document.RemoveParameterInit(kSnapshotName);
        CXDComPtr<IXMLDOMElement> reference;
        CXDComPtr<IXMLDOMElement> init;
        if (SUCCEEDED(hr)) {
            hr = document.CreateParameterInit(kSnapshotName, XDVocabulary::kString, text, &reference, &init);
        }
        return SUCCEEDED(hr) ? XDAppendChild(root.Get(), init.Get()) : hr;
    });
    LocalFree(text);
    return result;
}

HRESULT CNiraPrintTicketSnapshot::ReadSnapshot(IXMLDOMDocument2* ticket, DWORD, DEVMODEW*, DWORD privateSize,
                                               void* privateDevMode)
{
    return XDGuarded([&] {
        CXDPrintTicket document(ticket);
        BSTR text = nullptr;
        HRESULT found = document.GetParameterInitValue(kSnapshotName, &text);
        if (found == S_OK && privateDevMode != nullptr) {
            size_t limit = privateSize < kSnapshotLimit ? privateSize : kSnapshotLimit;
            DecodeBase64(text, SysStringLen(text), static_cast<BYTE*>(privateDevMode), limit);
        }
        SysFreeString(text);
        return found;
    });
}

HRESULT CNiraPrintTicketSnapshot::WriteSnapshotDef(IXMLDOMDocument2*, IXMLDOMDocument2* capabilities)
{
    return XDGuarded([&] {
        CXDPrintCapabilities document(capabilities);
        CXDComPtr<IXMLDOMNode> root;
        HRESULT found = XDSelectRoot(document, root);
        if (found != S_OK) {
            return found;
        }
        CXDComPtr<IXMLDOMElement> definition;
        HRESULT hr = document.AddParameterDef(kSnapshotName, nullptr, kSnapshotDefault, 0,
                                              kSnapshotDefMaxLength, kSnapshotUnitType, &definition);
        return SUCCEEDED(hr) ? XDAppendChild(root.Get(), definition.Get()) : hr;
    });
}
