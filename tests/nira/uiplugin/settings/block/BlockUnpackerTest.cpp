// The unpacker: sections built byte by byte here, read into a fresh owner.
#include "BlockTestOwner.h"

#include <functional>
#include <string.h>

using namespace blockfixture;

namespace {

const char kHostPath[] = "C:\\Apps\\Report.exe";

// A section whose header names the process and the user, so that strings 0, 1 and 6 are known.
Section SectionWith(const Bytes& image)
{
    Section section;
    memcpy(section.Raw().data() + 104, kHostPath, sizeof(kHostPath));
    const WString user = TEXT("alice");
    memcpy(section.Raw().data() + 364, user.c_str(), (user.size() + 1) * sizeof(WCHAR));
    section.PutImage(image);
    return section;
}

// What the unpacker sets besides the image: the host strings and the user named above.
Settings WithHeaderStrings(Settings settings)
{
    settings.strings[0] = TEXT("Report.exe");
    settings.strings[1] = TEXT("C:\\Apps\\Report.exe");
    settings.strings[6] = TEXT("alice");
    return settings;
}

Settings OneOfEachKind()
{
    Settings s;
    s.flags[5] = true;
    s.flags[22] = false;
    s.ints[2048] = -7;
    s.ints[1905] = 9;
    s.floats[10] = 8.5f;
    s.intRefs[5] = 2;
    s.strings[70] = TEXT("Stored job");
    s.strings[71] = TEXT("");
    s.blobs[10] = {1, 2, 3};
    return s;
}

class BlockUnpackerTest : public BlockTest {
protected:
    // Unpacks the section into a fresh owner; answers SetTarget's result.
    bool Unpack(Section& section)
    {
        owner = NewOwner();
        unpacker = NewUnpacker();
        EXPECT_EQ(unpacker->Attach(owner), TRUE);
        const bool accepted = unpacker->SetTarget(section.Get()) == TRUE;
        EXPECT_EQ(unpacker->UpdateAll(), TRUE);
        return accepted;
    }

    INiraSettingsAccess* owner = nullptr;
    CNiraBlockUnpacker* unpacker = nullptr;
};

}  // namespace

TEST_F(BlockUnpackerTest, DefaultSectionIsRefusedAndSetsNothing)
{
    Section section;
    ASSERT_TRUE(IsBlockChecksumValid(section.Get()));
    EXPECT_FALSE(Unpack(section));
    EXPECT_TRUE(Present(*owner).Empty());
}

TEST_F(BlockUnpackerTest, ImageWithNothingPresentSetsOnlyTheHeaderStrings)
{
    Section section = SectionWith(EncodeImage({}));
    ASSERT_TRUE(Unpack(section));
    EXPECT_TRUE(Present(*owner) == WithHeaderStrings({}));
}

TEST_F(BlockUnpackerTest, OneValueOfEachKind)
{
    Section section = SectionWith(EncodeImage(OneOfEachKind()));
    ASSERT_TRUE(Unpack(section));
    EXPECT_TRUE(Present(*owner) == WithHeaderStrings(OneOfEachKind()));
}

TEST_F(BlockUnpackerTest, EntriesOutsideTheBlockSetAreNeverSet)
{
    Settings carried;
    carried.flags[19] = true;  // between rows of the table
    carried.ints[1895] = 4;    // between the two ranges
    carried.ints[1] = 4;
    carried.intRefs[7] = 4;
    carried.ints[1893] = 11;  // the ends of both ranges are in
    carried.ints[1919] = 12;
    Section section = SectionWith(EncodeImage(carried));
    ASSERT_TRUE(Unpack(section));
    Settings expected;
    expected.ints[1893] = 11;
    expected.ints[1919] = 12;
    EXPECT_TRUE(Present(*owner) == WithHeaderStrings(expected));
}

