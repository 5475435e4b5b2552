// The commands handlers send one another (OnCommand), and the values their writes pass.
#pragma once

constexpr int kCommandFormAdded = 12;
constexpr int kCommandFormRemoved = 13;
constexpr int kCommandDuplexUnitPresent = 16;
constexpr int kCommandSetBorderless = 21;
constexpr int kCommandShowBorderless = 22;
constexpr int kCommandSetPrintQuality = 25;
constexpr int kCommandFormsLoaded = 26;
constexpr int kCommandResetPopupChoices = 27;
constexpr int kCommandPictureReset = 28;
constexpr int kCommandSelectAllTiles = 29;
constexpr int kCommandShowPrinterStatus = 30;
constexpr int kCommandToolboxInstalled = 31;
// Asks a feature's owner whether a constraint message may be shown.
constexpr int kCommandConstraintMessageWanted = 32;
constexpr int kCommandApplyAppProfile = 34;
constexpr int kCommandPosterChosen = 35;
constexpr int kCommandSyncMaxDpi = 36;
constexpr int kCommandOfferPosters = 39;

// The reason a handler's own writes give (the handler changed the value, not the user).
constexpr int kReasonByHandler = 2;

// Option states and display states of the settings.
constexpr int kOptionStateAvailable = 2;
constexpr int kOptionStateUnavailable = 3;
constexpr int kDisplayHidden = 1;
constexpr int kDisplayGreyed = 2;
constexpr int kDisplayEnabled = 3;
