// Job "corrupt": the DEVMODE stress run. Valid DEVMODEs of the sample printer are damaged by the
// seeded corruptor and handed to every entry that takes one (host/CorruptEntries.h). After each
// call: no user interface, no call past its time limit, every DEVMODE handed out valid, and an
// intact input's packed settings back unchanged. `--count N` DEVMODEs (100 unless given) or
// `--minutes M`, `--seed S` (1 unless given), `--failures` to fail a random injectable call in
// half of the calls. The same seed tries the same DEVMODEs in the same order.
#include "host/CallWatch.h"
#include "host/CorruptEntries.h"
#include "host/HostJob.h"
#include "host/SectionReport.h"

#include <nirasim/InjectedFailures.h>
#include <nirasim/Windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "support/DevModeCorruptor.h"

namespace {

constexpr long kDefaultCount = 100;
constexpr std::chrono::seconds kCallLimit(20);
// A failure is injected at one of the first injectable calls of an entry.
constexpr size_t kLargestFailNumber = 400;
constexpr long kFindingsShown = 40;

struct Options {
    long count = kDefaultCount;
    long minutes = 0;  // 0: run count DEVMODEs
    unsigned long long seed = 1;
    bool failures = false;
};

bool ParseOptions(const std::vector<std::string>& arguments, Options& options)
{
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (name == "--failures") {
            options.failures = true;
        } else if (name == "--count" && hasValue) {
            options.count = std::strtol(arguments[++i].c_str(), nullptr, 10);
        } else if (name == "--minutes" && hasValue) {
            options.minutes = std::strtol(arguments[++i].c_str(), nullptr, 10);
        } else if (name == "--seed" && hasValue) {
            options.seed = std::strtoull(arguments[++i].c_str(), nullptr, 10);
        } else {
            std::fprintf(stderr, "corrupt: [--count N | --minutes M] [--seed S] [--failures]\n");
            return false;
        }
    }
    return options.count > 0 && options.minutes >= 0;
}

struct EntryFigures {
    long calls = 0;
    long succeeded = 0;
    long failuresInjected = 0;
};

// The packed settings of a DEVMODE's valid section, from the packed length to the second
// checksum copy; empty when it has none.
std::vector<BYTE> PackedSettings(const std::vector<BYTE>& devMode)
{
    const size_t claimed = ClaimedDevModeSize(devMode);
    PrivateDevMode* section = nullptr;
    if (claimed == 0 || claimed > devMode.size() ||
        !FindPrivateDevMode(reinterpret_cast<const DEVMODEW*>(devMode.data()), &section) ||
        !IsBlockChecksumValid(section)) {
        return {};
    }
    const BYTE* settings = reinterpret_cast<const BYTE*>(&section->packedLength);
    return std::vector<BYTE>(settings,
                             settings + sizeof(PrivateDevMode) - offsetof(PrivateDevMode, packedLength));
}

class CCorruptRun {
public:
    CCorruptRun(HostMachine& host, CCorruptEntries& entries, const Options& options)
        : m_host(host), m_entries(entries), m_options(options), m_corruptor(options.seed), m_watch(kCallLimit)
    {
        nirasim::SetDialogScript([this](HWND) { ++m_dialogs; });
    }
    ~CCorruptRun() { nirasim::SetDialogScript(nullptr); }

    void TryOne();
    void Report(double seconds) const;
    long Findings() const { return m_findings; }
    long Tried() const { return m_tried; }

private:
    void CallEntry(int entry, const CorruptSeed& seed, const DamagedDevMode& input);
    void Check(int entry, const DamagedDevMode& input, const EntryOutcome& outcome, bool failureInjected,
               const std::string& what);
    void Finding(const std::string& what, const std::string& text);

    HostMachine& m_host;
    CCorruptEntries& m_entries;
    Options m_options;
    CDevModeCorruptor m_corruptor;
    CCallWatch m_watch;
    long m_tried = 0;
    long m_intact = 0;
    long m_findings = 0;
    long m_dialogs = 0;
    EntryFigures m_figures[CCorruptEntries::kEntryCount];
    std::map<std::string, long> m_damages;
};

void CCorruptRun::TryOne()
{
    const CorruptSeed& seed = m_entries.Seeds()[m_corruptor.Pick(m_entries.Seeds().size())];
    const DamagedDevMode input = m_corruptor.Damage(seed.bytes);
    ++m_tried;
    m_intact += input.damage == DevModeDamage::None ? 1 : 0;
    ++m_damages[DevModeDamageName(input.damage)];
    for (int entry = 0; entry < CCorruptEntries::kEntryCount; ++entry) {
        CallEntry(entry, seed, input);
    }
}