TEST_F(BlockUnpackerTest, SettingsTheBlockDoesNotCarryKeepTheOwnersValues)
{
    Section section = SectionWith(EncodeImage(OneOfEachKind()));
    owner = NewOwner();
    Settings earlier;
    earlier.ints[100] = 77;
    earlier.flags[5] = false;
    Fill(*owner, earlier);
    unpacker = NewUnpacker();
    ASSERT_EQ(unpacker->Attach(owner), TRUE);
    ASSERT_EQ(unpacker->SetTarget(section.Get()), TRUE);
    ASSERT_EQ(unpacker->UpdateAll(), TRUE);
    Settings expected = WithHeaderStrings(OneOfEachKind());
    expected.ints[100] = 77;
    EXPECT_TRUE(Present(*owner) == expected);
}

TEST_F(BlockUnpackerTest, FlagsWithAnotherHeaderCountAreSkippedAlone)
{
    Bytes image = EncodeImage(OneOfEachKind());
    Put32(image, 4, 337);  // the header's count of kind 0; its presence length stays 43
    Section section = SectionWith(image);
    ASSERT_TRUE(Unpack(section));
    Settings expected = WithHeaderStrings(OneOfEachKind());
    expected.flags.clear();
    EXPECT_TRUE(Present(*owner) == expected);
}

TEST_F(BlockUnpackerTest, StringWhoseLengthDisagreesIsSkippedAlone)
{
    Bytes image = EncodeImage(OneOfEachKind());
    const DecodedImage decoded = DecodeImage(image);
    const size_t firstText = DataOffset(decoded.arrays[7].valueOffset);
    Put32(image, firstText, Get32(image, firstText) - 2);
    Section section = SectionWith(image);
    ASSERT_TRUE(Unpack(section));
    Settings expected = WithHeaderStrings(OneOfEachKind());
    expected.strings.erase(70);
    EXPECT_TRUE(Present(*owner) == expected);
}

TEST_F(BlockUnpackerTest, HostStringsComeFromTheSectionOrTheCurrentProcess)
{
    WCHAR processPath[MAX_PATH + 1] = {};
    ASSERT_NE(GetModuleFileNameW(nullptr, processPath, MAX_PATH), 0u);
    const WString path = processPath;
    const WString name = path.substr(path.find_last_of(TEXT("\\/")) + 1);
    WCHAR currentUser[261] = {};
    DWORD size = 260;
    ASSERT_TRUE(GetUserNameW(currentUser, &size));

    Section unnamed;
    unnamed.PutImage(EncodeImage({}));
    ASSERT_TRUE(Unpack(unnamed));
    Settings strings = Present(*owner);
    EXPECT_EQ(strings.strings[0], name);
    EXPECT_EQ(strings.strings[1], path);
    EXPECT_EQ(strings.strings[6], WString(currentUser));

    // A user name of 260 characters without a terminator is not taken.
    Section unterminated = SectionWith(EncodeImage({}));
    for (size_t i = 0; i < 260; ++i) {
        unterminated.Raw()[364 + 2 * i] = 'x';
    }
    ASSERT_TRUE(Unpack(unterminated));
    strings = Present(*owner);
    EXPECT_EQ(strings.strings[0], WString(TEXT("Report.exe")));
    EXPECT_EQ(strings.strings[6], WString(currentUser));

    // A process path that fills its 260 bytes without a terminator is not taken either.
    Section longPath = SectionWith(EncodeImage({}));
    memset(longPath.Raw().data() + 104, 'p', 260);
    ASSERT_TRUE(Unpack(longPath));
    EXPECT_EQ(Present(*owner).strings[1], path);
}

TEST_F(BlockUnpackerTest, UpdateWithoutABlockSetsNothing)
{
    owner = NewOwner();
    unpacker = NewUnpacker();
    ASSERT_EQ(unpacker->Attach(owner), TRUE);
    EXPECT_EQ(unpacker->UpdateAll(), TRUE);
    EXPECT_EQ(unpacker->SyncInt(100), FALSE);
    EXPECT_TRUE(Present(*owner).Empty());
}

