// A UI core on a printer of the sample package, with handlers made by a recording factory that
// tests can make refuse Attach or answer DeviceCapabilities.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nirasim/Machine.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "support/WString.h"

// What the recording handlers saw, and how they behave.
struct HandlerJournal {
    std::map<int, int> attaches;               // class id -> Attach calls
    std::map<int, std::vector<int>> features;  // class id -> AddFeature ids in call order
    std::set<int> refuseAttach;                // class ids whose Attach fails
    std::map<int, DWORD> capabilityAnswers;    // class id -> DeviceCapabilities result it sets
    int initializeStates = 0;
    std::vector<std::string> constraintActions;  // "feature:data1" of each constraint action
    std::map<int, int> valueDiffers;             // class id -> OnValueDiffers calls
};

inline HandlerJournal* g_journal = nullptr;

class RecordingHandler : public CNiraFeatureHandler {
public:
    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override
    {
        ++g_journal->attaches[handlerId];
        m_classId = handlerId;
        if (g_journal->refuseAttach.count(handlerId) != 0) {
            return NIRA_STATUS_FAILED;
        }
        return CNiraFeatureHandler::Attach(services, handlerId, database);
    }
    int AddFeature(int featureId) override
    {
        g_journal->features[m_classId].push_back(featureId);
        return CNiraFeatureHandler::AddFeature(featureId);
    }
    int InitializeStates() override
    {
        ++g_journal->initializeStates;
        return 0;
    }
    HRESULT DeviceCapabilities(HANDLE, PWSTR, WORD, PVOID, DEVMODEW*, PVOID, DWORD, DWORD* result,
                               int* handled) override
    {
        auto answer = g_journal->capabilityAnswers.find(m_classId);
        *handled = answer != g_journal->capabilityAnswers.end() ? 1 : 0;
        if (*handled == 0) {
            return S_OK;
        }
        *result = answer->second;
        return S_DEVCAP_OUTPUT_FULL_REPLACEMENT;
    }

    int OnValueDiffers() override
    {
        ++g_journal->valueDiffers[m_classId];
        return 0;
    }

    int OnConstraintAction(int featureId, const char* data1, const char*, const char*) override
    {
        g_journal->constraintActions.push_back(std::to_string(featureId) + ":" + (data1 ? data1 : ""));
        return 0;
    }

private:
    int m_classId = 0;
};

inline INiraFeatureHandler* MakeRecordingHandler(int, int* isGeneric)
{
    *isGeneric = 1;
    return new RecordingHandler;
}

class UICoreTest : public ::testing::Test {
protected:
    static constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");

    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
        g_journal = &journal;
        // A test program links the handler library without loading it as a module.
        SetDefaultHandlerFactory(&CreateFeatureHandler);
        core = std::make_unique<CNiraUICore>();
    }
    void TearDown() override
    {
        core.reset();
        ClosePrinter(printer);
        g_journal = nullptr;
    }

    void UseRecordingHandlers() { core->SetHandlerFactory(&MakeRecordingHandler); }

    // The feature ids bound to a handler, ascending.
    std::vector<int> BoundFeatures()
    {
        std::vector<int> ids;
        CNiraIdMap& bindings = core->GetBindings();
        for (int i = 0; i < bindings.GetCount(); ++i) {
            NiraIdEntry* entry = bindings.GetEntryAt(i);
            auto* binding = static_cast<FeatureBinding*>(entry->value);
            if (binding != nullptr && binding->handler != nullptr) {
                ids.push_back(entry->key);
            }
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }

    std::vector<WString> Traces()
    {
        std::vector<WString> lines;
        for (const WString& line : machine.DebugOutput()) {
            lines.emplace_back(line.begin(), line.end());
        }
        return lines;
    }

    nirasim::Machine machine;
    HANDLE printer = nullptr;
    HandlerJournal journal;
    std::unique_ptr<CNiraUICore> core;
};
