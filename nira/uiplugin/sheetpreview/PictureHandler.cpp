#include "nira/uiplugin/sheetpreview/PictureHandler.h"

#include <cstring>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"
#include "nira/uiplugin/sheetpreview/SamplePicture.h"
#include "common/ScopedGdi.h"

namespace {

constexpr int kFirstSlider = FEATURE_PICTURE;      // 4166, tone
constexpr int kBlackSlider = FEATURE_PICTURE + 6;  // 4172, read first at start-up
constexpr WORD kPaletteVersion = 0x300;
constexpr int kBytesPerPixel = 3;

// Frees a LocalAlloc block when it goes out of scope.
class CNiraLocalBlock {
public:
    explicit CNiraLocalBlock(size_t size) : m_block(static_cast<BYTE*>(LocalAlloc(LPTR, size))) {}
    ~CNiraLocalBlock()
    {
        if (m_block != nullptr) {
            LocalFree(m_block);
        }
    }
    CNiraLocalBlock(const CNiraLocalBlock&) = delete;
    CNiraLocalBlock& operator=(const CNiraLocalBlock&) = delete;
    BYTE* Get() const { return m_block; }

private:
    BYTE* m_block;
};

}  // namespace

CNiraPictureHandler::CNiraPictureHandler() : m_adjuster(), m_window(nullptr), m_sliders() {}

CNiraPictureHandler::~CNiraPictureHandler() = default;

int CNiraPictureHandler::SliderValue(int featureId) const
{
    int index = featureId - kFirstSlider;
    return index >= 0 && index < kSliderCount ? m_sliders[index] : 0;
}

int CNiraPictureHandler::InitializeStates()
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int isSet = 0;
    int status = m_services->GetValue(kBlackSlider, &m_sliders[kBlackSlider - kFirstSlider], &isSet);
    for (int index = 0; index < kSliderCount - 1; ++index) {
        m_services->GetValue(kFirstSlider + index, &m_sliders[index], &isSet);
    }
    return status;
}

int CNiraPictureHandler::OnCommand(int, int command, int*, int*)
{
    if (command == kCommandResetPicture) {
        for (int& value : m_sliders) {
            value = 0;
        }
    }
    return 0;
}

int CNiraPictureHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int value = 0;
    int isSet = 0;
    if (m_services->GetValue(widgetId, &value, &isSet) != 0) {
        return NIRA_STATUS_FAILED;
    }
    int index = widgetId - kFirstSlider;
    if (index >= 0 && index < kSliderCount) {
        m_sliders[index] = value;
        RefreshPicture(m_window);
    }
    return 0;
}

// The adjuster takes its values as signed bytes, in its own order: saturation, tone, colour tone,
// black, cyan, magenta, yellow.
void CNiraPictureHandler::RefreshPicture(HWND window)
{
    auto low = [this](int featureId) { return static_cast<signed char>(SliderValue(featureId) & 0xFF); };
    m_adjuster.SetAdjustments(low(kFirstSlider + 1), low(kFirstSlider), low(kFirstSlider + 2),
                              low(kBlackSlider), low(kFirstSlider + 3), low(kFirstSlider + 4),
                              low(kFirstSlider + 5));
    if (window != nullptr) {
        InvalidateRect(window, nullptr, FALSE);
    }
}

int CNiraPictureHandler::PictureId()
{
    int id = kPictureWidget;
    FeatureEntry* entry = nullptr;
    if (m_services->FindFeature(&id, &entry) != 0 || entry == nullptr || entry->uiRecord == nullptr) {
        return 0;
    }
    return entry->uiRecord->bitmapId;
}

