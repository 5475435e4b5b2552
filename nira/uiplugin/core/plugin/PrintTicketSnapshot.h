// The plug-in's whole private DEVMODE section carried through PrintTickets: writing a ticket adds
// the parameter "PageZQPrivateDevmodeSnapshot" holding the section's base64 text, and reading a
// ticket that holds it restores the section before the features are read. PrintCapabilities
// describe the parameter.
#pragma once

#include <windows.h>

#include <msxml2.h>

class CNiraPrintTicketSnapshot {
public:
    // The most section bytes a snapshot restores.
    static constexpr DWORD kSnapshotLimit = 6892;

    HRESULT Bind(HANDLE printer, DWORD version, void* options, int* namespaceCount, BSTR** namespaces);
    // Replaces every snapshot of the ticket by one of privateSize bytes of privateDevMode.
    HRESULT WriteSnapshot(DWORD devmodeSize, DEVMODEW* devmode, DWORD privateSize, void* privateDevMode,
                          IXMLDOMDocument2* ticket);
    // S_OK and the section restored from the ticket's snapshot; S_FALSE without one (the section
    // stays as it was).
    HRESULT ReadSnapshot(IXMLDOMDocument2* ticket, DWORD devmodeSize, DEVMODEW* devmode, DWORD privateSize,
                         void* privateDevMode);
    HRESULT WriteSnapshotDef(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities);

    // The characters of the base64 text of count bytes (a multiple of four).
    static size_t EncodedLength(size_t count);
    // Writes the base64 text of count bytes with a terminator into text (room characters);
    // false, writing nothing, when it does not fit.
    static bool EncodeBase64(const BYTE* bytes, size_t count, LPWSTR text, size_t room);
    // Decodes text (length characters at most) into out up to its first pad, its first character
    // outside the alphabet or its end; bytes beyond limit are dropped. Answers the bytes written.
    static size_t DecodeBase64(LPCWSTR text, size_t length, BYTE* out, size_t limit);
};
