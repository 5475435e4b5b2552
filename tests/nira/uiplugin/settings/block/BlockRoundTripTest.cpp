// A full block set packed and unpacked into fresh settings.
#include "BlockTestOwner.h"

#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "support/FailureSweep.h"

#include <optional>

using namespace blockfixture;

namespace {

// Every setting of the block set with a value of its own; texts and blobs of a few sizes.
Settings FullBlockSet()
{
    Settings s = LetterPage();
    LONG n = 0;
    for (const BlockSettingsRow& row : BlockSettingsTable) {
        ++n;
        switch (row.kind) {
        case 0: s.flags[row.index] = n % 3 != 0; break;
        case 3: s.ints.emplace(row.index, n * 1000 - 7); break;
        case 4: s.floats.emplace(row.index, static_cast<FLOAT>(n) / 8.0f); break;
        case 6: s.intRefs.emplace(row.index, -n); break;
        case 7: s.strings[row.index] = WString(static_cast<size_t>(n % 40), static_cast<WCHAR>('A' + n % 26)); break;
        case 8: s.blobs[row.index] = Bytes(static_cast<size_t>(1 + n * 3), static_cast<BYTE>(n)); break;
        }
    }
    for (LONG index = 10; index <= 1893; ++index) {
        s.ints[index] = index % 97;
    }
    for (LONG index = 1900; index <= 1919; ++index) {
        s.ints.emplace(index, index * 3);
    }
    s.flags[223] = false;  // keep flag 105 as it is
    s.strings[0] = TEXT("Report.exe");
    s.strings[1] = TEXT("C:\\Apps\\Report.exe");
    s.strings[6] = TEXT("alice");
    return s;
}

}  // namespace

class BlockRoundTripTest : public BlockTest {};

TEST_F(BlockRoundTripTest, EveryValueComesBackUnchanged)
{
    const Settings full = FullBlockSet();
    ASSERT_EQ(full.flags.size() + full.ints.size() + full.floats.size() + full.intRefs.size() +
                  full.strings.size() + full.blobs.size(),
              188u + 1884u + 20u - 3u);  // 1910 to 1912 stand in both

    INiraSettingsAccess* from = NewOwner();
    Fill(*from, full);
    Section section;
    CNiraBlockPacker* packer = NewPacker();
    ASSERT_EQ(packer->Attach(from), TRUE);
    ASSERT_EQ(packer->SetTarget(section.Get()), TRUE);
    ASSERT_EQ(packer->UpdateAll(), TRUE);
    EXPECT_LE(Get32(section.Raw(), 888), 5992u);
    EXPECT_TRUE(section.Decode().settings == full) << "the image holds the block set";

    // The header strings of the section name the same process and user.
    const char path[] = "C:\\Apps\\Report.exe";
    std::copy(path, path + sizeof(path), section.Raw().begin() + 104);
    const WString user = TEXT("alice");
    std::copy(reinterpret_cast<const BYTE*>(user.c_str()),
              reinterpret_cast<const BYTE*>(user.c_str() + user.size() + 1), section.Raw().begin() + 364);

    INiraSettingsAccess* to = NewOwner();
    CNiraBlockUnpacker* unpacker = NewUnpacker();
    ASSERT_EQ(unpacker->Attach(to), TRUE);
    ASSERT_EQ(unpacker->SetTarget(section.Get()), TRUE);
    ASSERT_EQ(unpacker->UpdateAll(), TRUE);
    EXPECT_TRUE(Present(*to) == full);
}

// The packer and the unpacker with each of their injectable calls failing in turn: the section,
// or the settings unpacked from it, are those of the unfailed run, or UpdateAll reports failure.
TEST_F(BlockRoundTripTest, FailedCallsAreReportedNeverLost)
{
    const Settings full = FullBlockSet();
    auto pack = [&](CFailureSweep* sweep) -> std::optional<Bytes> {
        INiraSettingsAccess* from = NewOwner();
        Fill(*from, full);
        Section section;
        CNiraBlockPacker* packer = NewPacker();
        if (packer->Attach(from) != TRUE || packer->SetTarget(section.Get()) != TRUE) {
            return std::nullopt;
        }
        const BOOLEAN packed = sweep != nullptr ? sweep->Armed([&] { return packer->UpdateAll(); }) : packer->UpdateAll();
        return packed == TRUE ? std::optional<Bytes>(section.Raw()) : std::nullopt;
    };
    CFailureSweep::Sweep<Bytes>("packer UpdateAll", [&](CFailureSweep& sweep) { return pack(&sweep); });

    const std::optional<Bytes> packed = pack(nullptr);
    ASSERT_TRUE(packed.has_value());
    CFailureSweep::Sweep<Settings>("unpacker UpdateAll", [&](CFailureSweep& sweep) -> std::optional<Settings> {
        Section section;
        section.Raw() = *packed;
        INiraSettingsAccess* to = NewOwner();
        CNiraBlockUnpacker* unpacker = NewUnpacker();
        if (unpacker->Attach(to) != TRUE || unpacker->SetTarget(section.Get()) != TRUE) {
            return std::nullopt;
        }
        if (sweep.Armed([&] { return unpacker->UpdateAll(); }) != TRUE) {
            return std::nullopt;
        }
        return Present(*to);
    });
}