int CNiraPictureHandler::PaintWidget(int, HWND window, INT_PTR)
{
    PAINTSTRUCT paint = {};
    HDC dc = window != nullptr ? BeginPaint(window, &paint) : nullptr;
    if (dc == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_window = window;
    int pictureId = m_services != nullptr ? PictureId() : 0;
    if (pictureId == 0) {
        EndPaint(window, &paint);
        return 0;
    }
    HMODULE module = m_services->GetResourceModule();
    DrawPlainPicture(dc, module, pictureId);
    EndPaint(window, &paint);
    RefreshPicture(window);
    dc = BeginPaint(window, &paint);
    if (dc == nullptr) {
        return 0;
    }
    DrawAdjustedPicture(dc, module, pictureId);
    EndPaint(window, &paint);
    return 0;
}

// The picture as the resource holds it, at the client origin with the window's size; the adjusted
// picture is drawn over it.
void CNiraPictureHandler::DrawPlainPicture(HDC dc, HMODULE module, int pictureId)
{
    CNiraScopedMemoryDC memory(dc, LoadBitmapW(module, MAKEINTRESOURCEW(pictureId)));
    RECT window = {};
    if (memory.Ready() && GetWindowRect(m_window, &window)) {
        BitBlt(dc, 0, 0, window.right - window.left, window.bottom - window.top, memory.Get(), 0, 0, SRCCOPY);
    }
}

void CNiraPictureHandler::DrawAdjustedPicture(HDC dc, HMODULE module, int pictureId)
{
    RECT client = {};
    GetClientRect(m_window, &client);
    POINT centre = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    SetMapMode(dc, MM_ANISOTROPIC);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(pictureId), RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const auto* data = loaded != nullptr ? static_cast<const BYTE*>(LockResource(loaded)) : nullptr;
    SamplePicture parts = {};
    if (!ReadSamplePicture(data, found != nullptr ? SizeofResource(module, found) : 0, parts)) {
        return;
    }
    if (parts.colors == 0) {
        DrawTrueColor(dc, parts.header, parts.pixels, centre);
    } else {
        DrawWithColorTable(dc, parts.header, parts.table, parts.colors, parts.pixels, centre);
    }
}

// Every pixel of a copy is adjusted, rows addressed by the DIB's padded stride.
void CNiraPictureHandler::DrawTrueColor(HDC dc, const BITMAPINFOHEADER& header, const BYTE* pixels,
                                        POINT centre)
{
    LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    size_t stride = DibRowStride(header.biWidth, header.biBitCount);
    size_t pixelBytes = stride * static_cast<size_t>(height);
    CNiraLocalBlock copy(sizeof(BITMAPINFOHEADER) + pixelBytes);
    if (copy.Get() == nullptr) {
        return;
    }
    BITMAPINFOHEADER own = header;
    own.biSize = sizeof(BITMAPINFOHEADER);
    std::memcpy(copy.Get(), &own, sizeof(own));
    BYTE* bits = copy.Get() + sizeof(own);
    std::memcpy(bits, pixels, pixelBytes);
    for (LONG row = 0; row < height; ++row) {
        BYTE* pixel = bits + stride * static_cast<size_t>(row);
        for (LONG column = 0; column < header.biWidth; ++column, pixel += kBytesPerPixel) {
            m_adjuster.ApplyToPixel(&pixel[2], &pixel[1], &pixel[0]);
        }
    }
    StretchDIBits(dc, centre.x - header.biWidth / 2, centre.y - height / 2, header.biWidth, height, 0, 0,
                  header.biWidth, height, bits, reinterpret_cast<const BITMAPINFO*>(copy.Get()),
                  DIB_RGB_COLORS, SRCCOPY);
}

// Only the colour table is adjusted; a logical palette of the adjusted colours is realised for the
// drawing, as a palette display needs it.
void CNiraPictureHandler::DrawWithColorTable(HDC dc, const BITMAPINFOHEADER& header, const RGBQUAD* table,
                                             DWORD colors, const BYTE* pixels, POINT centre)
{
    CNiraLocalBlock info(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    CNiraLocalBlock logical(sizeof(LOGPALETTE) + colors * sizeof(PALETTEENTRY));
    if (info.Get() == nullptr || logical.Get() == nullptr) {
        return;
    }
    BITMAPINFOHEADER own = header;
    own.biSize = sizeof(BITMAPINFOHEADER);
    own.biClrUsed = colors;
    std::memcpy(info.Get(), &own, sizeof(own));
    auto* adjusted = reinterpret_cast<RGBQUAD*>(info.Get() + sizeof(own));
    std::memcpy(adjusted, table, colors * sizeof(RGBQUAD));
    auto* palette = reinterpret_cast<LOGPALETTE*>(logical.Get());
    palette->palVersion = kPaletteVersion;
    palette->palNumEntries = static_cast<WORD>(colors);
    PALETTEENTRY* entries = palette->palPalEntry;
    for (DWORD i = 0; i < colors; ++i) {
        m_adjuster.ApplyToPixel(&adjusted[i].rgbRed, &adjusted[i].rgbGreen, &adjusted[i].rgbBlue);
        entries[i] = {adjusted[i].rgbRed, adjusted[i].rgbGreen, adjusted[i].rgbBlue, 0};
    }
    CNiraScopedObject made(CreatePalette(palette));
    HPALETTE previous = SelectPalette(dc, static_cast<HPALETTE>(made.Get()), FALSE);
    RealizePalette(dc);
    LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    StretchDIBits(dc, centre.x - header.biWidth / 2, centre.y - height / 2, header.biWidth, height, 0, 0,
                  header.biWidth, height, pixels, reinterpret_cast<const BITMAPINFO*>(info.Get()),
                  DIB_RGB_COLORS, SRCCOPY);
    if (previous != nullptr) {
        SelectPalette(dc, previous, FALSE);
    }
}
