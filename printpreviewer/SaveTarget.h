// The preview's Save As command: every sheet of the preview, as it looks at the current zoom,
// drawn alone into a 24-bit picture and written to a bitmap file the user names, one save dialog
// per sheet. A cancelled dialog ends the command; the files already written stay.
#pragma once

#include <windows.h>

#include "printpreviewer/DisplayTarget.h"

class CNiraSaveTarget : public CNiraDisplayTarget {
public:
    CNiraSaveTarget(HMODULE module, LONG zoomDpi, SIZE largest);
    ~CNiraSaveTarget() override;
    CNiraSaveTarget(const CNiraSaveTarget&) = delete;
    CNiraSaveTarget& operator=(const CNiraSaveTarget&) = delete;

protected:
    bool BeginSheet(LONG slot, LONG width, LONG height) override;
    void EndSheet() override;
    bool ShowsSlots() const override { return false; }

private:
    bool MakePicture(LONG width, LONG height);
    void FreePicture();

    HMODULE m_module;
    bool m_ownsDc = false;
    BITMAPINFOHEADER m_header = {};
    void* m_bits = nullptr;
    HBITMAP m_section = nullptr;
    HGDIOBJ m_previousBitmap = nullptr;
    WCHAR m_fileName[MAX_PATH] = {};
};

// Saves every sheet of the document at the zoom.
void SavePagesAsBitmaps(CNiraPreviewDocument& document, HMODULE module, LONG zoomDpi);
// The save dialog for one sheet; true when the user chose a file (in fileName, MAX_PATH).
bool PromptSaveFileName(LPCWSTR title, LPWSTR fileName, HMODULE module);
// The system's text for the error in a message box captioned with the preview's name.
void ShowErrorMessage(HMODULE module, DWORD code);
