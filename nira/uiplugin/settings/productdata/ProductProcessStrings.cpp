// Values of the product-data provider taken from the process that prepares the job.
#include "nira/uiplugin/settings/productdata/ProductData.h"

#include <strsafe.h>

#include "nira/uiplugin/foundation/strings/NiraString.h"

namespace {

constexpr LONG kStringDescription = 5;
constexpr size_t kQueryPathChars = 64;

struct LanguageCodePage {
    WORD language;
    WORD codePage;
};

// A LocalAlloc block freed when it goes out of scope.
struct VersionBlock {
    explicit VersionBlock(DWORD size) : data(LocalAlloc(LPTR, size)) {}
    ~VersionBlock() { LocalFree(data); }
    VersionBlock(const VersionBlock&) = delete;
    VersionBlock& operator=(const VersionBlock&) = delete;
    HLOCAL data;
};

}  // namespace

// The FileDescription of the process image's version block, in its last translation. An image
// without a version block (or with a path too long to name) gives an empty text; a block without
// a translation or description keeps the owner's current value (and fails when the owner has
// none). A name or block that could not be read is a failure, not an empty text.
void CNiraProductData::DescriptionText(CNiraString& value)
{
    value.Assign(TEXT(""));
    WCHAR image[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, image, MAX_PATH);
    if (length == 0) {
        RaiseSettingsError(ERROR_READ_FAULT);
    }
    if (length >= MAX_PATH) {
        return;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(image, &ignored);
    if (size == 0) {
        return;
    }
    VersionBlock block(size);
    if (block.data == nullptr) {
        RaiseSettingsError(ERROR_NOT_ENOUGH_MEMORY);
    }
    if (!GetFileVersionInfoW(image, 0, size, block.data)) {
        RaiseSettingsError(ERROR_READ_FAULT);
    }
    LanguageCodePage* translations = nullptr;
    UINT translationBytes = 0;
    LPWSTR description = nullptr;
    UINT descriptionChars = 0;
    WCHAR query[kQueryPathChars] = {};
    const bool found =
        VerQueryValueW(block.data, TEXT("\\VarFileInfo\\Translation"),
                       reinterpret_cast<LPVOID*>(&translations), &translationBytes) &&
        translations != nullptr && translationBytes >= sizeof(LanguageCodePage) &&
        SUCCEEDED(StringCchPrintfW(query, kQueryPathChars,
                                   TEXT("\\StringFileInfo\\%04x%04x\\FileDescription"),
                                   translations[translationBytes / sizeof(LanguageCodePage) - 1].language,
                                   translations[translationBytes / sizeof(LanguageCodePage) - 1].codePage)) &&
        VerQueryValueW(block.data, query, reinterpret_cast<LPVOID*>(&description), &descriptionChars) &&
        description != nullptr;
    if (found) {
        // The text lies inside the block; it is bounded by the length the query reported.
        WCHAR bounded[MAX_PATH] = {};
        StringCchCopyNW(bounded, MAX_PATH, description, descriptionChars);
        value.Assign(bounded);
        return;
    }
    CNiraString* current = nullptr;
    bool copied = false;
    if (m_owner->GetString(kStringDescription, &current, FALSE, FALSE) == TRUE && current != nullptr) {
        copied = GuardSettingsCall([&] { value.Assign(*current); }) == TRUE;
        m_owner->ReleaseString(current);
    }
    RequireSettings(copied);
}
