#include "nira/uiplugin/core/uisettings/OptionRowRecord.h"

#include <strsafe.h>

namespace {

void CopyColumn(WCHAR* target, LPCWSTR text)
{
    StringCchCopyW(target, kOptionTextLength, text ? text : TEXT(""));
}

}  // namespace

OptionInfo* NewOptionRowRecord(INT optionIndex, INT featureId, INT reserved, INT bitmapId, INT stringId,
                               LPCWSTR optionName, INT iconId, INT optionState, INT auxId1, INT auxId2,
                               INT auxId3, INT auxId4, INT category, INT group1, INT group2, INT group3,
                               INT group4, INT group5, INT biDiState, LPCWSTR vocabNamespace,
                               LPCWSTR vocabMap, INT sendCommand, INT separator, INT treeViewCategory,
                               INT treeViewSizeId)
{
    auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return nullptr;
    }
    info->optionIndex = optionIndex;
    info->featureId = featureId;
    info->reserved1 = reserved;
    info->bitmapId = bitmapId;
    info->stringId = stringId;
    CopyColumn(info->optionName, optionName);
    info->iconId = iconId;
    info->state = optionState;
    info->defaultState = optionState;
    info->conflictFlag = optionState == OPTION_STATE_CONFLICT ? 1 : 0;
    info->auxId1 = auxId1;
    info->auxId2 = auxId2;
    info->auxId3 = auxId3;
    info->auxId4 = auxId4;
    info->category = category;
    info->group1 = group1;
    info->group2 = group2;
    info->group3 = group3;
    info->group4 = group4;
    info->group5 = group5;
    info->biDiState = biDiState;
    CopyColumn(info->vocabNamespace, vocabNamespace);
    CopyColumn(info->vocabMap, vocabMap);
    info->sendCommand = sendCommand;
    info->separator = separator;
    info->treeViewCategory = treeViewCategory;
    info->treeViewSizeId = treeViewSizeId;
    return info;
}
