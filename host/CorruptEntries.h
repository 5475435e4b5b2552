// The entries of the driver that take a DEVMODE, as the stress run calls them on the simulated
// machine, and the valid DEVMODEs it starts from.
#pragma once

#include <windows.h>

#include <nirasim/CoreDriver.h>
#include <nirasim/PrintJobs.h>

#include <string>
#include <vector>

#include "host/HostMachine.h"

struct CorruptSeed {
    const char* name;
    std::vector<BYTE> bytes;
};

// What an entry answered and the DEVMODEs it handed out.
struct EntryOutcome {
    bool succeeded = false;
    std::vector<std::vector<BYTE>> handedOut;
};

class CCorruptEntries {
public:
    enum Entry {
        kDocumentProperties,
        kPluginConvert,
        kPluginMerge,
        kDocumentEvents,
        kPrintTicketBothWays,
        kProcessorJob,
        kEntryCount
    };

    explicit CCorruptEntries(HostMachine& host);
    ~CCorruptEntries();
    CCorruptEntries(const CCorruptEntries&) = delete;
    CCorruptEntries& operator=(const CCorruptEntries&) = delete;

    // False (with the reason printed) when the printer, its core driver, the PrintTicket provider or
    // the print processor cannot be had, or a valid DEVMODE cannot be made.
    bool Ready() const { return m_ready; }
    const std::vector<CorruptSeed>& Seeds() const { return m_seeds; }
    static const char* Name(int entry);
    // Whether a valid input's packed settings must come back unchanged in what the entry hands out:
    // a PrintTicket carries the settings it has features for, and the document events record the
    // job's program and user in the settings.
    static bool KeepsSettings(int entry) { return entry != kPrintTicketBothWays && entry != kDocumentEvents; }

    EntryOutcome Run(int entry, const std::vector<BYTE>& devMode);

private:
    bool Prepare();
    bool MakeSeeds();
    EntryOutcome MergeThroughDocumentProperties(const std::vector<BYTE>& devMode);
    EntryOutcome Convert(DWORD mode, const std::vector<BYTE>& devMode);
    EntryOutcome DocumentEvents(const std::vector<BYTE>& devMode);
    EntryOutcome PrintTicketBothWays(const std::vector<BYTE>& devMode);
    EntryOutcome ProcessorJob(const std::vector<BYTE>& devMode);

    HostMachine& m_host;
    WString m_printerName;
    HANDLE m_printer = nullptr;
    LONG m_devModeSize = 0;
    nirasim::CoreDriver m_core;
    nirasim::PrintProcessorHost m_processor;
    std::vector<CorruptSeed> m_seeds;
    bool m_ready = false;
};
