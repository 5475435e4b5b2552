#include "nira/presentation/ImageWidgets.h"

#include "nira/presentation/ComboBoxWidgets.h"
#include "nira/presentation/LibraryEntry.h"
#include "nira/presentation/PresentationController.h"
#include "nira/presentation/TransparentBitmap.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

namespace {

constexpr int kSheetPreview = 6002;
constexpr int kPicture = 6025;
constexpr int kFirstPosterTile = 6350;
constexpr int kLastPosterTile = 6374;
constexpr int kNamedOption = 4211;
constexpr int kDoubleClickCommand = 6003;
constexpr int kNotOffered = 3;
constexpr LANGID kHebrew = 1037;
constexpr LANGID kArabic = 1025;

// Puts a new bitmap into a control with a set-image message and deletes the one it replaces.
void SetControlBitmap(HWND control, UINT message, HBITMAP bitmap)
{
    auto old = reinterpret_cast<HGDIOBJ>(
        SendMessageW(control, message, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (old != nullptr && old != bitmap) {
        DeleteObject(old);
    }
}

int BitmapWidth(HBITMAP bitmap, int* height)
{
    BITMAP size{};
    GetObjectW(bitmap, sizeof(size), &size);
    *height = size.bmHeight;
    return size.bmWidth;
}

}  // namespace

HBITMAP LoadOwnBitmap(int imageId)
{
    return static_cast<HBITMAP>(LoadImageW(GetPresentationModule(), MAKEINTRESOURCEW(imageId), IMAGE_BITMAP,
                                           0, 0, LR_LOADMAP3DCOLORS));
}

CNiraImageButton::CNiraImageButton(const CNiraWidgetInfo& row) : CNiraButton(row), m_imageId(row.BitampID())
{}

void CNiraImageButton::Refresh()
{
    if (HWND control = Control()) {
        SetControlBitmap(control, BM_SETIMAGE, LoadOwnBitmap(m_imageId));
    }
}

void CNiraImageButton::SetImageId(int id)
{
    if (id != 0) {
        m_imageId = id;
    }
}

CNiraOwnerdrawnButton::CNiraOwnerdrawnButton(const CNiraWidgetInfo& row)
    : CNiraButton(row), m_imageId(row.BitampID())
{}

CNiraOwnerdrawnButton::~CNiraOwnerdrawnButton()
{
    FreeMapValues(m_items);
}

void CNiraOwnerdrawnButton::SetImageId(int id)
{
    if (id != 0) {
        m_imageId = id;
    }
}

void CNiraOwnerdrawnButton::ClearItems()
{
    FreeMapValues(m_items);
}

void CNiraOwnerdrawnButton::AddImageItem(int optionId, const WCHAR* text, int, int, int state)
{
    if (text == nullptr || state == kNotOffered) {
        return;
    }
    WCHAR* copy = AllocWidgetText();
    void** slot = copy == nullptr ? nullptr : m_items.Lookup(optionId);
    if (slot == nullptr) {
        LocalFree(copy);
        return;
    }
    StoreWidgetText(copy, text);
    LocalFree(*slot);
    *slot = copy;
    m_itemsPresent = 1;
}

// The feature's handler paints the previews itself; other canvases show their bitmap first.
void CNiraOwnerdrawnButton::DrawItem(DRAWITEMSTRUCT* draw)
{
    if (draw == nullptr || m_controller == nullptr) {
        return;
    }
    HMODULE own = GetPresentationModule();
    if (m_featureId == kSheetPreview || m_featureId == kPicture) {
        m_controller->PaintWidget(m_featureId, draw->hwndItem, own);
        return;
    }
    StretchImage(*draw);
    if (m_featureId >= kFirstPosterTile && m_featureId <= kLastPosterTile) {
        m_controller->PaintWidget(m_featureId, draw->hwndItem, own);
    } else if (m_featureId == kNamedOption) {
        m_controller->PaintWidget(m_featureId, draw->hwndItem, own);
        DrawOptionName(*draw);
    }
}

void CNiraOwnerdrawnButton::StretchImage(const DRAWITEMSTRUCT& draw)
{
    HMODULE resources = m_controller->GetResourceModule();
    if (m_imageId == 0 || resources == nullptr) {
        return;
    }
    HBITMAP bitmap = LoadBitmapW(resources, MAKEINTRESOURCEW(m_imageId));
    if (bitmap == nullptr) {
        return;
    }
    HDC source = CreateCompatibleDC(draw.hDC);
    if (source != nullptr) {
        HGDIOBJ old = SelectObject(source, bitmap);
        int height = 0;
        int width = BitmapWidth(bitmap, &height);
        SetGraphicsMode(draw.hDC, GM_ADVANCED);
        StretchBlt(draw.hDC, 0, 0, draw.rcItem.right - draw.rcItem.left, draw.rcItem.bottom - draw.rcItem.top,
                   source, 0, 0, width, height, SRCCOPY | NOMIRRORBITMAP);
        SelectObject(source, old);
        DeleteDC(source);
    }
    DeleteObject(bitmap);
}

// The name of the current option (the item at running index value - 1), right-aligned except
// under a Hebrew or Arabic user interface.
void CNiraOwnerdrawnButton::DrawOptionName(const DRAWITEMSTRUCT& draw)
{
    void** slot = m_itemsPresent ? m_items.GetValueAt(m_value - 1) : nullptr;
    if (slot == nullptr || *slot == nullptr) {
        return;
    }
    LANGID language = GetUserDefaultUILanguage();
    UINT alignment = language == kHebrew || language == kArabic ? DT_LEFT : DT_RIGHT;
    RECT area = draw.rcItem;
    DrawTextW(draw.hDC, static_cast<const WCHAR*>(*slot), -1, &area, alignment);
}

CNiraImageStaticControl::CNiraImageStaticControl(const CNiraWidgetInfo& row)
    : CNiraStaticControl(row), m_imageId(row.BitampID())
{}

void CNiraImageStaticControl::Refresh()
{
    if (HWND control = Control()) {
        SetControlBitmap(control, STM_SETIMAGE, LoadOwnBitmap(m_imageId));
    }
}

void CNiraImageStaticControl::SetImageId(int id)
{
    if (id != 0) {
        m_imageId = id;
    }
}

CNiraOwnerDrawnStaticControl::CNiraOwnerDrawnStaticControl(const CNiraWidgetInfo& row)
    : CNiraStaticControl(row), m_imageId(row.BitampID())
{}

void CNiraOwnerDrawnStaticControl::Refresh()
{
    if (Control() != nullptr) {
        ShowText(m_dialog, m_staticText);
    }
}

void CNiraOwnerDrawnStaticControl::SetImageId(int id)
{
    if (id != 0) {
        m_imageId = id;
    }
}

// The bitmap is composed over what the DC shows, then copied into the item.
void CNiraOwnerDrawnStaticControl::DrawItem(DRAWITEMSTRUCT* draw)
{
    if (draw == nullptr || draw->itemID == static_cast<UINT>(-1) || m_controller == nullptr) {
        return;
    }
    HMODULE resources = m_controller->GetResourceModule();
    auto bitmap = resources == nullptr
                      ? nullptr
                      : static_cast<HBITMAP>(LoadImageW(resources, MAKEINTRESOURCEW(m_imageId), IMAGE_BITMAP,
                                                        0, 0, LR_LOADMAP3DCOLORS));
    if (bitmap == nullptr) {
        return;
    }
    int width = draw->rcItem.right - draw->rcItem.left;
    int height = draw->rcItem.bottom - draw->rcItem.top;
    DrawTransparentBitmap(draw->hDC, bitmap, draw->rcItem.left, draw->rcItem.top);
    StretchBlt(draw->hDC, 0, 0, width, height, draw->hDC, draw->rcItem.left, draw->rcItem.top, width, height,
               SRCCOPY);
    DeleteObject(bitmap);
}

void CNiraOwnerDrawnStaticControl::OnCtrlDoubleClick(int x, int y)
{
    HWND control = Control();
    RECT area{};
    if (m_featureId != kDoubleClickCommand || control == nullptr || !GetWindowRect(control, &area) ||
        !PtInRect(&area, POINT{x, y}) || m_controller == nullptr) {
        return;
    }
    m_controller->NotifyWidgetCommand(kDoubleClickCommand);
}