TEST_F(BlockUnpackerTest, HandlesExactlyTheBlockSet)
{
    unpacker = NewUnpacker();
    EXPECT_EQ(unpacker->GetHandledMask(), nullptr);
    owner = NewOwner();
    ASSERT_EQ(unpacker->Attach(owner), TRUE);
    for (LONG index : {10, 1893, 1900, 1919, 1920, 1921, 1950}) {
        EXPECT_EQ(unpacker->HandlesInt(index), TRUE) << index;
    }
    for (LONG index : {9, 1894, 1899, 1922, 2051, 2052, -1}) {
        EXPECT_EQ(unpacker->HandlesInt(index), FALSE) << index;
    }
    EXPECT_EQ(unpacker->HandlesFlag(19), FALSE);
    EXPECT_EQ(unpacker->HandlesFlag(20), TRUE);
    EXPECT_EQ(unpacker->HandlesByte(0), FALSE);
    EXPECT_EQ(unpacker->HandlesWord(0), FALSE);
    EXPECT_EQ(unpacker->HandlesDouble(0), FALSE);
    EXPECT_NE(unpacker->GetHandledMask(), nullptr);
    EXPECT_EQ(unpacker->Attach(nullptr), FALSE);
}

TEST(BlockSettingsTableTest, HoldsTheRowsOfEachKindOnce)
{
    DWORD perKind[9] = {};
    for (int i = 0; i < kBlockSettingsRows; ++i) {
        ++perKind[BlockSettingsTable[i].kind];
        for (int j = 0; j < i; ++j) {
            EXPECT_FALSE(BlockSettingsTable[j].kind == BlockSettingsTable[i].kind &&
                         BlockSettingsTable[j].index == BlockSettingsTable[i].index)
                << i;
        }
    }
    const DWORD expected[9] = {81, 0, 0, 36, 13, 0, 42, 10, 6};
    for (int kind = 0; kind < 9; ++kind) {
        EXPECT_EQ(perKind[kind], expected[kind]) << kind;
    }
}

// Damaged sections: each is refused as a whole, and a refused block leaves nothing readable,
// not even the block that was set before it.
TEST_F(BlockUnpackerTest, DamagedSectionsAreRefusedWithoutACrash)
{
    const Bytes image = EncodeImage(OneOfEachKind());
    const DecodedImage decoded = DecodeImage(image);
    const DWORD d = decoded.dataLength;
    auto imageDamage = [&image](std::function<void(Bytes&)> damage) {
        return [&image, damage](Section& s) {
            Bytes damaged = image;
            damage(damaged);
            s.PutImage(damaged);
        };
    };
    const struct {
        const char* name;
        std::function<void(Section&)> damage;
    } cases[] = {
        {"second checksum copy differs", [](Section& s) { Put32(s.Raw(), 6888, s.Checksum() + 1); }},
        {"first checksum differs", [](Section& s) { Put32(s.Raw(), 100, 0); }},
        {"compressed size beyond the room",
         [](Section& s) {
             Put32(s.Raw(), 888, 5993);
             s.Reseal();
         }},
        {"compressed size huge",
         [](Section& s) {
             Put32(s.Raw(), 888, 0xFFFFFFFF);
             s.Reseal();
         }},
        {"image size larger than the stream",
         [](Section& s) {
             Put32(s.Raw(), 892, Get32(s.Raw(), 892) + 1);
             s.Reseal();
         }},
        {"image size smaller than the stream",
         [](Section& s) {
             Put32(s.Raw(), 892, Get32(s.Raw(), 892) - 1);
             s.Reseal();
         }},
        {"image size beyond what the stream can hold",
         [](Section& s) {
             Put32(s.Raw(), 892, 0x7FFFFFFF);
             s.Reseal();
         }},
        {"image shorter than a header", [](Section& s) { s.PutImage(Bytes(100, 0)); }},
        {"stream cut short",
         [](Section& s) {
             Put32(s.Raw(), 888, Get32(s.Raw(), 888) - 4);
             s.Reseal();
         }},
        {"stream damaged",
         [](Section& s) {
             s.Raw()[900] ^= 0xFF;
             s.Reseal();
         }},
        {"stream of another format",
         [](Section& s) {
             s.Raw()[896] = 0x1F;
             s.Reseal();
         }},
        {"image version", imageDamage([](Bytes& i) { Put32(i, 0, 0x10000001); })},
        {"data length disagrees with the image", imageDamage([d](Bytes& i) { Put32(i, 264, d - 1); })},
        {"presence offset at the end", imageDamage([d](Bytes& i) { Put32(i, DescriptorField(6, 2), d); })},
        {"presence area past the end",
         imageDamage([d](Bytes& i) { Put32(i, DescriptorField(3, 2), d - 10); })},
        {"value area past the end", imageDamage([d](Bytes& i) { Put32(i, DescriptorField(4, 4), d + 4); })},
        {"text outside", imageDamage([&decoded, d](Bytes& i) {
             Put32(i, DataOffset(decoded.arrays[7].valueOffset) + 4, d);
         })},
        {"blob past the end",
         imageDamage([&decoded](Bytes& i) { Put32(i, DataOffset(decoded.arrays[8].valueOffset), 100); })},
        // A blob is at least one byte; an empty one would make every later pack of the owner fail.
        {"blob of length 0",
         imageDamage([&decoded](Bytes& i) { Put32(i, DataOffset(decoded.arrays[8].valueOffset), 0); })},
        {"integers of another array size", imageDamage([](Bytes& i) {
             Put32(i, DescriptorField(3, 0), 2040);
             Put32(i, DescriptorField(3, 1), 255);
         })},
        {"presence length that does not fit its count",
         imageDamage([](Bytes& i) { Put32(i, DescriptorField(4, 1), 2); })},
        {"more entries than any array may hold",
         imageDamage([](Bytes& i) { Put32(i, DescriptorField(1, 0), 0x10001); })},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Section good = SectionWith(image);
        Section damaged = SectionWith(image);
        c.damage(damaged);

        owner = NewOwner();
        unpacker = NewUnpacker();
        ASSERT_EQ(unpacker->Attach(owner), TRUE);
        ASSERT_EQ(unpacker->SetTarget(good.Get()), TRUE);
        EXPECT_EQ(unpacker->SetTarget(damaged.Get()), FALSE);
        EXPECT_EQ(unpacker->SyncInt(1905), FALSE) << "nothing of the refused block stays readable";
        EXPECT_EQ(unpacker->UpdateAll(), TRUE);
        EXPECT_TRUE(Present(*owner).Empty());
    }
}

