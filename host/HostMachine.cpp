#include "host/HostMachine.h"

#include <cstdio>

namespace {

const char16_t* const kSamplePrinter = TEXT("Nira Sample Inkjet");
const char16_t* const kSamplePort = TEXT("USB001");

}  // namespace

HostMachine::HostMachine(const std::string& buildDir) : buildDir_(buildDir), printerName_(kSamplePrinter)
{
    machine_.InstallSamplePackage(buildDir_);
    machine_.AddSamplePrinter(printerName_, kSamplePort);
}

void HostMachine::Print(const std::u16string& text)
{
    Print(nirasim::Utf8(text));
}

void HostMachine::Print(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}
