// Feeds arbitrary device IDs, as the language monitor stores them in the printer data, to the
// settings helper module's reader: any length and bytes read whole or refused, and a number found
// only when it fits.
#include "package/nirasettings/DeviceIdFields.h"

#include <nirasim/Machine.h>

#include <stdint.h>
#include <winspool.h>

#include <string>

extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static nirasim::Machine* machine = [] {
        auto* made = new nirasim::Machine();  // stays for the whole run, with its modules
        made->InstallSamplePackage(NIRA_BUILD_DIR);
        made->AddSamplePrinter("Fuzzed");
        return made;
    }();
    static HANDLE printer = [] {
        WCHAR name[] = TEXT("Fuzzed");
        HANDLE opened = nullptr;
        return OpenPrinterW(name, &opened, nullptr) ? opened : nullptr;
    }();
    machine->SetPrinterData("Fuzzed", "ZQSTSSTR", REG_BINARY,
                            std::string(reinterpret_cast<const char*>(data), size));
    LPSTR deviceId = ReadDeviceId(printer);
    if (deviceId == nullptr) {
        return 0;
    }
    for (LPCSTR key : {"CAL", "DU", "PS", "MFG"}) {
        LONG value = 0;
        if (FindDeviceIdNumber(deviceId, key, &value) && value < 0) {
            __builtin_trap();  // a number that does not fit is never answered
        }
    }
    LocalFree(deviceId);
    return 0;
}
