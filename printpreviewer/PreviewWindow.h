// The preview's frame: menu, toolbar (print, cancel, save, page buttons, zoom box and, for
// specialty-ink jobs, a notice with a button back to the colour utility), two rulers, the canvas
// and a status bar. It turns the user's input into zooms, page steps, the save command and the
// answer, print or cancel.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "printpreviewer/PreviewCanvas.h"
#include "printpreviewer/PreviewDocument.h"
#include "printpreviewer/WindowBase.h"

// Commands of the menu, the toolbar and the zoom box.
enum PreviewCommand : UINT {
    kZoom1000 = 23,
    kZoom10 = 30,
    kZoomPageWidth = 31,
    kZoomWholePage = 32,
    kZoomTwoPages = 33,
    kCancelPrinting = 35,
    kSaveAs = 36,
    kPrint = 38,
    kPreviousPage = 39,
    kNextPage = 40,
    kLastPage = 41,
    kFirstPage = 42,
    kExit = 44,
    kBackToColorTool = 40033,
};

class CNiraPreviewWindow : public CNiraWindowBase {
public:
    static constexpr UINT kToolbarId = 101;
    static constexpr UINT kStatusBarId = 102;
    static constexpr UINT kZoomBoxId = 200;
    static constexpr LONG kMinWidth = 320;
    static constexpr LONG kMinHeight = 240;

    CNiraPreviewWindow(bool inchRulers, bool specialtyInk, LPCWSTR colorToolArgument);
    ~CNiraPreviewWindow() override;

    // Shows the document (called on any thread: the window's changes run on its own thread) and
    // answers the document the window showed before; null when there was none or the window is
    // gone. The caller keeps owning the documents.
    CNiraPreviewDocument* AttachDocument(CNiraPreviewDocument* document, LPCWSTR printerName, HMODULE module);
    // 1 when the user chose to print.
    BYTE Result() const { return m_result; }
    HWND Toolbar() const { return m_toolbar; }
    HWND ZoomBox() const { return m_zoomBox; }
    HWND StatusBar() const { return m_statusBar; }
    CNiraPreviewCanvas& Canvas() { return m_canvas; }
    UINT SelectedZoom() const { return m_selectedZoom; }

protected:
    LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Attach;
    void OnCreate(HWND window);
    void OnDropFiles(HDROP drop);
    void BuildToolbar();
    void LabelPrintAndCancel();
    void BuildZoomBox();
    void BuildSpecialtyInkNotice(LONG left);
    void Layout(RECT& canvas);
    void OnSize(LONG width, LONG height);
    void OnCommand(UINT command, UINT notification);
    void Zoom(UINT command);
    void Step(LONG delta);
    void Close(BYTE result);
    void StartColorTool();
    void UpdatePageButtons();
    void PaintRulerStrips(HDC dc);
    void OnAttach(Attach& attach);
    void RelabelMenus();
    void CheckZoomItem();
    LRESULT OnNotify(const NMHDR* header);

    CRITICAL_SECTION m_saveLock;
    HWND m_zoomBox = nullptr;
    bool m_specialtyInk;
    HWND m_toolbar = nullptr;
    CNiraPreviewCanvas m_canvas;
    HMENU m_menu = nullptr;
    HMENU m_zoomMenu = nullptr;
    UINT m_selectedZoom = kZoomTwoPages;
    bool m_twoSidedZoomApplied = false;
    CNiraPreviewDocument* m_document = nullptr;
    BYTE m_result = 0;
    bool m_inchRulers;
    LONG m_rulerThickness = 0;
    RECT m_horizontalRuler = {0, 0, 0, 0};
    RECT m_verticalRuler = {0, 0, 0, 0};
    WCHAR m_colorToolArgument[256] = {};
    HWND m_statusBar = nullptr;
    WCHAR m_tooltip[256] = {};
};
