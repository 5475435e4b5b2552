// The flat record adapter: the byte image of each record filled alone from a full set of
// settings, the value rules one by one, and how Sync walks the records when several are set.
#include "AdapterFixture.h"

#include <cmath>
#include <limits>
#include <string.h>

namespace {

using namespace adapterfixture;

constexpr LONG F = SETTING_ARRAY_FLAG;
constexpr LONG I = SETTING_ARRAY_INT;
constexpr LONG R = SETTING_ARRAY_FLOAT;
constexpr LONG N = SETTING_ARRAY_INT_REF;
constexpr LONG S = SETTING_ARRAY_STRING;
constexpr LONG B = SETTING_ARRAY_BLOB;

constexpr LONG kHandledFlags[] = {18,  4,   3,   8,   6,   7,  108, 107, 106, 2, 5,   122, 121, 120, 202, 143,
                                  144, 125, 203, 158, 105, 16, 100, 12,  101, 0, 200, 204, 124, 127, 336};

Bytes Rectangle(LONG left, LONG top, LONG right, LONG bottom)
{
    Bytes bytes(16);
    const LONG sides[] = {left, top, right, bottom};
    memcpy(bytes.data(), sides, sizeof(sides));
    return bytes;
}

WString Text(const char* ascii)
{
    return WString(ascii, ascii + strlen(ascii));
}

// A record image built by offset, to compare with what the adapter wrote.
class Image {
public:
    explicit Image(size_t size) : m_bytes(size, 0) {}
    Image& Int(size_t offset, LONG value)
    {
        Put32(m_bytes.data(), offset, value);
        return *this;
    }
    Image& Float(size_t offset, FLOAT value)
    {
        memcpy(m_bytes.data() + offset, &value, sizeof(value));
        return *this;
    }
    Image& Raw(size_t offset, const Bytes& bytes)
    {
        memcpy(m_bytes.data() + offset, bytes.data(), bytes.size());
        return *this;
    }
    Image& Text(size_t offset, const WString& text)
    {
        memcpy(m_bytes.data() + offset, text.data(), text.size() * sizeof(WCHAR));
        return *this;
    }
    const adapterfixture::Bytes& Data() const { return m_bytes; }

private:
    adapterfixture::Bytes m_bytes;
};

// The first offset at which the record differs from the image, or -1.
long FirstDifference(const void* record, const Image& image)
{
    const BYTE* bytes = static_cast<const BYTE*>(record);
    for (size_t i = 0; i < image.Data().size(); ++i) {
        if (bytes[i] != image.Data()[i]) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

class FlatAdapter : public AdapterTest {
protected:
    // Every handled entry of the owner with a value (flag 6 is 0, the others 1); flag 201 absent.
    void FillOwner(INiraSettingsAccess& owner)
    {
        for (LONG flag : kHandledFlags) {
            SetFlag(owner, flag, flag == 6 ? 0 : 1);
        }
        const std::pair<LONG, LONG> ints[] = {
            {2, 9},       {4, 150},     {5, 7},       {2048, 2},    {2050, 4},    {1910, 1910}, {1911, 1911},
            {1912, 1912}, {1998, 1998}, {1969, 1969}, {1970, 1970}, {2035, 2035}, {2036, 2036}};
        for (const auto& entry : ints) {
            SetInt(owner, entry.first, entry.second);
        }
        SetFloat(owner, 0, 8.5f);
        SetFloat(owner, 20, 0.25f);
        SetFloat(owner, 21, 0.75f);
        SetFloat(owner, 22, 0.5f);
        SetFloat(owner, 23, 1.25f);
        const std::pair<LONG, LONG> intRefs[] = {{71, 3}, {8, 2}, {2, 1}, {1, 4},
                                                 {9, 2},  {5, 2}, {6, 2}, {10, 11}};
        for (const auto& entry : intRefs) {
            SetIntRef(owner, entry.first, entry.second);
        }
        SetString(owner, 2, Text("Job text"));
        SetString(owner, 24, Text("tool argument"));
        SetBlob(owner, 0, Pattern(1568));
        SetBlob(owner, 1, Pattern(100));
        SetBlob(owner, 30, Rectangle(0, 0, 100, 200));
        SetBlob(owner, 31, Rectangle(10, -5, 90, 300));
        SetBlob(owner, 24, Pattern(8));
    }

    INiraFlatRecordAdapter* AdapterOnFreshOwner(INiraSettingsAccess** owner)
    {
        *owner = NewOwner();
        return *owner != nullptr ? NewFlatAdapter(*owner) : nullptr;
    }
};

TEST_F(FlatAdapter, HandlesExactlyItsSixtyThreeEntries)
{
    EXPECT_TRUE(HandledEntries(*NewFlatAdapter(nullptr)).empty());
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    EXPECT_EQ(HandledEntries(*adapter).size(), 63u);
    for (LONG flag : kHandledFlags) {
        EXPECT_TRUE(ProviderHandles(*adapter, F, flag)) << flag;
    }
    for (const SettingRef& entry :
         std::vector<SettingRef>{{R, 0}, {N, 71}, {S, 2}, {S, 24}, {B, 31}, {I, 1998}}) {
        EXPECT_TRUE(ProviderHandles(*adapter, entry.kind, entry.index)) << entry.kind << "/" << entry.index;
    }
    EXPECT_FALSE(ProviderHandles(*adapter, F, 201));
    EXPECT_FALSE(ProviderHandles(*adapter, N, 5));
    EXPECT_EQ(adapter->SyncFlag(201), FALSE);
    EXPECT_EQ(adapter->SyncFloat(1), FALSE);
}

TEST_F(FlatAdapter, SetTargetNeedsAnOwnerAndZeroFillsEachRecordGiven)
{
    JobSettingsRecord job;
    DriverStateRecord state;
    PageSettingsRecord page;
    memset(&job, 0xAB, sizeof(job));
    memset(&state, 0xAB, sizeof(state));
    memset(&page, 0xAB, sizeof(page));

    INiraFlatRecordAdapter* unattached = NewFlatAdapter(nullptr);
    EXPECT_EQ(unattached->SetTarget(&job, &state, &page), FALSE);
    EXPECT_EQ(unattached->UpdateAll(), FALSE);
    EXPECT_EQ(FirstDifference(&job, Image(sizeof(job))), 0);

    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    ASSERT_EQ(adapter->SetTarget(&job, nullptr, &page), TRUE);
    EXPECT_EQ(FirstDifference(&job, Image(kJobSettingsRecordSize)), -1);
    EXPECT_EQ(FirstDifference(&page, Image(kPageSettingsRecordSize)), -1);
    EXPECT_EQ(state.repeatCount, static_cast<LONG>(0xABABABAB));
    ASSERT_EQ(adapter->SetTarget(nullptr, &state, nullptr), TRUE);
    EXPECT_EQ(FirstDifference(&state, Image(kDriverStateRecordSize)), -1);
}

TEST_F(FlatAdapter, AnOwnerWithoutValuesLeavesEveryRecordZero)
{
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    JobSettingsRecord job;
    DriverStateRecord state;
    PageSettingsRecord page;
    ASSERT_EQ(adapter->SetTarget(&job, nullptr, nullptr), TRUE);
    EXPECT_EQ(adapter->UpdateAll(), TRUE);
    ASSERT_EQ(adapter->SetTarget(nullptr, &state, nullptr), TRUE);
    EXPECT_EQ(adapter->UpdateAll(), TRUE);
    ASSERT_EQ(adapter->SetTarget(nullptr, nullptr, &page), TRUE);
    EXPECT_EQ(adapter->UpdateAll(), TRUE);
    EXPECT_EQ(FirstDifference(&job, Image(sizeof(job))), -1);
    EXPECT_EQ(FirstDifference(&state, Image(sizeof(state))), -1);
    EXPECT_EQ(FirstDifference(&page, Image(sizeof(page))), -1);
}

TEST_F(FlatAdapter, JobSettingsAloneGetEveryFieldOfTheirTable)
{
    FillOwner(Owner());
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    JobSettingsRecord job;
    ASSERT_EQ(adapter->SetTarget(&job, nullptr, nullptr), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);

    Image expected(kJobSettingsRecordSize);
    expected.Int(0, 3).Int(4, 1).Int(8, 2).Int(12, 1).Int(16, 1).Int(20, 1).Int(24, 9).Int(28, 1).Int(32,
                                                                                                      150);
    expected.Int(36, 215900).Int(44, 0).Int(48, 1).Raw(56, Pattern(1568)).Int(1656, 4);
    for (size_t offset : {1660, 1664, 1668, 1672, 1680, 1684, 1688, 1692, 1696, 1700}) {
        expected.Int(offset, 1);
    }
    expected.Int(1704, 7).Int(1708, 11);
    for (size_t offset : {1724, 1728, 1732, 1736, 1740}) {
        expected.Int(offset, 1);
    }
    expected.Int(1744, 5).Int(1748, 1).Int(1752, 1).Int(1756, 1).Int(1760, 2).Raw(1764, Pattern(100));
    expected.Int(1864, 1).Int(1868, 1).Int(1872, 1).Int(1876, 1);
    expected.Float(1880, 0.25f).Float(1884, 0.5f).Int(1888, 1910).Float(1892, 0.75f).Float(1896, 1.25f);
    expected.Int(1956, 1911)
        .Int(1968, 1)
        .Int(1980, 1912)
        .Int(1984, 1)
        .Text(2388, Text("Job text"))
        .Int(4392, 1);
    EXPECT_EQ(FirstDifference(&job, expected), -1);
}

TEST_F(FlatAdapter, DriverStateAloneGetsEveryFieldOfItsTable)
{
    FillOwner(Owner());
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    DriverStateRecord state;
    ASSERT_EQ(adapter->SetTarget(nullptr, &state, nullptr), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);

    Image expected(kDriverStateRecordSize);
    expected.Int(0, 5).Int(4, 1);
    for (size_t offset : {8, 12, 20, 24, 28, 32, 36, 40, 44, 48}) {
        expected.Int(offset, 1);
    }
    expected.Float(52, 0.25f).Float(56, 0.75f).Float(60, 0.5f).Float(64, 1.25f).Int(68, 1910);
    expected.Int(92, 1).Int(96, 1998).Int(100, 1).Text(108, Text("tool argument"));
    EXPECT_EQ(FirstDifference(&state, expected), -1);
}

TEST_F(FlatAdapter, PageSettingsAloneGetEveryFieldOfTheirTable)
{
    FillOwner(Owner());
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    PageSettingsRecord page;
    ASSERT_EQ(adapter->SetTarget(nullptr, nullptr, &page), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);

    Image expected(kPageSettingsRecordSize);
    expected.Int(0, 1969).Int(4, 1970).Int(8, 2035).Int(16, 2035).Int(12, 2036).Int(20, 2036);
    expected.Int(28, 10).Int(32, 0).Int(36, 90).Int(40, 200).Int(44, 1);
    EXPECT_EQ(FirstDifference(&page, expected), -1);
}

TEST_F(FlatAdapter, SheetWidthBecomesMicrometresTruncatedTowardZero)
{
    constexpr LONG indefinite = std::numeric_limits<LONG>::min();
    const std::pair<FLOAT, LONG> cases[] = {
        {8.5f, 215900},      {11.0f, 279400},      {1.00001f, 25400},
        {-1.00001f, -25400}, {0.00001f, 0},        {-0.5f, -12700},
        {1e10f, indefinite}, {-1e10f, indefinite}, {std::nanf(""), indefinite},
    };
    for (const auto& c : cases) {
        INiraSettingsAccess* owner = nullptr;
        INiraFlatRecordAdapter* adapter = AdapterOnFreshOwner(&owner);
        ASSERT_NE(adapter, nullptr);
        SetFloat(*owner, 0, c.first);
        JobSettingsRecord job;
        ASSERT_EQ(adapter->SetTarget(&job, nullptr, nullptr), TRUE);
        EXPECT_EQ(adapter->SyncFloat(0), TRUE);
        EXPECT_EQ(Get32(&job, 36), c.second) << c.first;
    }
}

TEST_F(FlatAdapter, RepeatFieldsFollowTheGateFlag)
{
    enum { ABSENT = -1 };
    struct Case {
        LONG flag158;
        LONG gate;  // flag 201, or ABSENT
        LONG count2050;
        LONG repeatMode;   // expected at 1748 and at 4 of the driver state
        LONG repeatCount;  // expected at 1744 and at 0 of the driver state
    };
    const Case cases[] = {
        {1, ABSENT, 4, 1, 5},
        {1, 1, 4, 1, 5},
        {1, 0, 4, 0, 1},
        {0, ABSENT, 4, 0, 5},
        {0, 1, 0, 0, 1},
        {1, ABSENT, std::numeric_limits<LONG>::max(), 1, std::numeric_limits<LONG>::min()},
    };
    for (const Case& c : cases) {
        INiraSettingsAccess* owner = nullptr;
        INiraFlatRecordAdapter* adapter = AdapterOnFreshOwner(&owner);
        ASSERT_NE(adapter, nullptr);
        SetFlag(*owner, 158, static_cast<BYTE>(c.flag158));
        SetInt(*owner, 2050, c.count2050);
        if (c.gate != ABSENT) {
            SetFlag(*owner, 201, static_cast<BYTE>(c.gate));
        }
        JobSettingsRecord job;
        DriverStateRecord state;
        ASSERT_EQ(adapter->SetTarget(&job, &state, nullptr), TRUE);
        ASSERT_EQ(adapter->UpdateAll(), TRUE);
        const std::string label = "158=" + std::to_string(c.flag158) + " 201=" + std::to_string(c.gate);
        EXPECT_EQ(Get32(&job, 1748), c.repeatMode) << label;
        EXPECT_EQ(Get32(&state, 4), c.repeatMode) << label;
        EXPECT_EQ(Get32(&job, 1744), c.repeatCount) << label;
        EXPECT_EQ(Get32(&state, 0), c.repeatCount) << label;
    }
}

TEST_F(FlatAdapter, SmallValueRulesOfTheJobSettings)
{
    enum { ABSENT = -1, UNTOUCHED = 77 };
    struct Case {
        const char* what;
        LONG flag2, int2048;  // manual duplex at 1672
        LONG expectedDuplex;
        LONG outputMode;  // kind 6 index 71 at 0
        LONG expectedOutput;
        LONG posterFlag, posterSize;  // flag 16 and kind 6 index 9 at 1760
        LONG expectedPoster;
    };
    const Case cases[] = {
        {"all in range", 0, 2, 1, 5, 5, 1, 3, 3},
        {"flag 2 is decided by integer 2048", 1, 3, 0, 1, 1, 1, 1, 1},
        {"out of range", 1, 0, 0, 6, 0, 1, 4, 0},
        {"negative", 0, -2, 0, -1, 0, 1, -1, 0},
        {"poster off leaves the size alone", 1, 2, 1, 0, 0, 0, 2, UNTOUCHED},
        {"poster flag absent", 1, 2, 1, 2, 2, ABSENT, 2, UNTOUCHED},
    };
    for (const Case& c : cases) {
        INiraSettingsAccess* owner = nullptr;
        INiraFlatRecordAdapter* adapter = AdapterOnFreshOwner(&owner);
        ASSERT_NE(adapter, nullptr);
        SetFlag(*owner, 2, static_cast<BYTE>(c.flag2));
        SetInt(*owner, 2048, c.int2048);
        SetIntRef(*owner, 71, c.outputMode);
        if (c.posterFlag != ABSENT) {
            SetFlag(*owner, 16, static_cast<BYTE>(c.posterFlag));
        }
        SetIntRef(*owner, 9, c.posterSize);
        JobSettingsRecord job;
        ASSERT_EQ(adapter->SetTarget(&job, nullptr, nullptr), TRUE);
        Put32(&job, 1760, UNTOUCHED);
        ASSERT_EQ(adapter->UpdateAll(), TRUE);
        EXPECT_EQ(Get32(&job, 1672), c.expectedDuplex) << c.what;
        EXPECT_EQ(Get32(&job, 0), c.expectedOutput) << c.what;
        EXPECT_EQ(Get32(&job, 1760), c.expectedPoster) << c.what;
    }
}

TEST_F(FlatAdapter, MarginFlagNeedsBothValuesTwo)
{
    enum { ABSENT = -1, UNTOUCHED = 77 };
    const LONG cases[][3] = {{2, 2, 1}, {2, 1, UNTOUCHED}, {1, 2, UNTOUCHED}, {ABSENT, 2, UNTOUCHED}};
    for (const auto& c : cases) {
        INiraSettingsAccess* owner = nullptr;
        INiraFlatRecordAdapter* adapter = AdapterOnFreshOwner(&owner);
        ASSERT_NE(adapter, nullptr);
        if (c[0] != ABSENT) {
            SetIntRef(*owner, 5, c[0]);
        }
        SetIntRef(*owner, 6, c[1]);
        PageSettingsRecord page;
        ASSERT_EQ(adapter->SetTarget(nullptr, nullptr, &page), TRUE);
        Put32(&page, 44, UNTOUCHED);
        EXPECT_EQ(adapter->SyncIntRef(6), TRUE);
        EXPECT_EQ(Get32(&page, 44), c[2]) << c[0] << "," << c[1];
    }
}

TEST_F(FlatAdapter, BlobsOfTheWrongLengthAreNotCopied)
{
    SetBlob(Owner(), 0, Pattern(1567));
    SetBlob(Owner(), 1, Pattern(101));
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    JobSettingsRecord job;
    ASSERT_EQ(adapter->SetTarget(&job, nullptr, nullptr), TRUE);
    EXPECT_EQ(adapter->SyncBlob(0), TRUE);
    EXPECT_EQ(adapter->SyncBlob(1), TRUE);
    EXPECT_EQ(FirstDifference(&job, Image(sizeof(job))), -1);
}

TEST_F(FlatAdapter, PageRectangleIsTheIntersectionOfBothBlobs)
{
    enum { UNTOUCHED = 77 };
    struct Case {
        const char* what;
        Bytes a, b;
        LONG expected[4];
    };
    const Case cases[] = {
        {"overlapping", Rectangle(0, 0, 100, 200), Rectangle(10, -5, 90, 300), {10, 0, 90, 200}},
        {"disjoint, written as it is", Rectangle(0, 0, 10, 10), Rectangle(20, 20, 30, 30), {20, 20, 10, 10}},
        {"one blob too short",
         Bytes(15, 1),
         Rectangle(1, 2, 3, 4),
         {UNTOUCHED, UNTOUCHED, UNTOUCHED, UNTOUCHED}},
        {"one blob absent", Bytes(), Rectangle(1, 2, 3, 4), {UNTOUCHED, UNTOUCHED, UNTOUCHED, UNTOUCHED}},
    };
    for (const Case& c : cases) {
        INiraSettingsAccess* owner = nullptr;
        INiraFlatRecordAdapter* adapter = AdapterOnFreshOwner(&owner);
        ASSERT_NE(adapter, nullptr);
        if (!c.a.empty()) {
            SetBlob(*owner, 30, c.a);
        }
        SetBlob(*owner, 31, c.b);
        PageSettingsRecord page;
        ASSERT_EQ(adapter->SetTarget(nullptr, nullptr, &page), TRUE);
        for (size_t offset = 28; offset <= 40; offset += 4) {
            Put32(&page, offset, UNTOUCHED);
        }
        EXPECT_EQ(adapter->SyncBlob(31), TRUE);
        for (size_t side = 0; side < 4; ++side) {
            EXPECT_EQ(Get32(&page, 28 + 4 * side), c.expected[side]) << c.what << " side " << side;
        }
    }
}

TEST_F(FlatAdapter, StringsAreCutAndTerminatedAndEmptyOnesWriteNothing)
{
    const WString longText(300, TEXT('x'));
    SetString(Owner(), 2, longText);
    SetString(Owner(), 24, longText);
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    JobSettingsRecord job;
    DriverStateRecord state;
    ASSERT_EQ(adapter->SetTarget(&job, nullptr, nullptr), TRUE);
    EXPECT_EQ(adapter->SyncString(2), TRUE);
    EXPECT_EQ(GetText(&job, 2388, 100), longText.substr(0, 99) + WString(1, 0));
    ASSERT_EQ(adapter->SetTarget(nullptr, &state, nullptr), TRUE);
    EXPECT_EQ(adapter->SyncString(24), TRUE);
    EXPECT_EQ(GetText(&state, 108, 260), longText.substr(0, 259) + WString(1, 0));

    INiraSettingsAccess* owner = nullptr;
    INiraFlatRecordAdapter* other = AdapterOnFreshOwner(&owner);
    ASSERT_NE(other, nullptr);
    SetString(*owner, 2, WString());
    ASSERT_EQ(other->SetTarget(&job, nullptr, nullptr), TRUE);
    Put32(&job, 2388, 0x00410041);
    EXPECT_EQ(other->SyncString(2), TRUE);
    EXPECT_EQ(Get32(&job, 2388), 0x00410041);
}

// With several records set, a record that carries settings of the kind but not this one ends the
// walk, so only records set alone (or visited after records with the same indices) are complete.
TEST_F(FlatAdapter, SeveralRecordsAreWrittenOnlyUpToTheFirstThatLacksTheSetting)
{
    FillOwner(Owner());
    INiraFlatRecordAdapter* adapter = NewFlatAdapter();
    JobSettingsRecord job;
    DriverStateRecord state;
    PageSettingsRecord page;
    ASSERT_EQ(adapter->SetTarget(&job, &state, &page), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);
    EXPECT_EQ(Get32(&job, 1868), 1);  // flag 12: both records carry it
    EXPECT_EQ(Get32(&state, 8), 1);
    EXPECT_EQ(Get32(&state, 96), 0);  // integer 1998: the job settings lack it
    EXPECT_EQ(Get32(&page, 0), 0);    // integers 1969 ... 2036 likewise
    EXPECT_EQ(Get32(&page, 8), 0);
    EXPECT_EQ(Get32(&page, 28), 0);    // blobs 30 and 31 likewise
    EXPECT_EQ(Get32(&page, 44), 0);    // kind 6 index 6 likewise
    EXPECT_EQ(Get32(&state, 108), 0);  // string 24 and blob 24: the job settings lack them
    EXPECT_EQ(Get32(&state, 100), 0);

    ASSERT_EQ(adapter->SetTarget(nullptr, &state, &page), TRUE);
    ASSERT_EQ(adapter->UpdateAll(), TRUE);
    EXPECT_EQ(Get32(&page, 0), 0);    // integers: the driver state lacks 1969
    EXPECT_EQ(Get32(&page, 28), 10);  // blobs: the driver state is passed over
    EXPECT_EQ(Get32(&page, 44), 1);   // kind 6: the driver state has none
    EXPECT_EQ(Get32(&state, 96), 1998);
    EXPECT_EQ(GetText(&state, 108, 4), Text("tool"));
    EXPECT_EQ(Get32(&state, 100), 1);
}

}  // namespace
