// The canvas of the preview frame: the sheets in a grid of equal cells, scrolled and zoomed (fixed
// percentages or fits), with the current sheet tracked for the page buttons and the status bar.
#pragma once

#include <windows.h>

#include "common/ScopedGdi.h"
#include "printpreviewer/CanvasLayout.h"
#include "printpreviewer/PreviewDocument.h"
#include "printpreviewer/WindowBase.h"

// Messages the canvas sends its frame.
constexpr UINT kRepaintRulers = WM_USER + 19;
constexpr UINT kUpdatePageButtons = WM_USER + 61;

class CNiraPreviewCanvas : public CNiraWindowBase {
public:
    static constexpr LONG kInitialZoom = 60;
    static constexpr LONG kLargestStep = 65535;

    CNiraPreviewCanvas() = default;
    ~CNiraPreviewCanvas() override;

    // The frame the canvas reports to, and the frame's status bar.
    void SetFrame(HWND frame, HWND* statusBar);
    // Takes a document (the frame's attach): the screen's resolution, fixed zoom, page 0.
    void TakeDocument(CNiraPreviewDocument* document, HMODULE previewModule);
    void SetZoom(LONG mode, LONG percent);
    void FitZoom(LONG nx, LONG ny);
    bool StepPage(LONG delta);
    bool CanStep(LONG delta) const;
    void UpdatePageStatus();
    void UpdateScrollRanges();
    void EnterSizeMove();
    void ExitSizeMove();

    LONG Zoom() const { return m_zoom; }
    LONG ZoomMode() const { return m_mode; }
    LONG Columns() const { return m_columns; }
    LONG CurrentSlot() const { return m_currentSlot; }
    LONG PageNumber() const { return m_pageNumber; }
    LONG Margin() const { return CanvasLayout::kMargin; }
    POINT ScrollPosition() const;

protected:
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CanvasLayout Layout() const;
    PreviewBinding Binding() const;
    LONG SlotsPerCopy() const;
    void Paint();
    void Scroll(int bar, WORD code, int thumb);
    void SetStatus(int part, LPCWSTR text);
    void SetBar(int bar, LONG clientLength, LONG extent);
    void CreatePaletteForDisplay();
    LRESULT OnQueryNewPalette();
    void OnPaletteChanged(HWND changedBy);

    HMODULE m_previewModule = nullptr;
    CNiraPreviewDocument* m_document = nullptr;
    SIZE m_largest = {0, 0};
    LONG m_columns = 1;
    LONG m_currentSlot = -1;
    LONG m_pageNumber = -1;
    SIZE m_extent = {0, 0};
    LONG m_resizeDepth = 0;
    bool m_paintedDuringResize = false;
    LONG m_screenDpi = 96;
    LONG m_zoom = kInitialZoom;
    LONG m_mode = static_cast<LONG>(CanvasZoomMode::kPercent);
    HWND m_frame = nullptr;
    HWND* m_statusBar = nullptr;
    // A halftone palette on palette displays only; disturbed when another window's palette moved
    // its colours and the canvas has not been realised in the foreground since.
    CNiraScopedObject m_palette{nullptr};
    bool m_paletteDisturbed = false;
};
