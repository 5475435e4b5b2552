// Feeds arbitrary answers of a network printer to the device-information updater: each listed
// object id is answered with a fuzzed type and bytes, or not at all, and the update stores what it
// takes. An update that reports success has stored only values that read back whole: texts
// terminated, and the duplex path readable.
//
// The input is read object id by object id, in list order: a byte that is 0xFF for no answer,
// else the answer's type, then two bytes of its length (little-endian, cut to what is left) and
// its bytes.
#include "nira/uiplugin/foundation/deviceinfo/DeviceInfoUpdater.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include <nirasim/Machine.h>
#include <nirasim/NetworkDevice.h>

#include <stdint.h>
#include <string.h>
#include <winspool.h>

#include <string>
#include <utility>

namespace {

constexpr WCHAR kPrinter[] = TEXT("Fuzzed Network");
constexpr WCHAR kPort[] = TEXT("IP_10.9.0.1");
constexpr WCHAR kDeviceKey[] = TEXT("SOFTWARE\\NiraSim\\NetworkDevices\\IP_10.9.0.1");
constexpr WCHAR kAnswersRoot[] = TEXT("Software\\Norvell-Ashby");
constexpr uint8_t kNoAnswer = 0xFF;
constexpr size_t kLengthBytes = 2;

// Every kind of value the updater treats apart, the memory size also without its instance.
const std::pair<const WCHAR*, const WCHAR*> kObjectIds[] = {
    {TEXT("Text"), TEXT("1.3.6.1.4.1.99.3.1")},
    {TEXT("Number"), TEXT("1.3.6.1.4.1.99.3.2")},
    {TEXT("MEDIA-NAMES-AVAILABLE"), TEXT("1.3.6.1.4.1.99.3.3")},
    {TEXT("prtMediaPathType2"), TEXT("1.3.6.1.4.1.99.3.4")},
    {TEXT("hrMemorySize"), TEXT("1.3.6.1.2.1.25.2.2.0")},
    {TEXT("MODEL_NAME"), TEXT("1.3.6.1.4.1.99.3.5")},
};
constexpr WCHAR kMemorySizeRetryOid[] = TEXT("1.3.6.1.2.1.25.2.2");

LPWSTR Duplicate(LPCWSTR text)
{
    const size_t bytes = (lstrlenW(text) + 1) * sizeof(WCHAR);
    auto* copy = static_cast<LPWSTR>(LocalAlloc(LPTR, bytes));
    if (copy != nullptr) {
        memcpy(copy, text, bytes);
    }
    return copy;
}

class FuzzedUpdater : public CNiraDeviceInfoUpdater {
public:
    using CNiraDeviceInfoUpdater::CNiraDeviceInfoUpdater;

protected:
    PmlOidEntry* ReadObjectIds() override
    {
        PmlOidEntry* head = nullptr;
        PmlOidEntry** tail = &head;
        for (const auto& entry : kObjectIds) {
            auto* node = static_cast<PmlOidEntry*>(LocalAlloc(LPTR, sizeof(PmlOidEntry)));
            if (node == nullptr) {
                __builtin_trap();  // the harness ran out of memory
            }
            node->name = Duplicate(entry.first);
            node->oid = Duplicate(entry.second);
            *tail = node;
            tail = &node->next;
        }
        return head;
    }
};

// The sample package with a printer on the device's port; the device servers are kept loaded so
// that their coverage counters stay readable while the updater registers and frees them.
HANDLE SamplePrinter()
{
    static nirasim::Machine* machine = new nirasim::Machine();  // stays for the whole run
    static HANDLE printer = [] {
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter, kPort);
        WCHAR system[MAX_PATH] = {};
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        for (const WCHAR* server : {TEXT("nirastatusps.dll"), TEXT("nirastatus.dll"), TEXT("niramgmt.dll"),
                                    TEXT("niraqueryps.dll"), TEXT("niraquery.dll")}) {
            for (const std::u16string& folder :
                 {std::u16string(system, length), nirasim::Machine::DriverVersionDirectory()}) {
                LoadLibraryW((folder + TEXT("\\") + server).c_str());
            }
        }
        WCHAR name[ARRAYSIZE(kPrinter)];
        memcpy(name, kPrinter, sizeof(kPrinter));
        HANDLE opened = nullptr;
        if (!OpenPrinterW(name, &opened, nullptr)) {
            __builtin_trap();  // the run would test nothing
        }
        return opened;
    }();
    return printer;
}

// The device afresh (without the journal of earlier requests), answering as the input says.
void SetAnswers(const uint8_t* data, size_t size)
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kDeviceKey);
    nirasim::network::AddDevice(kPort);
    size_t at = 0;
    auto answer = [&](const WCHAR* objectId) {
        if (at >= size || data[at] == kNoAnswer) {
            ++at;
            return;
        }
        const BYTE type = data[at++];
        size_t length = 0;
        for (size_t i = 0; i < kLengthBytes && at < size; ++i) {
            length |= static_cast<size_t>(data[at++]) << (8 * i);
        }
        length = length < size - at ? length : size - at;
        nirasim::network::SetAnswer(kPort, objectId, type,
                                    std::string(reinterpret_cast<const char*>(data + at), length));
        at += length;
    };
    for (const auto& entry : kObjectIds) {
        answer(entry.second);
    }
    answer(kMemorySizeRetryOid);
}

// Every stored text ends with its terminator.
void CheckStoredTexts()
{
    HKEY root = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kAnswersRoot, 0, KEY_READ, &root) != ERROR_SUCCESS) {
        __builtin_trap();  // a successful update stored nothing
    }
    WCHAR guid[MAX_PATH] = {};
    DWORD guidChars = MAX_PATH;
    HKEY answers = nullptr;
    if (RegEnumKeyExW(root, 0, guid, &guidChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
        RegOpenKeyExW(root, (std::u16string(guid) + TEXT("\\ZQBIDIInfo")).c_str(), 0, KEY_READ, &answers) !=
            ERROR_SUCCESS) {
        __builtin_trap();
    }
    for (const auto& entry : kObjectIds) {
        static BYTE bytes[0x10000 + sizeof(WCHAR)];
        DWORD type = 0;
        DWORD length = sizeof(bytes);
        if (RegQueryValueExW(answers, entry.first, nullptr, &type, bytes, &length) != ERROR_SUCCESS) {
            continue;
        }
        if ((type == REG_SZ || type == REG_EXPAND_SZ) &&
            (length < sizeof(WCHAR) || length % sizeof(WCHAR) != 0 ||
             reinterpret_cast<const WCHAR*>(bytes)[length / sizeof(WCHAR) - 1] != 0)) {
            __builtin_trap();  // a text that cannot be read back whole
        }
    }
    RegCloseKey(answers);
    RegCloseKey(root);
}

}  // namespace

extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    HANDLE printer = SamplePrinter();
    SetAnswers(data, size);
    RegDeleteTreeW(HKEY_CURRENT_USER, kAnswersRoot);
    CNiraPrinterAccess access(printer);
    FuzzedUpdater updater(printer, &access);
    if (!updater.Open()) {
        __builtin_trap();
    }
    if (!updater.Update(0)) {
        return 0;
    }
    CheckStoredTexts();
    int installed = -1;
    if (!updater.GetDuplexUnit(&installed) || (installed != 0 && installed != 1)) {
        __builtin_trap();  // the stored duplex path is unreadable
    }
    return 0;
}
