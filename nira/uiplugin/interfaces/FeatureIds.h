// The feature ids that several parts of nirauip name, and the ranges they fall in.
#pragma once

// The settings features: the ids the UI settings object accepts as settings, the ones the
// capability reader marks as changed first, and the range the private DEVMODE section packs
// unless the pseudo-features below say otherwise.
constexpr int kFirstSettingsFeature = 4113;
constexpr int kLastSettingsFeature = 4312;

// The pseudo-features whose current options are the first and the last packed feature id.
constexpr int kFeatureFirstPacked = 5998;
constexpr int kFeatureLastPacked = 5999;

// The user-interface elements (containers, windows, controls) listed like features lie between
// these two, exclusive.
constexpr int kFirstUIFeature = 6000;
constexpr int kUIFeatureLimit = 8000;

// Where the settings keep 32-bit integers for the plug-in: the option of feature f of the packed
// range first..last at kSettingsIndexBase + (f - first), never beyond kLastFeatureValueIndex, and
// the public DEVMODE values from kFirstPublicValueIndex to kLastPublicValueIndex. The private
// DEVMODE section carries both ranges.
constexpr int kSettingsIndexBase = 10;
constexpr int kLastFeatureValueIndex = 1893;
constexpr int kFirstPublicValueIndex = 1900;
constexpr int kLastPublicValueIndex = 1919;

// Features that more than one part of the plug-in treats in its own way.
constexpr int kFeaturePaperSize = 4114;
constexpr int kFeaturePrintQuality = 4115;
constexpr int kFeatureMediaType = 4116;
constexpr int kFeatureInputBin = 4117;
constexpr int kFeatureOrientation = 4118;
constexpr int kFeatureResolution = 4123;
constexpr int kFeatureDuplex = 4125;
constexpr int kFeatureIcmIntent = 4139;
constexpr int kFeatureIcmMethod = 4141;
