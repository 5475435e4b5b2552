// The packer and the unpacker with each of their injectable calls failing in turn.
#include "BlockTestOwner.h"

#include <nirasim/InjectedFailures.h>

#include <optional>

#include "support/FailureSweep.h"

using namespace blockfixture;

class BlockSweepTest : public BlockTest {};

// The packer and the unpacker with each of their injectable calls failing in turn: the section,
// or the settings unpacked from it, are those of the unfailed run, or UpdateAll reports failure.
TEST_F(BlockSweepTest, FailedCallsAreReportedNeverLost)
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
        const BOOLEAN packed =
            sweep != nullptr ? sweep->Armed([&] { return packer->UpdateAll(); }) : packer->UpdateAll();
        return packed == TRUE ? std::optional<Bytes>(section.Raw()) : std::nullopt;
    };
    CFailureSweep::Sweep<Bytes>("packer UpdateAll", [&](CFailureSweep& sweep) { return pack(&sweep); });

    const std::optional<Bytes> packed = pack(nullptr);
    ASSERT_TRUE(packed.has_value());
    CFailureSweep::Sweep<Settings>(
        "unpacker UpdateAll", [&](CFailureSweep& sweep) -> std::optional<Settings> {
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
