#include "emf/EmfRecords.h"

#include <nirasim/Emf.h>

#include <cstring>

namespace nirasim::sim {

namespace {

constexpr size_t kRecordHead = 8;
constexpr size_t kRecordAlign = 4;
constexpr size_t kBoundsSize = 16;
constexpr size_t kDeviceSizeOffset = 72;
constexpr size_t kSignatureOffset = 40;
constexpr size_t kPolygonPointsOffset = kRecordHead + kBoundsSize + 4;
constexpr size_t kPoint16Size = 4;

template <typename T>
T Read(const std::string& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

template <typename T>
void Append(std::string& bytes, T value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(T));
}

void DrawRectangle(cairo_t* picture, const std::string& emf, size_t at)
{
    RECT box = Read<RECT>(emf, at + kRecordHead);
    cairo_rectangle(picture, box.left, box.top, box.right - box.left, box.bottom - box.top);
    cairo_set_source_rgb(picture, 0, 0, 0);
    cairo_set_line_width(picture, 2 * cairo_get_line_width(picture));
    cairo_stroke(picture);
}

bool DrawPolygon(cairo_t* picture, const std::string& emf, size_t at, size_t size)
{
    if (size < kPolygonPointsOffset) {
        return false;
    }
    DWORD count = Read<DWORD>(emf, at + kPolygonPointsOffset - 4);
    if (count > (size - kPolygonPointsOffset) / kPoint16Size) {
        return false;
    }
    for (DWORD i = 0; i < count; ++i) {
        size_t point = at + kPolygonPointsOffset + i * kPoint16Size;
        auto x = Read<SHORT>(emf, point);
        auto y = Read<SHORT>(emf, point + 2);
        (i == 0 ? cairo_move_to : cairo_line_to)(picture, x, y);
    }
    cairo_close_path(picture);
    cairo_set_source_rgb(picture, 0, 0, 0);
    cairo_fill(picture);
    return true;
}

}  // namespace

bool PlayEmfRecords(const std::string& emf, cairo_t* picture, EmfPageSize& size)
{
    size_t at = 0;
    bool first = true;
    while (at < emf.size()) {
        if (emf.size() - at < kRecordHead) {
            break;
        }
        auto type = Read<DWORD>(emf, at);
        size_t length = Read<DWORD>(emf, at + 4);
        if (length < kRecordHead || length % kRecordAlign != 0 || length > emf.size() - at) {
            break;
        }
        if (first) {
            if (type != kEmrHeader || length < kEmfHeaderSize ||
                Read<DWORD>(emf, at + kSignatureOffset) != kEmfSignature) {
                break;
            }
            size.width = Read<LONG>(emf, at + kDeviceSizeOffset);
            size.height = Read<LONG>(emf, at + kDeviceSizeOffset + 4);
            first = false;
        } else if (type == kEmrEof) {
            return true;
        } else if (picture != nullptr && type == kEmrRectangle && length >= kRecordHead + kBoundsSize) {
            DrawRectangle(picture, emf, at);
        } else if (picture != nullptr && type == kEmrPolygon16 && !DrawPolygon(picture, emf, at, length)) {
            break;
        }
        at += length;
    }
    SetLastError(ERROR_INVALID_DATA);
    return false;
}

}  // namespace nirasim::sim

namespace nirasim {

using sim::Append;

EmfRecorder::EmfRecorder(int width, int height) : width_(width), height_(height) {}

void EmfRecorder::Add(DWORD type, const std::string& body)
{
    Append<DWORD>(records_, type);
    Append<DWORD>(records_, static_cast<DWORD>(8 + body.size()));
    records_ += body;
    ++count_;
}

void EmfRecorder::Rectangle(const RECT& box)
{
    std::string body;
    Append(body, box);
    Add(sim::kEmrRectangle, body);
}

void EmfRecorder::Polygon(const std::vector<POINT>& points)
{
    std::string body;
    RECT bounds = {0, 0, width_, height_};
    Append(body, bounds);
    Append<DWORD>(body, static_cast<DWORD>(points.size()));
    for (const POINT& p : points) {
        Append<SHORT>(body, static_cast<SHORT>(p.x));
        Append<SHORT>(body, static_cast<SHORT>(p.y));
    }
    Add(sim::kEmrPolygon16, body);
}

std::string EmfRecorder::Finish() const
{
    constexpr DWORD kEofSize = 20;
    // The frame and the device's size in millimetres, for a device of 600 dpi.
    constexpr LONG kDeviceDpi = 600;
    constexpr LONG kHundredthsMmPerInch = 2540;
    constexpr LONG kHundredths = 100;
    std::string header;
    Append<DWORD>(header, sim::kEmrHeader);
    Append<DWORD>(header, static_cast<DWORD>(sim::kEmfHeaderSize));
    Append(header, RECT{0, 0, width_ - 1, height_ - 1});
    LONG frameWidth = width_ * kHundredthsMmPerInch / kDeviceDpi;
    LONG frameHeight = height_ * kHundredthsMmPerInch / kDeviceDpi;
    Append(header, RECT{0, 0, frameWidth, frameHeight});
    Append<DWORD>(header, sim::kEmfSignature);
    Append<DWORD>(header, sim::kEmfVersion);
    auto total = static_cast<DWORD>(sim::kEmfHeaderSize + records_.size() + kEofSize);
    Append<DWORD>(header, total);
    Append<DWORD>(header, count_ + 2);
    Append<WORD>(header, 1);  // handles: the metafile's own
    Append<WORD>(header, 0);
    Append<DWORD>(header, 0);  // no description
    Append<DWORD>(header, 0);
    Append<DWORD>(header, 0);  // no palette
    Append<LONG>(header, width_);
    Append<LONG>(header, height_);
    Append<LONG>(header, frameWidth / kHundredths);
    Append<LONG>(header, frameHeight / kHundredths);
    std::string eof;
    Append<DWORD>(eof, sim::kEmrEof);
    Append<DWORD>(eof, kEofSize);
    Append<DWORD>(eof, 0);
    Append<DWORD>(eof, 16);
    Append<DWORD>(eof, kEofSize);
    return header + records_ + eof;
}

}  // namespace nirasim
