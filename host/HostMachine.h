// The simulated machine the host program's jobs run on: the sample driver package installed and
// one printer made with it.
#pragma once

#include <windows.h>

#include <nirasim/Machine.h>

#include <string>
#include "support/WString.h"

class HostMachine {
public:
    explicit HostMachine(const std::string& buildDir);

    nirasim::Machine& machine() { return machine_; }
    const WString& printerName() const { return printerName_; }
    const std::string& buildDir() const { return buildDir_; }

    // Writes a line of UTF-16 text to standard output as UTF-8.
    static void Print(const WString& text);
    static void Print(const std::string& text);

private:
    nirasim::Machine machine_;
    std::string buildDir_;
    WString printerName_;
};
