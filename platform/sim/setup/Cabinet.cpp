// SetupIterateCabinetW over libmspack: the cabinet's members in their stored order, each offered to
// the caller's callback (SPFILENOTIFY_FILEINCABINET); a member the callback wants is extracted to
// the target it wrote, keeps the member's stored time as its last-write time, and is reported
// (SPFILENOTIFY_FILEEXTRACTED). A cabinet that names a next one of its set asks the callback for
// it (SPFILENOTIFY_NEEDNEWCABINET) after its own members; members continued there are not walked.
#include <setupapi.h>

#include "core/Failures.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <mspack.h>

#include <string>

namespace {

using nirasim::sim::MapWindowsPath;
using nirasim::sim::WideFrom;
using nirasim::sim::WideFromUtf8;

constexpr WORD kDosYearBase = 1980;
constexpr int kDosYearShift = 9;
constexpr int kDosMonthShift = 5;
constexpr int kDosHourShift = 11;
constexpr int kDosMinuteShift = 5;
constexpr WORD kDosAttributeMask = 0x3F;

struct CabinetDecompressor {
    mscab_decompressor* decompressor = mspack_create_cab_decompressor(nullptr);
    mscabd_cabinet* cabinet = nullptr;
    ~CabinetDecompressor()
    {
        if (cabinet != nullptr) {
            decompressor->close(decompressor, cabinet);
        }
        if (decompressor != nullptr) {
            mspack_destroy_cab_decompressor(decompressor);
        }
    }
};

// Member names are ISO-8859-1 unless the member says UTF-8.
std::u16string MemberName(const mscabd_file& file)
{
    if ((file.attribs & MSCAB_ATTRIB_UTF_NAME) != 0) {
        return WideFromUtf8(file.filename);
    }
    std::u16string name;
    for (const char* c = file.filename; *c != 0; ++c) {
        name.push_back(static_cast<unsigned char>(*c));
    }
    return name;
}

FILE_IN_CABINET_INFO_W InfoOf(const mscabd_file& file, const std::u16string& name)
{
    FILE_IN_CABINET_INFO_W info{};
    info.NameInCabinet = name.c_str();
    info.FileSize = file.length;
    info.DosDate = static_cast<WORD>(((file.date_y - kDosYearBase) << kDosYearShift) |
                                     (file.date_m << kDosMonthShift) | file.date_d);
    info.DosTime = static_cast<WORD>((file.time_h << kDosHourShift) | (file.time_m << kDosMinuteShift) |
                                     (file.time_s / 2));
    info.DosAttribs = static_cast<WORD>(file.attribs & kDosAttributeMask);
    return info;
}

// The member's stored time (taken as UTC) becomes the extracted file's last-write time.
void KeepMemberTime(const mscabd_file& file, LPCWSTR target)
{
    SYSTEMTIME stored{};
    stored.wYear = static_cast<WORD>(file.date_y);
    stored.wMonth = static_cast<WORD>(file.date_m);
    stored.wDay = static_cast<WORD>(file.date_d);
    stored.wHour = static_cast<WORD>(file.time_h);
    stored.wMinute = static_cast<WORD>(file.time_m);
    stored.wSecond = static_cast<WORD>(file.time_s);
    FILETIME time;
    if (!SystemTimeToFileTime(&stored, &time)) {
        return;
    }
    HANDLE handle = CreateFileW(target, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        SetFileTime(handle, nullptr, nullptr, &time);
        CloseHandle(handle);
    }
}

// Extracts one member; the Win32 error (0 on success).
UINT ExtractMember(CabinetDecompressor& cab, mscabd_file& file, LPCWSTR target)
{
    if (target[0] == 0) {
        return ERROR_PATH_NOT_FOUND;
    }
    // The target's folder must exist, as for CreateFileW.
    HANDLE handle =
        CreateFileW(target, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return GetLastError();
    }
    CloseHandle(handle);
    std::string hostTarget = MapWindowsPath(target);
    if (cab.decompressor->extract(cab.decompressor, &file, hostTarget.c_str()) != MSPACK_ERR_OK) {
        DeleteFileW(target);
        return ERROR_INVALID_DATA;
    }
    KeepMemberTime(file, target);
    return ERROR_SUCCESS;
}

void AskForNextCabinet(const mscabd_cabinet& cabinet, const std::u16string& folder,
                       PSP_FILE_CALLBACK_W handler, PVOID context)
{
    std::u16string next = WideFromUtf8(cabinet.nextname);
    std::u16string disk = cabinet.nextinfo != nullptr ? WideFromUtf8(cabinet.nextinfo) : std::u16string();
    CABINET_INFO_W info{};
    info.CabinetPath = folder.c_str();
    info.CabinetFile = next.c_str();
    info.DiskName = disk.c_str();
    info.SetId = cabinet.set_id;
    info.CabinetNumber = static_cast<USHORT>(cabinet.set_index + 1);
    WCHAR newPath[MAX_PATH] = {};
    handler(context, SPFILENOTIFY_NEEDNEWCABINET, reinterpret_cast<UINT_PTR>(&info),
            reinterpret_cast<UINT_PTR>(newPath));
}

}  // namespace

BOOL WINAPI SetupIterateCabinetW(PCWSTR CabinetFile, DWORD, PSP_FILE_CALLBACK_W MsgHandler, PVOID Context)
{
    NIRASIM_FAIL_IF_INJECTED("SetupIterateCabinetW", FALSE);
    if (CabinetFile == nullptr || MsgHandler == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::string hostCabinet = MapWindowsPath(CabinetFile);
    if (nirasim::sim::KindOf(hostCabinet) != nirasim::sim::HostKind::File) {
        SetLastError(nirasim::sim::MissingPathError(hostCabinet));
        return FALSE;
    }
    CabinetDecompressor cab;
    if (cab.decompressor == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    cab.cabinet = cab.decompressor->open(cab.decompressor, hostCabinet.c_str());
    if (cab.cabinet == nullptr) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
    }
    const std::u16string source = WideFrom(CabinetFile);
    for (mscabd_file* file = cab.cabinet->files; file != nullptr; file = file->next) {
        std::u16string name = MemberName(*file);
        FILE_IN_CABINET_INFO_W info = InfoOf(*file, name);
        UINT answer = MsgHandler(Context, SPFILENOTIFY_FILEINCABINET, reinterpret_cast<UINT_PTR>(&info),
                                 reinterpret_cast<UINT_PTR>(source.c_str()));
        if (answer == FILEOP_ABORT) {
            SetLastError(info.Win32Error != 0 ? info.Win32Error : ERROR_OPERATION_ABORTED);
            return FALSE;
        }
        if (answer != FILEOP_DOIT) {
            continue;
        }
        info.FullTargetName[MAX_PATH - 1] = 0;
        FILEPATHS_W paths{};
        paths.Target = info.FullTargetName;
        paths.Source = name.c_str();
        paths.Win32Error = ExtractMember(cab, *file, info.FullTargetName);
        if (MsgHandler(Context, SPFILENOTIFY_FILEEXTRACTED, reinterpret_cast<UINT_PTR>(&paths), 0) !=
            NO_ERROR) {
            SetLastError(ERROR_OPERATION_ABORTED);
            return FALSE;
        }
    }
    if (cab.cabinet->nextname != nullptr) {
        AskForNextCabinet(*cab.cabinet, nirasim::sim::ParentOf(nirasim::sim::FullWindowsPath(source)),
                          MsgHandler, Context);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}
