// The option record that a capability database's option row gives: the row's columns copied into a
// zero-filled OptionInfo. Its display name is left empty: whoever reads the rows decides where that
// text comes from.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/UISettingsRecords.h"

// The record from the row's columns (a null text gives an empty field, a longer one is cut); null
// when it cannot be allocated. The caller owns it (LocalFree).
OptionInfo* NewOptionRowRecord(INT optionIndex, INT featureId, INT reserved, INT bitmapId, INT stringId,
                               LPCWSTR optionName, INT iconId, INT optionState, INT auxId1, INT auxId2,
                               INT auxId3, INT auxId4, INT category, INT group1, INT group2, INT group3,
                               INT group4, INT group5, INT biDiState, LPCWSTR vocabNamespace,
                               LPCWSTR vocabMap, INT sendCommand, INT separator, INT treeViewCategory,
                               INT treeViewSizeId);