void CCorruptRun::CallEntry(int entry, const CorruptSeed& seed, const DamagedDevMode& input)
{
    const bool armed = m_options.failures && m_corruptor.Pick(2) == 0;
    const unsigned long failNumber =
        armed ? static_cast<unsigned long>(1 + m_corruptor.Pick(kLargestFailNumber)) : 0;
    const std::string what = Format("%s, DEVMODE %ld (%s, %s: %s)", CCorruptEntries::Name(entry), m_tried,
                                    seed.name, DevModeDamageName(input.damage), input.detail.c_str());
    m_host.machine().ClearJournals();
    m_dialogs = 0;
    m_watch.Enter(what);
    nirasim::failures::ResetCallCount();
    nirasim::failures::FailCallNumber(failNumber);
    const EntryOutcome outcome = m_entries.Run(entry, input.bytes);
    const std::string failed = nirasim::failures::FailedCall();
    nirasim::failures::FailCallNumber(0);
    m_watch.Leave();
    EntryFigures& figures = m_figures[entry];
    ++figures.calls;
    figures.succeeded += outcome.succeeded ? 1 : 0;
    figures.failuresInjected += failed.empty() ? 0 : 1;
    Check(entry, input, outcome, !failed.empty(), failed.empty() ? what : what + ", " + failed + " failed");
}

void CCorruptRun::Check(int entry, const DamagedDevMode& input, const EntryOutcome& outcome,
                        bool failureInjected, const std::string& what)
{
    if (!m_host.machine().MessageBoxes().empty() || m_dialogs != 0) {
        Finding(what, "showed a message box or dialog");
    }
    for (const std::vector<BYTE>& out : outcome.handedOut) {
        const size_t claimed = ClaimedDevModeSize(out);
        if (claimed == 0 || claimed > out.size()) {
            Finding(what, Format("handed out %zu bytes claiming %zu", out.size(), claimed));
            continue;
        }
        const std::vector<BYTE> settings = PackedSettings(out);
        if (settings.empty()) {
            Finding(what, "handed out a DEVMODE without a valid private section");
        } else if (input.damage == DevModeDamage::None && !failureInjected &&
                   CCorruptEntries::KeepsSettings(entry)) {
            const std::vector<BYTE> expected = PackedSettings(input.bytes);
            if (!expected.empty() && settings != expected) {
                Finding(what, "lost the settings of an intact DEVMODE");
            }
        }
    }
    // The plug-in converts sections only: a DEVMODE without one is not its to take.
    const bool sectionEntry =
        entry == CCorruptEntries::kPluginConvert || entry == CCorruptEntries::kPluginMerge;
    if (input.damage == DevModeDamage::None && !failureInjected && !outcome.succeeded &&
        !(sectionEntry && PackedSettings(input.bytes).empty())) {
        Finding(what, "refused an intact DEVMODE");
    }
}

void CCorruptRun::Finding(const std::string& what, const std::string& text)
{
    if (++m_findings <= kFindingsShown) {
        HostMachine::Print("finding: " + what + ": " + text);
    }
}

void CCorruptRun::Report(double seconds) const
{
    long calls = 0;
    long injected = 0;
    for (const EntryFigures& figures : m_figures) {
        calls += figures.calls;
        injected += figures.failuresInjected;
    }
    HostMachine::Print(
        Format("seed %llu, %ld DEVMODEs tried (%ld intact, from %zu valid ones) in %.1f s: %ld entry "
               "calls, %ld failures injected",
               m_options.seed, m_tried, m_intact, m_entries.Seeds().size(), seconds, calls, injected));
    for (int entry = 0; entry < CCorruptEntries::kEntryCount; ++entry) {
        const EntryFigures& figures = m_figures[entry];
        HostMachine::Print(Format("  %-26s %6ld calls, %6ld succeeded, %6ld refused, %6ld failures injected",
                                  CCorruptEntries::Name(entry), figures.calls, figures.succeeded,
                                  figures.calls - figures.succeeded, figures.failuresInjected));
    }
    std::string damages;
    for (const auto& damage : m_damages) {
        damages += (damages.empty() ? "" : ", ") + damage.first + " " + std::to_string(damage.second);
    }
    HostMachine::Print("  damages: " + damages);
    HostMachine::Print(Format("%ld findings", m_findings));
}

int Run(HostMachine& host, const std::vector<std::string>& arguments)
{
    Options options;
    if (!ParseOptions(arguments, options)) {
        return 2;
    }
    const HRESULT init = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    int result = 1;
    {
        CCorruptEntries entries(host);
        if (entries.Ready()) {
            CCorruptRun run(host, entries, options);
            // Real time: the simulated machine's clock may run ahead of the wall clock.
            const auto started = std::chrono::steady_clock::now();
            const auto limit = started + std::chrono::minutes(options.minutes);
            while (options.minutes > 0 ? std::chrono::steady_clock::now() < limit
                                       : run.Tried() < options.count) {
                run.TryOne();
            }
            run.Report(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
            result = run.Findings() == 0 ? 0 : 1;
        }
    }
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return result;
}

const HostJobRegistration job{
    {"corrupt", "damaged DEVMODEs through every entry that takes one (the stress run)", 95, Run}};

}  // namespace
