// Runs one entry of the system with each of its injectable calls failing in turn: once to count
// the calls, then once per call with that call failing. A run answers the entry's outcome (what
// a caller could see afterwards) or nothing when the entry reported the failure; an outcome that
// differs from the unfailed run's is a failure reported as success. No run may leave a COM object
// of the machine alive; leaks show at the program's end (LeakSanitizer).
//
// The run makes everything it uses afresh and calls CFailureSweep::Armed around the entry alone,
// so that what it does before and after (set-up, reading the outcome) never fails. An entry that
// a caller calls again and again on one object (a bound provider) may instead run on an object
// the runs share, as the caller keeps it: `restart` makes that object afresh. A run whose outcome
// differs is then repeated on a fresh object, to tell a failure reported as success from a state
// an earlier failed run left behind; both are faults.
#pragma once

#include <gtest/gtest.h>

#include <nirasim/Com.h>
#include <nirasim/InjectedFailures.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

class CFailureSweep {
public:
    // The entry, with the numbered call armed to fail and the calls counted.
    template <typename Entry>
    auto Armed(Entry entry) -> decltype(entry())
    {
        nirasim::failures::ResetCallCount();
        nirasim::failures::FailCallNumber(m_failNumber);
        struct Disarm {
            CFailureSweep& sweep;
            ~Disarm()
            {
                sweep.m_calls += nirasim::failures::CallCount();
                sweep.m_failed = nirasim::failures::FailedCall();
                nirasim::failures::FailCallNumber(0);
            }
        } disarm{*this};
        return entry();
    }

    // Sweeps `run` and answers the number of injected failures (the entry's injectable calls).
    template <typename Outcome>
    static unsigned long Sweep(const char* entryName,
                               const std::function<std::optional<Outcome>(CFailureSweep&)>& run,
                               const std::function<void()>& restart = nullptr)
    {
        CFailureSweep sweep;
        run(sweep);  // a first run fills what the process (and a shared object) caches once
        sweep.m_calls = 0;
        const LONG liveBefore = nirasim::com::LiveObjectCount();
        const std::optional<Outcome> expected = run(sweep);
        const unsigned long calls = sweep.m_calls;
        EXPECT_TRUE(expected.has_value()) << entryName << " fails without an injected failure";
        EXPECT_GT(calls, 0u) << entryName << " makes no injectable call";
        for (unsigned long number = 1; number <= calls && expected; ++number) {
            sweep.m_failNumber = number;
            std::optional<Outcome> outcome = run(sweep);
            std::string failed = sweep.m_failed;
            if (restart && outcome && !(*outcome == *expected)) {
                restart();
                outcome = run(sweep);
                EXPECT_TRUE(!outcome || !(*outcome == *expected))
                    << entryName << " gives another result after an earlier run failed (seen when call "
                    << number << " (" << failed << ") fails)";
                failed = sweep.m_failed;
            }
            EXPECT_FALSE(failed.empty())
                << entryName << ": call " << number << " of " << calls << " never came";
            if (outcome) {
                EXPECT_TRUE(*outcome == *expected)
                    << entryName << " reports success with another result when call " << number << " ("
                    << failed << ") fails";
            }
            EXPECT_EQ(nirasim::com::LiveObjectCount(), liveBefore)
                << entryName << " leaves a COM object alive when call " << number << " (" << failed
                << ") fails";
        }
        std::printf("[ sweep    ] %s: %lu injected failures\n", entryName, calls);
        ::testing::Test::RecordProperty(entryName, static_cast<int>(calls));
        return calls;
    }

private:
    unsigned long m_failNumber = 0;
    unsigned long m_calls = 0;
    std::string m_failed;
};
