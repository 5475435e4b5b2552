#include "support/UISettingsLoader.h"

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/core/uisettings/OptionRowRecord.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"

namespace {

struct FillContext {
    CNiraUISettings* settings;
    CNiraCapabilityDB* reader;
};

// A zero-filled OptionInfo from the option row, handed to the object.
LONG AddOptionRow(INT optionIndex, INT featureId, INT optionId, INT reserved, INT bitmapId, INT stringId,
                  LPCWSTR optionName, INT iconId, INT optionState, INT auxId1, INT auxId2, INT auxId3,
                  INT auxId4, INT category, INT group1, INT group2, INT group3, INT group4, INT group5, INT,
                  LPCWSTR, INT biDiState, LPCWSTR vocabNamespace, LPCWSTR vocabMap, INT sendCommand, LPCWSTR,
                  INT, INT, INT, INT separator, INT treeViewCategory, INT treeViewSizeId, LPVOID user)
{
    auto* fill = static_cast<FillContext*>(user);
    OptionInfo* info = NewOptionRowRecord(optionIndex, featureId, reserved, bitmapId, stringId, optionName,
                                          iconId, optionState, auxId1, auxId2, auxId3, auxId4, category,
                                          group1, group2, group3, group4, group5, biDiState, vocabNamespace,
                                          vocabMap, sendCommand, separator, treeViewCategory, treeViewSizeId);
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // The sample's lists show the option's own name.
    if (optionName != nullptr) {
        CopyStringSafe(info->displayName, kOptionTextLength, optionName);
    }
    if (fill->settings->AddOption(featureId, optionId, info) != 0) {
        LocalFree(info);
    }
    return NIRA_STATUS_FAILED;
}

void AddFeature(FillContext& fill, INT featureId, FeatureRecord* feature)
{
    feature->currentOption = feature->defaultOption;
    feature->previousOption = feature->defaultOption;
    fill.settings->AddFeature(feature);
    fill.reader->EnumOptions(&featureId, AddOptionRow, &fill);
}

void SetDisplayRecord(CNiraUISettings& settings, INT featureId, FeatureUIRecord* ui)
{
    const bool linked = ui->softLink == 1 && ui->softLinkFeatureId != 0;
    settings.SetFeatureUIRecord(featureId, ui);
    if (linked) {
        settings.BuildLinkedOptions(featureId, -1);
    }
}

void AddTreeViewRow(CNiraUISettings& settings, INT featureId, TreeViewOptionRecord* row)
{
    if (row->stringId == 0) {
        CopyStringSafe(row->displayName, kTreeviewTextLength, row->optionName);
    }
    if (settings.AddTreeViewOption(featureId, row->optionId, row) != 0) {
        LocalFree(row);
    }
}

// The row callback of the four record kinds; every record goes to the object or is freed.
LONG AddRow(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    auto* fill = static_cast<FillContext*>(user);
    switch (kind) {
    case CAPABILITY_KIND_FEATURE:
        AddFeature(*fill, featureId, static_cast<FeatureRecord*>(record));
        break;
    case CAPABILITY_KIND_FEATURE_UI:
        SetDisplayRecord(*fill->settings, featureId, static_cast<FeatureUIRecord*>(record));
        break;
    case CAPABILITY_KIND_VOCABULARY:
        fill->settings->SetFeatureVocabulary(featureId, static_cast<VocabularyRecord*>(record));
        break;
    case CAPABILITY_KIND_TREEVIEW:
        AddTreeViewRow(*fill->settings, featureId, static_cast<TreeViewOptionRecord*>(record));
        break;
    default:
        LocalFree(record);
        break;
    }
    return 0;
}

}  // namespace

bool FillUISettings(CNiraUISettings& settings, CNiraCapabilityDB& reader)
{
    FillContext fill = {&settings, &reader};
    return reader.GetFeatureSettings(AddRow, &fill, nullptr) == 0 &&
           reader.EnumCategories(AddRow, &fill) == 0 && reader.EnumVocabularies(AddRow, &fill) == 0 &&
           reader.EnumTreeView(AddRow, &fill) == 0;
}
