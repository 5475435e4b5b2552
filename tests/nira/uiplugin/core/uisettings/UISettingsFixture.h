// A UI settings object with a test double for its owner, and builders of the records the UI core
// hands to it (each from LocalAlloc, as the object frees them with LocalFree).
#pragma once

#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "common/SafeString.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"

class MockSettingsOwner : public INiraUISettingsOwner {
public:
    MOCK_METHOD(int, NotifyFeatureChanged, (int featureId, int changeKind), (override));
    MOCK_METHOD(int, CountChange, (int featureId), (override));
    MOCK_METHOD(int, TrackValueChange, (int featureId, int optionId), (override));
    MOCK_METHOD(int, GetLastChangedFeature, (int* featureId), (override));
    MOCK_METHOD(int, SuppressConflictPopup, (int value), (override));
    MOCK_METHOD(int, GetSheetInitializing, (int* value), (override));
    MOCK_METHOD(int, GetOptionValue, (int featureId, int optionId, int* value), (override));
    MOCK_METHOD(int, FindOptionByValue, (int featureId, int value, int* optionId), (override));
};

inline FeatureRecord* NewFeatureRecord(int id, int defaultOption, int featureState = 3)
{
    FeatureRecord* record = static_cast<FeatureRecord*>(LocalAlloc(LPTR, sizeof(FeatureRecord)));
    record->size = sizeof(FeatureRecord);
    record->version = kFeatureRecordVersion;
    record->featureId = id;
    record->classId = id;
    record->featureState = featureState;
    record->defaultOption = defaultOption;
    // The UI core starts both at the default option before handing the record over.
    record->currentOption = defaultOption;
    record->previousOption = defaultOption;
    record->firstChange = (id >= kFirstSettingsFeature && id <= kLastSettingsFeature) ? 1 : 0;
    return record;
}

inline FeatureUIRecord* NewUIRecord(int id, int displayState = DISPLAY_STATE_ENABLED)
{
    FeatureUIRecord* record = static_cast<FeatureUIRecord*>(LocalAlloc(LPTR, sizeof(FeatureUIRecord)));
    record->size = sizeof(FeatureUIRecord);
    record->version = kFeatureUiRecordVersion;
    record->featureId = id;
    record->defaultDisplayState = displayState;
    record->displayState = displayState;
    return record;
}

inline OptionInfo* NewOption(int featureId, int optionIndex, int state = OPTION_STATE_SELECTABLE,
                             LPCWSTR name = TEXT(""))
{
    OptionInfo* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    info->featureId = featureId;
    info->optionIndex = optionIndex;
    info->state = state;
    info->defaultState = state;
    info->conflictFlag = state == OPTION_STATE_CONFLICT ? 1 : 0;
    CopyStringSafe(info->displayName, kOptionTextLength, name);
    CopyStringSafe(info->optionName, kOptionTextLength, name);
    return info;
}

class UISettingsTest : public ::testing::Test {
protected:
    void SetUp() override { settings.SetOwner(&owner); }

    // A feature with a UI record and options 1..n (option index = option id * 10), all selectable.
    void AddFeature(int id, int defaultOption, std::initializer_list<int> options, bool withUIRecord = true)
    {
        ASSERT_EQ(settings.AddFeature(NewFeatureRecord(id, defaultOption)), 0);
        if (withUIRecord) {
            settings.SetFeatureUIRecord(id, NewUIRecord(id));
        }
        for (int opt : options) {
            ASSERT_EQ(settings.AddOption(id, opt, NewOption(id, opt * 10)), 0);
        }
    }

    FeatureRecord* Record(int id)
    {
        FeatureEntry* entry = nullptr;
        settings.FindFeature(&id, &entry);
        return entry ? entry->record : nullptr;
    }

    FeatureUIRecord* UIRecord(int id)
    {
        FeatureEntry* entry = nullptr;
        settings.FindFeature(&id, &entry);
        return entry ? entry->uiRecord : nullptr;
    }

    OptionInfo Option(int id, int opt)
    {
        OptionInfo info = {};
        EXPECT_EQ(settings.GetOptionInfo(id, opt, &info), 0);
        return info;
    }

    int State(int id, int opt)
    {
        int state = -1;
        settings.GetOptionState(id, opt, &state);
        return state;
    }

    int Current(int id)
    {
        FeatureRecord* record = Record(id);
        return record ? record->currentOption : -1;
    }

    int ChangeMask(int id)
    {
        ChangeRecord change = {};
        return settings.GetChange(id, &change) == 0 ? change.changeMask : 0;
    }

    // The option ids in walk order.
    std::vector<int> Walk(int id)
    {
        std::vector<int> ids;
        for (int i = 0; i < settings.GetOptionCount(id); ++i) {
            int optionIndex = 0, opt = 0, bitmapId = 0, iconId = 0, state = 0;
            if (settings.GetOptionByIndex(i, id, &optionIndex, &opt, nullptr, &bitmapId, &iconId, &state) ==
                0) {
                ids.push_back(opt);
            }
        }
        return ids;
    }

    int Set(int id, int opt, int reason = OPTION_STATE_SELECTABLE, int byUser = 0, int clearUser = 0,
            int notifyAlways = 1, int fromOwner = 1)
    {
        return settings.SetCurrentOption(&id, &opt, reason, byUser, clearUser, notifyAlways, fromOwner);
    }

    int Apply(int id, int opt, int action, int byForce = 1, int limit = 0)
    {
        return settings.ApplyOptionChange(&id, &opt, &action, &byForce, limit);
    }

    ::testing::NiceMock<MockSettingsOwner> owner;
    CNiraUISettings settings;
};
