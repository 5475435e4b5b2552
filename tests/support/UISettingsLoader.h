// Fills a UI settings object from a capability database the way the UI core fills it: every
// feature row with its options right after it, then the display, vocabulary and tree-view rows;
// a linked feature takes its options from its sources as its display row arrives. No string
// library is consulted: an option's display name is its option name, and a tree-view row without
// a string id shows its option name. For the host program, the tests and the benchmarks.
#pragma once

class CNiraCapabilityDB;
class CNiraUISettings;

// False when one of the reader's queries fails; the object then holds what came before it.
bool FillUISettings(CNiraUISettings& settings, CNiraCapabilityDB& reader);
