#include "printpreviewer/BitmapFileWriter.h"

#include <new>
#include <unordered_map>

namespace {

constexpr DWORD kFileHeaderBytes = 14;
constexpr DWORD kInfoHeaderBytes = 40;
constexpr DWORD kRgbQuadBytes = 4;
constexpr LONG kSourcePixelBytes = 3;
constexpr size_t kMaxTableColors = 256;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr WORD kOneBit = 1;
constexpr WORD kFourBits = 4;
constexpr WORD kEightBits = 8;
constexpr WORD kTrueColor = 24;

size_t RowBytes(LONG width, WORD bits)
{
    return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

COLORREF PixelAt(const SheetPicture& picture, LONG row, LONG column)
{
    const BYTE* pixel = picture.bits + RowBytes(picture.width, kTrueColor) * static_cast<size_t>(row) +
                        static_cast<size_t>(column) * kSourcePixelBytes;
    return RGB(pixel[2], pixel[1], pixel[0]);  // stored blue, green, red
}

size_t TableSizeFor(WORD bits)
{
    return bits == kOneBit ? 2 : bits == kFourBits ? 16 : bits == kEightBits ? kMaxTableColors : 0;
}

void PutWord(std::vector<BYTE>& out, size_t at, WORD value)
{
    out[at] = static_cast<BYTE>(value);
    out[at + 1] = static_cast<BYTE>(value >> 8);
}

void PutDword(std::vector<BYTE>& out, size_t at, DWORD value)
{
    PutWord(out, at, static_cast<WORD>(value));
    PutWord(out, at + 2, static_cast<WORD>(value >> 16));
}

}  // namespace

std::vector<COLORREF> PictureColorTable(const SheetPicture& picture)
{
    std::vector<COLORREF> table = {kBlack, kWhite};
    std::unordered_map<COLORREF, size_t> known = {{kBlack, 0}, {kWhite, 1}};
    for (LONG row = 0; row < picture.height; ++row) {
        for (LONG column = 0; column < picture.width; ++column) {
            COLORREF color = PixelAt(picture, row, column);
            if (known.count(color) != 0) {
                continue;
            }
            if (table.size() == kMaxTableColors) {
                return {};
            }
            known.emplace(color, table.size());
            table.push_back(color);
        }
    }
    return table;
}

WORD BitsForColors(size_t colors)
{
    if (colors == 0 || colors > kMaxTableColors) {
        return kTrueColor;
    }
    return colors <= 2 ? kOneBit : colors <= 16 ? kFourBits : kEightBits;
}

bool BitmapFileBytes(const SheetPicture& picture, std::vector<BYTE>& file)
{
    if (picture.bits == nullptr || picture.width <= 0 || picture.height <= 0) {
        return false;
    }
    std::vector<COLORREF> table = PictureColorTable(picture);
    WORD bits = BitsForColors(table.size());
    size_t tableEntries = TableSizeFor(bits);
    size_t rowBytes = RowBytes(picture.width, bits);
    size_t offBits = kFileHeaderBytes + kInfoHeaderBytes + kRgbQuadBytes * tableEntries;
    size_t total = offBits + rowBytes * static_cast<size_t>(picture.height);
    file.assign(total, 0);
    file[0] = 'B';
    file[1] = 'M';
    PutDword(file, 2, static_cast<DWORD>(total));
    PutDword(file, 10, static_cast<DWORD>(offBits));
    PutDword(file, 14, kInfoHeaderBytes);
    PutDword(file, 18, static_cast<DWORD>(picture.width));
    PutDword(file, 22, static_cast<DWORD>(picture.height));
    PutWord(file, 26, 1);
    PutWord(file, 28, bits);
    std::unordered_map<COLORREF, size_t> index;
    for (size_t i = 0; i < table.size() && i < tableEntries; ++i) {
        size_t at = kFileHeaderBytes + kInfoHeaderBytes + kRgbQuadBytes * i;
        file[at] = GetBValue(table[i]);
        file[at + 1] = GetGValue(table[i]);
        file[at + 2] = GetRValue(table[i]);
        index.emplace(table[i], i);
    }
    for (LONG row = 0; row < picture.height; ++row) {
        BYTE* out = file.data() + offBits + rowBytes * static_cast<size_t>(row);
        if (bits == kTrueColor) {
            CopyMemory(out, picture.bits + RowBytes(picture.width, kTrueColor) * static_cast<size_t>(row),
                       rowBytes);
            continue;
        }
        for (LONG column = 0; column < picture.width; ++column) {
            COLORREF color = PixelAt(picture, row, column);
            size_t value = bits == kOneBit ? (color != kBlack ? 1 : 0) : index[color];
            size_t bit = static_cast<size_t>(column) * bits;
            // The first pixel takes the highest bits of its byte.
            out[bit / 8] |= static_cast<BYTE>(value << (8 - bits - bit % 8));
        }
    }
    return true;
}

DWORD WriteBmpFile(LPCWSTR fileName, const SheetPicture& picture)
{
    std::vector<BYTE> file;
    try {
        if (!BitmapFileBytes(picture, file)) {
            return ERROR_INVALID_PARAMETER;
        }
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    HANDLE handle = CreateFileW(fileName, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    DWORD written = 0;
    DWORD error = ERROR_SUCCESS;
    if (!WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr)) {
        error = GetLastError();
    } else if (written != file.size()) {
        error = ERROR_WRITE_FAULT;
    }
    CloseHandle(handle);
    return error;
}
