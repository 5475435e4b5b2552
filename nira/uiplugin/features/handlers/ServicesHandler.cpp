#include "nira/uiplugin/features/handlers/ServicesHandler.h"

#include <memory>
#include <new>

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/RegistryText.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/ToolboxRegistry.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

const WCHAR kRegisteredToolboxKey[] = TEXT("SOFTWARE\\Norvell-Ashby\\ZQ Printers\\niratoolbox.exe");
const WCHAR kExecutableValue[] = TEXT("Executable");
const WCHAR kProgramExtension[] = TEXT(".exe");
constexpr size_t kExtensionChars = 4;
constexpr size_t kPathChars = CNiraServicesHandler::kPathChars;
constexpr int kToolboxFound = 1;
constexpr int kCommandAnswered = 1;

// Reads the value from the key in the given view; false when the key does not open or the value
// does not read.
bool ReadToolboxPath(LPCWSTR keyPath, REGSAM view, WCHAR (&path)[kPathChars])
{
    CNiraRegKey key;
    return RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ | view, &key) == ERROR_SUCCESS &&
           ReadRegistryText(key.Get(), kToolboxPathValue, path, kPathChars);
}

// Where ".exe" begins in the text (without regard to the case of the letters), or null.
LPCWSTR FindExtension(LPCWSTR text)
{
    for (LPCWSTR c = text; *c != 0; ++c) {
        size_t i = 0;
        while (i < kExtensionChars && c[i] != 0 && (c[i] | 0x20) == kProgramExtension[i]) {
            ++i;
        }
        if (i == kExtensionChars) {
            return c;
        }
    }
    return nullptr;
}

bool HasBlank(LPCWSTR begin, LPCWSTR end)
{
    for (LPCWSTR c = begin; c < end; ++c) {
        if (*c == TEXT(' ')) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CNiraServicesHandler::MakeCommandLine(LPCWSTR program, LPCWSTR arguments, LPWSTR line, size_t chars)
{
    if (program == nullptr || line == nullptr || chars == 0) {
        return false;
    }
    line[0] = 0;
    LPCWSTR extension = FindExtension(program);
    // The program ends after its ".exe"; a program named without one gets it.
    size_t programChars = 0;
    GetStringLengthSafe(program, STRSAFE_MAX_CCH, &programChars);
    LPCWSTR programEnd = extension != nullptr ? extension + kExtensionChars : program + programChars;
    bool quote = program[0] != TEXT('"') && HasBlank(program, programEnd);
    HRESULT result = StringCchCopyW(line, chars, quote ? TEXT("\"") : TEXT(""));
    if (SUCCEEDED(result)) {
        result = StringCchCatNW(line, chars, program, static_cast<size_t>(programEnd - program));
    }
    if (SUCCEEDED(result) && extension == nullptr) {
        result = StringCchCatW(line, chars, kProgramExtension);
    }
    if (SUCCEEDED(result) && quote) {
        result = StringCchCatW(line, chars, TEXT("\""));
    }
    if (SUCCEEDED(result)) {
        result = StringCchCatW(line, chars, programEnd);
    }
    if (SUCCEEDED(result) && arguments != nullptr) {
        result = StringCchCatW(line, chars, arguments);
    }
    if (FAILED(result)) {
        line[0] = 0;
        return false;
    }
    return true;
}

bool CNiraServicesHandler::FindToolboxPath(WCHAR (&path)[kPathChars])
{
    path[0] = 0;
    WCHAR* printerName = nullptr;
    if (m_services == nullptr || m_services->GetPrinterName(&printerName) != 0 || printerName == nullptr) {
        LocalFree(printerName);
        return false;
    }
    CNiraPrinterAccess printer(printerName);
    LocalFree(printerName);
    DRIVER_INFO_3W* info = nullptr;
    if (printer.GetHandle() == nullptr ||
        !CNiraPrinterAccess::GetDriverInfo(printer.GetHandle(), nullptr, nullptr, &info)) {
        return false;
    }
    CNiraLocalBuffer<DRIVER_INFO_3W> driver(info);
    WCHAR keyPath[kPathChars] = {};
    if (driver->pName == nullptr ||
        FAILED(StringCchPrintfW(keyPath, kPathChars, TEXT("%s%s"), kToolboxConfigRoot, driver->pName))) {
        return false;
    }
    if (ReadToolboxPath(keyPath, 0, path) || ReadToolboxPath(keyPath, KEY_WOW64_32KEY, path)) {
        return true;
    }
    m_services->SetDisplayState(CLASS_SERVICES, kToolboxWidget, DISPLAY_STATE_HIDDEN);
    m_services->SetDefaultDisplayState(CLASS_SERVICES, kToolboxWidget, DISPLAY_STATE_HIDDEN);
    return false;
}

int CNiraServicesHandler::InitializeStates()
{
    FindToolboxPath(m_toolboxPath);
    return 0;
}

int CNiraServicesHandler::OnCommand(int, int command, int*, int* result)
{
    if (command != kCommandToolboxInstalled) {
        return 0;
    }
    struct PathBuffer {
        WCHAR text[kPathChars];
    };
    std::unique_ptr<PathBuffer> scratch(new (std::nothrow) PathBuffer);
    if (!scratch) {
        if (result != nullptr) {
            *result = 0;
        }
        return 0;
    }
    bool found = FindToolboxPath(scratch->text);
    if (result != nullptr) {
        *result = found ? kToolboxFound : 0;
    }
    return kCommandAnswered;
}

int CNiraServicesHandler::OnWidgetChanged(int)
{
    StartToolbox();
    return 0;
}

bool CNiraServicesHandler::RegisteredToolbox(WCHAR (&line)[kPathChars])
{
    CNiraRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRegisteredToolboxKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    WCHAR executable[kPathChars] = {};
    line[0] = 0;
    if (ReadRegistryText(key.Get(), kExecutableValue, executable, kPathChars)) {
        MakeCommandLine(executable, nullptr, line, kPathChars);
    }
    return true;
}

void CNiraServicesHandler::StartToolbox()
{
    WCHAR line[kPathChars] = {};
    if (RegisteredToolbox(line)) {
        Start(line);
        return;
    }
    WCHAR* printerName = nullptr;
    if (m_services == nullptr || m_services->GetPrinterName(&printerName) != 0 || printerName == nullptr) {
        LocalFree(printerName);
        return;
    }
    WCHAR scratch[kPathChars] = {};
    WCHAR program[kPathChars] = {};
    if (FindToolboxPath(scratch)) {
        bool hasDrive = false;
        for (LPCWSTR c = m_toolboxPath; *c != 0; ++c) {
            hasDrive = hasDrive || *c == TEXT(':');
        }
        if (hasDrive) {
            CopyStringSafe(program, kPathChars, m_toolboxPath);
        } else if (!CNiraPrinterAccess::GetDriverVersionFolder(program, kPathChars) ||
                   FAILED(StringCchCatW(program, kPathChars, kToolboxProgram))) {
            program[0] = 0;
        }
    }
    WCHAR arguments[kPathChars] = {};
    if (program[0] != 0 &&
        SUCCEEDED(StringCchPrintfW(arguments, kPathChars, TEXT(" \"%s\" %s"), printerName, TEXT(""))) &&
        MakeCommandLine(program, arguments, line, kPathChars)) {
        Start(line);
    }
    LocalFree(printerName);
}

void CNiraServicesHandler::Start(LPCWSTR commandLine)
{
    // A toolbox that does not start leaves nothing for the user to do here: nothing is shown.
    if (commandLine[0] != 0) {
        CNiraPrinterAccess::StartProcess(commandLine);
    }
}
