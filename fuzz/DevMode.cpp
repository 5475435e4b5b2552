// Feeds whole DEVMODEs to the settings client as a document event meets them: the private section
// is looked for in the driver-private area, loaded when it passes its checks, and the public fields
// are compared with the settings. A section the client loaded and saved again must be found, pass
// its checks and load again.
//
// The first input byte chooses how the rest becomes a DEVMODE:
//   even: the rest is taken as it stands, in a buffer as long as its own dmSize and dmDriverExtra
//         say (the caller's promise), zero-padded or cut;
//   odd:  the next two bytes are how many bytes come before the section in the private area, then
//         the public part (dmSize kept), then the section from offset 28 on with a valid header and
//         agreeing checksums, so that the settings are reached.
#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include <nirasim/Machine.h>

#include <stdint.h>
#include <string.h>
#include <winspool.h>

#include <string>
#include <vector>

namespace {

constexpr size_t kSectionHeaderBytes = 28;
constexpr size_t kLeadBytes = 2;
constexpr WORD kLeadMask = 0x3FF;  // up to 1023 bytes of another driver's area first

// The settings client on a printer of the sample package, made once for the whole run.
CNiraSettingsClient* SampleClient()
{
    static nirasim::Machine* machine = new nirasim::Machine();  // stays for the whole run, with its modules
    static CNiraSettingsClient* client = [] {
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter("Fuzzed");
        const std::u16string folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, LoadLibraryW((folder + TEXT("nirauip.dll")).c_str()));
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT,
                                LoadLibraryW((folder + TEXT("nirasettings.dll")).c_str()));
        WCHAR name[] = TEXT("Fuzzed");
        HANDLE printer = nullptr;
        auto* made = new CNiraSettingsClient();
        if (!OpenPrinterW(name, &printer, nullptr) || made->Initialize(printer) != TRUE) {
            __builtin_trap();  // the run would test nothing
        }
        return made;
    }();
    return client;
}

// The DEVMODE as its own sizes describe it.
std::vector<BYTE> RawDevMode(const uint8_t* data, size_t size)
{
    DEVMODEW head = {};
    memcpy(&head, data, size < sizeof(head) ? size : sizeof(head));
    std::vector<BYTE> bytes(static_cast<size_t>(head.dmSize) + head.dmDriverExtra, 0);
    if (!bytes.empty()) {
        memcpy(bytes.data(), data, size < bytes.size() ? size : bytes.size());
    }
    return bytes;
}

// A public part, a lead of other bytes and a sealed section whose contents come from the input.
std::vector<BYTE> DevModeWithSection(const uint8_t* data, size_t size)
{
    WORD lead = 0;
    if (size >= kLeadBytes) {
        memcpy(&lead, data, kLeadBytes);
        data += kLeadBytes;
        size -= kLeadBytes;
    }
    lead &= kLeadMask;
    const size_t publicPart = sizeof(DEVMODEW);
    std::vector<BYTE> bytes(publicPart + lead + kPrivateDevmodeSize, 0);
    const size_t fromInput = size < publicPart ? size : publicPart;
    memcpy(bytes.data(), data, fromInput);
    auto* devMode = reinterpret_cast<DEVMODEW*>(bytes.data());
    devMode->dmSize = static_cast<WORD>(publicPart);
    devMode->dmDriverExtra = static_cast<WORD>(lead + kPrivateDevmodeSize);
    auto* section = reinterpret_cast<PrivateDevMode*>(bytes.data() + publicPart + lead);
    const size_t room = kPrivateDevmodeSize - kSectionHeaderBytes;
    const size_t rest = size - fromInput;
    memcpy(reinterpret_cast<BYTE*>(section) + kSectionHeaderBytes, data + fromInput,
           rest < room ? rest : room);
    section->size = kPrivateDevmodeSize;
    section->signature = kPrivateDevmodeSignature;
    section->version = kPrivateDevmodeVersion;
    section->sectionGuid = kPrivateDevmodeGuid;
    const DWORD checksum = ComputeBlockChecksum(section);
    section->checksum = checksum;
    section->checksumCopy = checksum;
    return bytes;
}

}  // namespace

extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CNiraSettingsClient* client = SampleClient();
    if (size < 1) {
        return 0;
    }
    std::vector<BYTE> bytes =
        (data[0] & 1) == 0 ? RawDevMode(data + 1, size - 1) : DevModeWithSection(data + 1, size - 1);
    if (bytes.size() < sizeof(DEVMODEW)) {
        return 0;  // no caller hands over less than a whole public part
    }
    auto* devMode = reinterpret_cast<DEVMODEW*>(bytes.data());
    PrivateDevMode* section = nullptr;
    if (!HasValidPrivateDevMode(devMode) || !FindPrivateDevMode(devMode, &section)) {
        return 0;
    }
    if (client->LoadPrivateBlock(section) != TRUE) {
        return 0;
    }
    client->DevModeDiffers(devMode);
    if (client->SavePrivateBlock(section) != TRUE) {
        return 0;
    }
    PrivateDevMode* again = nullptr;
    if (!HasValidPrivateDevMode(devMode) || !FindPrivateDevMode(devMode, &again) || again != section ||
        client->LoadPrivateBlock(again) != TRUE) {
        __builtin_trap();  // saved settings that cannot be read back are lost
    }
    return 0;
}
