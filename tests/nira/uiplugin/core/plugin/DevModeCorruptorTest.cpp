// The corruptor of the DEVMODE stress runs: a seed gives one sequence, every damage keeps the
// buffer as large as its sizes claim, and the resealed damages pass the checksum test.
#include <gtest/gtest.h>

#include <cstddef>
#include <set>

#include "common/PrivateDevMode.h"
#include "support/DevModeCorruptor.h"

namespace {

constexpr size_t kFixedFieldsEnd = offsetof(DEVMODEW, dmDriverExtra) + sizeof(WORD);
constexpr DWORD kPackedBytes = 40;
constexpr int kDamages = 3000;

// A public DEVMODE followed by a sealed section with some packed bytes.
std::vector<BYTE> ValidDevMode()
{
    std::vector<BYTE> bytes(sizeof(DEVMODEW) + kPrivateDevmodeSize, 0);
    auto* devMode = reinterpret_cast<DEVMODEW*>(bytes.data());
    devMode->dmSize = sizeof(DEVMODEW);
    devMode->dmDriverExtra = kPrivateDevmodeSize;
    auto* section = reinterpret_cast<PrivateDevMode*>(bytes.data() + sizeof(DEVMODEW));
    section->size = kPrivateDevmodeSize;
    section->signature = kPrivateDevmodeSignature;
    section->version = kPrivateDevmodeVersion;
    section->sectionGuid = kPrivateDevmodeGuid;
    section->packedLength = kPackedBytes;
    for (DWORD i = 0; i < kPackedBytes; ++i) {
        reinterpret_cast<BYTE*>(&section->payload)[i] = static_cast<BYTE>(i * 7 + 1);
    }
    section->checksum = section->checksumCopy = ComputeBlockChecksum(section);
    return bytes;
}

TEST(DevModeCorruptorTest, ASeedGivesOneSequence)
{
    const std::vector<BYTE> valid = ValidDevMode();
    CDevModeCorruptor first(5);
    CDevModeCorruptor again(5);
    CDevModeCorruptor other(6);
    int differs = 0;
    for (int i = 0; i < 200; ++i) {
        const DamagedDevMode a = first.Damage(valid);
        const DamagedDevMode b = again.Damage(valid);
        ASSERT_EQ(a.bytes, b.bytes) << i;
        ASSERT_EQ(a.detail, b.detail) << i;
        differs += other.Damage(valid).bytes != a.bytes ? 1 : 0;
    }
    EXPECT_GT(differs, 100);
}

TEST(DevModeCorruptorTest, EveryDamageKeepsTheBufferItsSizesClaim)
{
    const std::vector<BYTE> valid = ValidDevMode();
    CDevModeCorruptor corruptor(11);
    std::set<DevModeDamage> seen;
    for (int i = 0; i < kDamages; ++i) {
        const DamagedDevMode damaged = corruptor.Damage(valid);
        SCOPED_TRACE(std::string(DevModeDamageName(damaged.damage)) + ": " + damaged.detail);
        seen.insert(damaged.damage);
        ASSERT_GE(damaged.bytes.size(), kFixedFieldsEnd);
        ASSERT_GE(damaged.bytes.size(), ClaimedDevModeSize(damaged.bytes));
        if (damaged.damage == DevModeDamage::None) {
            EXPECT_EQ(damaged.bytes, valid);
        } else {
            EXPECT_NE(damaged.bytes, valid);
        }
        if (damaged.damage == DevModeDamage::ContentsResealed ||
            damaged.damage == DevModeDamage::SectionResealed) {
            const auto* section =
                reinterpret_cast<const PrivateDevMode*>(damaged.bytes.data() + sizeof(DEVMODEW));
            EXPECT_TRUE(IsBlockChecksumValid(section));
        }
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(DevModeDamage::WildPublicFields) + 1);
}

TEST(DevModeCorruptorTest, ASectionDamageWithoutASectionDamagesTheRest)
{
    std::vector<BYTE> publicOnly(sizeof(DEVMODEW), 0);
    reinterpret_cast<DEVMODEW*>(publicOnly.data())->dmSize = sizeof(DEVMODEW);
    CDevModeCorruptor corruptor(3);
    for (int i = 0; i < 500; ++i) {
        const DamagedDevMode damaged = corruptor.Damage(publicOnly);
        EXPECT_NE(damaged.damage, DevModeDamage::ContentsResealed);
        EXPECT_NE(damaged.damage, DevModeDamage::ForeignSignature);
        ASSERT_GE(damaged.bytes.size(), ClaimedDevModeSize(damaged.bytes));
    }
}

}  // namespace
