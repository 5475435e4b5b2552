#include "printpreviewer/PageBitmapReader.h"

#include <climits>
#include <new>

namespace {

constexpr DWORD kFileHeaderBytes = 14;
constexpr DWORD kInfoHeaderBytes = 40;
constexpr WORD kBitmapType = 0x4D42;  // "BM"
constexpr WORD kTrueColor = 24;
constexpr WORD kTrueColorAlpha = 32;
constexpr DWORD kUncompressed = 0;  // BI_RGB
constexpr LONG kRowAlignment = 4;
// The largest picture a sheet preview needs: far beyond any sheet at any preview resolution.
constexpr ULONGLONG kMaxPictureBytes = 512ULL * 1024 * 1024;

WORD ReadWord(const BYTE* at)
{
    return static_cast<WORD>(at[0] | at[1] << 8);
}

DWORD ReadDword(const BYTE* at)
{
    return static_cast<DWORD>(ReadWord(at)) | static_cast<DWORD>(ReadWord(at + 2)) << 16;
}

bool ReadExactly(HANDLE file, BYTE* bytes, DWORD size)
{
    DWORD read = 0;
    return ReadFile(file, bytes, size, &read, nullptr) && read == size;
}

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

// The headers' promises, checked before anything is allocated.
bool TakeHeaders(const BYTE* fileHeader, const BYTE* info, PageBitmap& bitmap, DWORD* offBits)
{
    auto height = static_cast<LONG>(ReadDword(info + 8));
    WORD bits = ReadWord(info + 14);
    bitmap.width = static_cast<LONG>(ReadDword(info + 4));
    if (ReadWord(fileHeader) != kBitmapType || ReadDword(info) != kInfoHeaderBytes ||
        ReadWord(info + 12) != 1 || ReadDword(info + 16) != kUncompressed ||
        (bits != kTrueColor && bits != kTrueColorAlpha) || bitmap.width <= 0 || height == 0 ||
        height == LONG_MIN) {
        return false;
    }
    bitmap.topDown = height < 0;
    bitmap.height = height < 0 ? -height : height;
    bitmap.bytesPerPixel = static_cast<WORD>(bits / 8);
    ULONGLONG rowBytes = static_cast<ULONGLONG>(bitmap.width) * bitmap.bytesPerPixel;
    ULONGLONG stride = (rowBytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
    if (stride * static_cast<ULONGLONG>(bitmap.height) > kMaxPictureBytes) {
        return false;
    }
    bitmap.stride = static_cast<LONG>(stride);
    *offBits = ReadDword(fileHeader + 10);
    return *offBits >= kFileHeaderBytes + kInfoHeaderBytes;
}

}  // namespace

bool ReadPageBitmap(LPCWSTR path, PageBitmap& bitmap)
{
    bitmap = PageBitmap();
    FileHandle file(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    BYTE fileHeader[kFileHeaderBytes];
    BYTE info[kInfoHeaderBytes];
    DWORD offBits = 0;
    PageBitmap read;
    if (file.Get() == INVALID_HANDLE_VALUE || !ReadExactly(file.Get(), fileHeader, sizeof(fileHeader)) ||
        !ReadExactly(file.Get(), info, sizeof(info)) || !TakeHeaders(fileHeader, info, read, &offBits) ||
        SetFilePointer(file.Get(), static_cast<LONG>(offBits), nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER) {
        return false;
    }
    try {
        read.pixels.assign(static_cast<size_t>(read.stride) * static_cast<size_t>(read.height), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    // Each row holds width x bytes per pixel bytes, then its padding to 4 bytes.
    if (!ReadExactly(file.Get(), read.pixels.data(), static_cast<DWORD>(read.pixels.size()))) {
        return false;
    }
    bitmap = std::move(read);
    return true;
}
