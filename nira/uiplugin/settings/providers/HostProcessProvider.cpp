#include "nira/uiplugin/settings/providers/HostProcessProvider.h"

#include "nira/uiplugin/settings/engine/ProcessImagePath.h"

namespace {

// The setting that enables JPEG and PNG passthrough; the only entry this provider handles.
constexpr LONG kPassthroughFlag = 109;
const SettingRef kHostEntries[] = {{SETTING_ARRAY_FLAG, kPassthroughFlag}};

constexpr LONG kHostFileNameString = 0;
// Kind 6: 1 when the product cannot take JPEG passthrough.
constexpr LONG kJpegPassthroughOffEntry = 83;

// Applications whose printing needs other capabilities: the first draws badly with monochrome
// dithering, the second cannot be journalled.
const WCHAR kNoMonoDitherHost[] = TEXT("CbldVB.exe");
const WCHAR kNoJournalImage[] = TEXT("qpw.exe");

// Windows 5.x and x.0 versions do not take JPEG passthrough.
constexpr DWORD kNoJpegMajorVersion = 5;
constexpr DWORD kNoJpegMinorVersion = 0;

}  // namespace

CNiraHostProcessProvider::CNiraHostProcessProvider()
    : CNiraRecordTargetProvider<DEVINFO>(kHostEntries,
                                         static_cast<int>(sizeof(kHostEntries) / sizeof(kHostEntries[0])))
{}

BOOLEAN CNiraHostProcessProvider::SetTarget(DEVINFO* record)
{
    return GuardSettingsCall([&] {
        KeepTarget(record);
        ApplyApplicationRules();
    });
}

void CNiraHostProcessProvider::ApplyApplicationRules()
{
    CNiraString host;
    RequireSettings(ReadOwnerText(*m_owner, kHostFileNameString, host));
    if (host.Equals(CNiraString(kNoMonoDitherHost))) {
        m_target->flGraphicsCaps &= ~static_cast<FLONG>(GCAPS_MONO_DITHER);
    }

    WCHAR image[MAX_PATH + 1];
    if (GetProcessImagePath(image)) {
        const CNiraNoCaseString imageName(GetPathFileName(image));
        if (imageName.Find(kNoJournalImage, 0) >= 0) {
            m_target->flGraphicsCaps = GCAPS_DONTJOURNAL;
        }
    }
}

BOOLEAN CNiraHostProcessProvider::SyncFlag(LONG index)
{
    return SyncRule(SETTING_ARRAY_FLAG, index, [&] {
        if (index == kPassthroughFlag) {
            ApplyPassthroughRule();
        }
    });
}

// No entries of these kinds are handled; the checks give the answer.
BOOLEAN CNiraHostProcessProvider::SyncInt(LONG index)
{
    return SyncRule(SETTING_ARRAY_INT, index, [] {});
}

BOOLEAN CNiraHostProcessProvider::SyncFloat(LONG index)
{
    return SyncRule(SETTING_ARRAY_FLOAT, index, [] {});
}

void CNiraHostProcessProvider::ApplyPassthroughRule()
{
    if (!ReadOwnerFlag(*m_owner, kPassthroughFlag)) {
        return;
    }
    FLONG bits = GCAPS2_PNGSRC;
    if (AnnouncesJpegPassthrough()) {
        bits |= GCAPS2_JPEGSRC;
    }
    m_target->flGraphicsCaps2 |= bits;
}

// The product's word when it has one, else the Windows version.
bool CNiraHostProcessProvider::AnnouncesJpegPassthrough()
{
    LONG jpegOff = 0;
    if (m_owner->GetIntRef(kJpegPassthroughOffEntry, &jpegOff, 0, 0) == TRUE) {
        return jpegOff != 1;
    }
    OSVERSIONINFOEXA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    return GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&version)) &&
           version.dwMajorVersion != kNoJpegMajorVersion && version.dwMinorVersion != kNoJpegMinorVersion;
}
