#include "host/HostMachine.h"

#include <cstdio>

#include "support/WString.h"

namespace {

const WCHAR* const kSamplePrinter = TEXT("Nira Sample Inkjet");
const WCHAR* const kSamplePort = TEXT("USB001");
// Where the add-paper program's installer registers it; the media type offers the program from it.
const WCHAR* const kAddPaperKey = TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper");
const WCHAR* const kAddPaperProgram =
    TEXT("\"C:\\Program Files\\NorvellAshby\\AddNewPaper\\addpaper.exe\" /media");

void RegisterAddPaperProgram()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kAddPaperKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
        WString path(kAddPaperProgram);
        RegSetValueExW(key, TEXT("Path"), 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(WCHAR)));
        RegCloseKey(key);
    }
}

}  // namespace

HostMachine::HostMachine(const std::string& buildDir) : buildDir_(buildDir), printerName_(kSamplePrinter)
{
    machine_.InstallSamplePackage(buildDir_);
    machine_.AddSamplePrinter(printerName_, kSamplePort);
    RegisterAddPaperProgram();
    // As the spooler does after adding a printer.
    machine_.InitializePrinter(printerName_);
}

void HostMachine::Print(const WString& text)
{
    Print(nirasim::Utf8(text));
}

void HostMachine::Print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}
