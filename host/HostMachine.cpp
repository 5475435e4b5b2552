#include "host/HostMachine.h"

#include <cstdio>

#include "support/WString.h"

namespace {

const WCHAR* const kSamplePrinter = TEXT("Nira Sample Inkjet");
const WCHAR* const kSamplePort = TEXT("USB001");

}  // namespace

HostMachine::HostMachine(const std::string& buildDir) : buildDir_(buildDir), printerName_(kSamplePrinter)
{
    machine_.InstallSamplePackage(buildDir_);
    machine_.AddSamplePrinter(printerName_, kSamplePort);
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
