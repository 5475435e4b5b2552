#include "nira/presentation/TransparentBitmap.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);

// A memory DC with a bitmap selected, deleted (and the bitmap with it) at the end of the scope.
class MemoryCanvas {
public:
    MemoryCanvas(HDC compatible, HBITMAP bitmap, bool ownsBitmap)
        : m_dc(CreateCompatibleDC(compatible)), m_bitmap(bitmap), m_ownsBitmap(ownsBitmap)
    {
        if (m_dc != nullptr && m_bitmap != nullptr) {
            m_old = SelectObject(m_dc, m_bitmap);
        }
    }
    ~MemoryCanvas()
    {
        if (m_dc != nullptr) {
            SelectObject(m_dc, m_old);
            DeleteDC(m_dc);
        }
        if (m_ownsBitmap && m_bitmap != nullptr) {
            DeleteObject(m_bitmap);
        }
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    bool Ready() const { return m_dc != nullptr && m_bitmap != nullptr; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    bool m_ownsBitmap;
    HGDIOBJ m_old = nullptr;
};

}  // namespace

BOOL DrawTransparentBitmap(HDC target, HBITMAP bitmap, int x, int y)
{
    BITMAP size{};
    if (target == nullptr || bitmap == nullptr || GetObjectW(bitmap, sizeof(size), &size) == 0) {
        return FALSE;
    }
    int width = size.bmWidth;
    int height = size.bmHeight;
    MemoryCanvas image(target, bitmap, false);
    MemoryCanvas mask(target, CreateBitmap(width, height, 1, 1, nullptr), true);
    MemoryCanvas result(target, CreateCompatibleBitmap(target, width, height), true);
    if (!image.Ready() || !mask.Ready() || !result.Ready()) {
        return FALSE;
    }
    // The mask's set pixels are those of the bitmap's top-left colour.
    SetBkColor(image.Dc(), GetPixel(image.Dc(), 0, 0));
    BitBlt(mask.Dc(), 0, 0, width, height, image.Dc(), 0, 0, SRCCOPY);
    // Bitmap XOR background, masked pixels back to the background, XOR again.
    BitBlt(result.Dc(), 0, 0, width, height, target, x, y, SRCCOPY);
    SetBkColor(result.Dc(), kWhite);
    BitBlt(result.Dc(), 0, 0, width, height, image.Dc(), 0, 0, SRCINVERT);
    BitBlt(result.Dc(), 0, 0, width, height, mask.Dc(), 0, 0, SRCAND);
    BitBlt(result.Dc(), 0, 0, width, height, image.Dc(), 0, 0, SRCINVERT);
    BitBlt(target, x, y, width, height, result.Dc(), 0, 0, SRCCOPY);
    return TRUE;
}