// One unpacker reads block after block, as the benchmark and the UI do: each reads as it would
// into a fresh unpacker, whatever the blocks before it carried (longer images, values at other
// ranks, a refused block in between).
TEST_F(BlockUnpackerTest, ReusedUnpackerReadsEachBlockAfresh)
{
    Settings many = OneOfEachKind();
    for (LONG index = 10; index <= 1893; index += 3) {
        many.ints[index] = index;
    }
    for (LONG index = 1900; index <= 1919; ++index) {
        many.ints[index] = -index;
    }
    Settings few;
    few.ints[1000] = -1;  // among the integers above, at a much lower rank
    few.ints[1905] = 5;
    few.strings[72] = TEXT("only here");
    Section manySection = SectionWith(EncodeImage(many));
    Section fewSection = SectionWith(EncodeImage(few));
    Section damaged = SectionWith(EncodeImage(few));
    damaged.Raw()[900] ^= 0xFF;
    damaged.Reseal();

    owner = NewOwner();
    unpacker = NewUnpacker();
    ASSERT_EQ(unpacker->Attach(owner), TRUE);
    Settings expected = WithHeaderStrings(many);
    struct Step {
        Section* section;
        bool accepted;
        const Settings* carried;
    } steps[] = {{&manySection, true, &many},
                 {&fewSection, true, &few},
                 {&damaged, false, nullptr},
                 {&manySection, true, &many}};
    for (const Step& step : steps) {
        EXPECT_EQ(unpacker->SetTarget(step.section->Get()) == TRUE, step.accepted);
        EXPECT_EQ(unpacker->UpdateAll(), TRUE);
        if (step.carried != nullptr) {
            const Settings& c = *step.carried;
            // What a block carries replaces the owner's value; the rest stays.
            auto merge = [](auto& into, const auto& from) {
                for (const auto& [index, value] : from) {
                    into[index] = value;
                }
            };
            merge(expected.flags, c.flags);
            merge(expected.ints, c.ints);
            merge(expected.floats, c.floats);
            merge(expected.intRefs, c.intRefs);
            merge(expected.strings, c.strings);
            merge(expected.blobs, c.blobs);
        }
        EXPECT_TRUE(Present(*owner) == expected);
    }
}
