#include "package/nirarend/PreviewPages.h"

#include <shlobj.h>
#include <strsafe.h>

namespace {

const WCHAR kSettingsKey[] = TEXT("SOFTWARE\\NiraSample\\RenderModule");
const WCHAR kPreviewValue[] = TEXT("PreviewEnabled");
const WCHAR kPageFileFormat[] = TEXT("[j%04d]-[p%02d].bmp");
constexpr size_t kPageFileNameChars = 64;
constexpr DWORD kFileHeaderBytes = 14;
constexpr DWORD kInfoHeaderBytes = 40;
constexpr WORD kBitsPerPixel = 24;
constexpr LONG kSourcePixelBytes = 4;
constexpr LONG kTargetPixelBytes = 3;
constexpr LONG kRowAlignment = 4;

struct PassState {
    bool previewPass = false;
    LONG sheets = 0;
};

PassState& Pass()
{
    static PassState state;
    return state;
}

void PutWord(BYTE* at, WORD value)
{
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}

void PutDword(BYTE* at, DWORD value)
{
    PutWord(at, static_cast<WORD>(value));
    PutWord(at + 2, static_cast<WORD>(value >> 16));
}

// A 24-bit bottom-up bitmap of the sheet scaled by scale (at most 1), nearest pixel.
bool WriteBitmap(LPCWSTR path, const BYTE* pixels, LONG width, LONG height, LONG stride, double scale)
{
    LONG outWidth = static_cast<LONG>(width * scale);
    LONG outHeight = static_cast<LONG>(height * scale);
    if (outWidth <= 0 || outHeight <= 0) {
        return false;
    }
    LONG rowBytes = (outWidth * kTargetPixelBytes + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
    DWORD imageBytes = static_cast<DWORD>(rowBytes) * static_cast<DWORD>(outHeight);
    DWORD fileBytes = kFileHeaderBytes + kInfoHeaderBytes + imageBytes;
    auto* file = static_cast<BYTE*>(LocalAlloc(LPTR, fileBytes));
    if (file == nullptr) {
        return false;
    }
    file[0] = 'B';
    file[1] = 'M';
    PutDword(file + 2, fileBytes);
    PutDword(file + 10, kFileHeaderBytes + kInfoHeaderBytes);
    BYTE* info = file + kFileHeaderBytes;
    PutDword(info, kInfoHeaderBytes);
    PutDword(info + 4, static_cast<DWORD>(outWidth));
    PutDword(info + 8, static_cast<DWORD>(outHeight));
    PutWord(info + 12, 1);
    PutWord(info + 14, kBitsPerPixel);
    PutDword(info + 20, imageBytes);
    BYTE* image = info + kInfoHeaderBytes;
    for (LONG y = 0; y < outHeight; ++y) {
        const BYTE* source =
            pixels + static_cast<size_t>(static_cast<LONG>(y / scale)) * static_cast<size_t>(stride);
        BYTE* target = image + static_cast<size_t>(outHeight - 1 - y) * static_cast<size_t>(rowBytes);
        for (LONG x = 0; x < outWidth; ++x) {
            const BYTE* pixel =
                source + static_cast<size_t>(static_cast<LONG>(x / scale)) * kSourcePixelBytes;
            CopyMemory(target + static_cast<size_t>(x) * kTargetPixelBytes, pixel, kTargetPixelBytes);
        }
    }
    HANDLE handle =
        CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool whole = handle != INVALID_HANDLE_VALUE && WriteFile(handle, file, fileBytes, &written, nullptr) &&
                 written == fileBytes;
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
    }
    LocalFree(file);
    return whole;
}

}  // namespace

bool PreviewRequested()
{
    DWORD value = 0;
    DWORD size = sizeof(value);
    return RegGetValueW(HKEY_LOCAL_MACHINE, kSettingsKey, kPreviewValue, RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
           value == 1;
}

void TakeJobCounts(const JobCountsRecord& counts)
{
    Pass().previewPass = counts.previewEnabled == 1 && counts.printPass == 0;
    Pass().sheets = 0;
}

void TakeSheet(DWORD jobId, const BYTE* pixels, LONG width, LONG height, LONG stride, LONG dpi,
               LONG previewResolution)
{
    if (!Pass().previewPass || pixels == nullptr || width <= 0 || height <= 0 ||
        stride < width * kSourcePixelBytes || dpi <= 0) {
        return;
    }
    LONG sheet = ++Pass().sheets;
    WCHAR path[MAX_PATH] = {};
    WCHAR name[kPageFileNameChars] = {};
    DWORD folder = GetTempPathW(MAX_PATH, path);
    if (folder == 0 || folder >= MAX_PATH ||
        FAILED(StringCchPrintfW(name, kPageFileNameChars, kPageFileFormat, jobId, sheet)) ||
        FAILED(StringCchCatW(path, MAX_PATH, name))) {
        return;
    }
    double scale =
        previewResolution > 0 && previewResolution < dpi ? previewResolution / static_cast<double>(dpi) : 1.0;
    WriteBitmap(path, pixels, width, height, stride, scale);
    // The preview window, in the user's session, reads the sheets from the user's local
    // application-data folder.
    WCHAR userPath[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, userPath)) &&
        SUCCEEDED(StringCchCatW(userPath, MAX_PATH, TEXT("\\"))) &&
        SUCCEEDED(StringCchCatW(userPath, MAX_PATH, name))) {
        WriteBitmap(userPath, pixels, width, height, stride, scale);
    }
}
