// Settings objects for the packer and unpacker tests: the providers under test and an owner (a
// settings manager attached to itself), all made through the library's own factory, plus a pull
// provider double and helpers that move fixture settings in and out of an owner.
#pragma once

#include "BlockFixture.h"
#include "SettingsLibrary.h"

#include "nira/uiplugin/settings/block/BlockPacker.h"
#include "nira/uiplugin/settings/block/BlockUnpacker.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

namespace blockfixture {

// A pull provider that handles chosen 32-bit integers and flags and supplies their values.
class SupplyingProvider : public INiraSettingsProvider {
public:
    std::map<std::pair<LONG, LONG>, LONG> values;  // (kind, index) -> value
    INiraSettingsAccess* owner = nullptr;

    BOOLEAN Attach(INiraSettingsAccess* newOwner) override;
    void Release() override { delete this; }
    INT_PTR Reserved1() override { return 0; }
    void Reserved2(ULONG_PTR) override {}
    BOOLEAN UpdateAll() override { return TRUE; }
    BOOLEAN SyncFlag(LONG index) override { return Sync(0, index); }
    BOOLEAN SyncByte(LONG) override { return FALSE; }
    BOOLEAN SyncWord(LONG) override { return FALSE; }
    BOOLEAN SyncInt(LONG index) override { return Sync(3, index); }
    BOOLEAN SyncFloat(LONG) override { return FALSE; }
    BOOLEAN SyncDouble(LONG) override { return FALSE; }
    BOOLEAN SyncIntRef(LONG) override { return FALSE; }
    BOOLEAN SyncString(LONG) override { return FALSE; }
    BOOLEAN SyncBlob(LONG) override { return FALSE; }
    BOOLEAN HandlesFlag(LONG index) override { return values.count({0, index}) ? TRUE : FALSE; }
    BOOLEAN HandlesByte(LONG) override { return FALSE; }
    BOOLEAN HandlesWord(LONG) override { return FALSE; }
    BOOLEAN HandlesInt(LONG index) override { return values.count({3, index}) ? TRUE : FALSE; }
    BOOLEAN HandlesFloat(LONG) override { return FALSE; }
    BOOLEAN HandlesDouble(LONG) override { return FALSE; }
    BOOLEAN HandlesIntRef(LONG) override { return FALSE; }
    BOOLEAN HandlesString(LONG) override { return FALSE; }
    BOOLEAN HandlesBlob(LONG) override { return FALSE; }
    INiraSettingsMask* GetHandledMask() override { return nullptr; }

private:
    BOOLEAN Sync(LONG kind, LONG index);
};

// Owner and providers of one test; everything is released at the end.
class BlockTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A fresh owner; with a provider, the provider is its only pull provider (taken over).
    INiraSettingsAccess* NewOwner(SupplyingProvider* provider = nullptr);
    CNiraBlockPacker* NewPacker();
    CNiraBlockUnpacker* NewUnpacker();

private:
    std::unique_ptr<CSettingsLibrary> m_library;
    std::vector<INiraSettingsAccess*> m_owners;
    std::vector<INiraSettingsProvider*> m_providers;
};

// Sets every entry of the fixture settings into the owner (no notice).
void Fill(INiraSettingsAccess& owner, const Settings& settings);
// Every entry present in the owner, read without asking providers.
Settings Present(INiraSettingsAccess& owner);

// The block set: the table rows and both ranges of 32-bit integers.
bool InBlockSet(LONG kind, LONG index);

// A portrait letter page at 600 dpi: orientation, paper, margins and resolutions.
Settings LetterPage();

// Every setting of the block set with a value of its own; texts and blobs of a few sizes.
Settings FullBlockSet();

}  // namespace blockfixture
