// The derived-values provider: GDIINFO's resolution, page and printable-area fields from the page
// settings, the colour count and the halftone flag.
#include "DeviceRecordFixture.h"

#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

#include <utility>

namespace {

namespace G = BlockGeometrySetting;
constexpr LONG kProductFlags = 0;      // kind 3
constexpr LONG kManyColours = 0x1000;  // bit of the product flags
constexpr LONG kHostFileName = 0;      // string
constexpr LONG kAntialiasing = 270;    // flag

struct Page {
    LONG orientation;
    DWORD dpiX, dpiY;
    FLOAT width, height, left, top, right, bottom;
};
const Page kLetter600 = {kOrientationPortrait, 600, 600, 8.5f, 11.0f, 0.125f, 0.125f, 0.125f, 0.5f};

// The fields the geometry rules write.
struct Fields {
    LONG physW, physH;
    ULONG horzRes, vertRes;
    LONG offX, offY;
    ULONG horzSize, vertSize;
    ULONG logX, logY, aspectXY;
    LONG styleStep;
};

Fields FieldsOf(const GDIINFO& r)
{
    return {r.szlPhysSize.cx,  r.szlPhysSize.cy,  r.ulHorzRes,  r.ulVertRes,
            r.ptlPhysOffset.x, r.ptlPhysOffset.y, r.ulHorzSize, r.ulVertSize,
            r.ulLogPixelsX,    r.ulLogPixelsY,    r.ulAspectXY, r.denStyleStep};
}

void ExpectFields(const GDIINFO& record, const Fields& e)
{
    const Fields f = FieldsOf(record);
    EXPECT_EQ(f.physW, e.physW);
    EXPECT_EQ(f.physH, e.physH);
    EXPECT_EQ(f.horzRes, e.horzRes);
    EXPECT_EQ(f.vertRes, e.vertRes);
    EXPECT_EQ(f.offX, e.offX);
    EXPECT_EQ(f.offY, e.offY);
    EXPECT_EQ(static_cast<LONG>(f.horzSize), static_cast<LONG>(e.horzSize));
    EXPECT_EQ(static_cast<LONG>(f.vertSize), static_cast<LONG>(e.vertSize));
    EXPECT_EQ(f.logX, e.logX);
    EXPECT_EQ(f.logY, e.logY);
    EXPECT_EQ(record.ulAspectX, e.logX);
    EXPECT_EQ(record.ulAspectY, e.logY);
    EXPECT_EQ(f.aspectXY, e.aspectXY);
    EXPECT_EQ(f.styleStep, e.styleStep);
}

class DerivedValuesProviderTest : public DeviceRecordTest {
protected:
    void SetUp() override
    {
        DeviceRecordTest::SetUp();
        provider = NewDerivedProvider();
        ASSERT_NE(provider, nullptr);
    }
    void TearDown() override
    {
        if (provider != nullptr) {
            provider->Release();
        }
        DeviceRecordTest::TearDown();
    }

    void SetPage(const Page& page)
    {
        SetIntRef(G::kOrientation, page.orientation);
        SetInt(G::kResolutionX, static_cast<LONG>(page.dpiX));
        SetInt(G::kResolutionY, static_cast<LONG>(page.dpiY));
        SetFloat(G::kPaperWidth, page.width);
        SetFloat(G::kPaperHeight, page.height);
        SetFloat(G::kMarginLeft, page.left);
        SetFloat(G::kMarginTop, page.top);
        SetFloat(G::kMarginRight, page.right);
        SetFloat(G::kMarginBottom, page.bottom);
    }
    void SetOverspray(bool applies, FLOAT left, FLOAT right, FLOAT top, FLOAT bottom)
    {
        SetFlag(G::kOversprayEnabled, applies);
        SetFloat(G::kOversprayFirst, left);
        SetFloat(G::kOversprayFirst + 1, right);
        SetFloat(G::kOversprayFirst + 2, top);
        SetFloat(G::kOversprayFirst + 3, bottom);
    }
    void Bind()
    {
        ASSERT_EQ(provider->Attach(owner), TRUE);
        ASSERT_EQ(provider->SetTarget(&record), TRUE);
    }

    CNiraDerivedValuesProvider* provider = nullptr;
    GDIINFO record{};
};

}  // namespace

TEST_F(DerivedValuesProviderTest, PageSettingsGiveTheDeviceGeometry)
{
    struct Case {
        const char* name;
        Page page;
        bool overspray;
        FLOAT extents[4];  // left, right, top, bottom
        Fields expected;
    };
    const Page letterLandscape = {kOrientationLandscape, 600, 600, 8.5f, 11.0f, 0.125f, 0.125f, 0.125f, 0.5f};
    const Page mixedPortrait = {kOrientationPortrait, 600, 300, 8.5f, 11.0f, 0.125f, 0.125f, 0.125f, 0.5f};
    const Page mixedLandscape = {kOrientationLandscape, 600, 300, 8.5f, 11.0f, 0.125f, 0.125f, 0.125f, 0.5f};
    const Case cases[] = {
        {"letter portrait",
         kLetter600,
         false,
         {},
         {5100, 6600, 4950, 6225, 75, 75, ULONG(-209550), ULONG(-263525), 600, 600, 848, 12}},
        {"letter landscape",
         letterLandscape,
         false,
         {},
         {6600, 5100, 6225, 4950, 75, 75, ULONG(-263525), ULONG(-209550), 600, 600, 848, 12}},
        {"600x300 portrait",
         mixedPortrait,
         false,
         {},
         {5100, 3300, 4950, 3112, 75, 37, ULONG(-209550), ULONG(-263525), 600, 300, 670, 12}},
        {"600x300 landscape",
         mixedLandscape,
         false,
         {},
         {3300, 5100, 3112, 4950, 37, 75, ULONG(-263525), ULONG(-209550), 300, 600, 670, 6}},
        {"overspray widens",
         kLetter600,
         true,
         {0.1f, 0.1f, 0.1f, 0.1f},
         {5220, 6720, 5070, 6345, 75, 75, ULONG(-214630), ULONG(-268605), 600, 600, 848, 12}},
        {"negative overspray cancels",
         kLetter600,
         true,
         {0.1f, 0.1f, -0.1f, 0.1f},
         {5100, 6600, 4950, 6225, 75, 75, ULONG(-209550), ULONG(-263525), 600, 600, 848, 12}},
        {"overspray not applied",
         kLetter600,
         false,
         {0.1f, 0.1f, 0.1f, 0.1f},
         {5100, 6600, 4950, 6225, 75, 75, ULONG(-209550), ULONG(-263525), 600, 600, 848, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(owner->Attach(owner, nullptr, nullptr), TRUE);
        SetPage(c.page);
        SetOverspray(c.overspray, c.extents[0], c.extents[1], c.extents[2], c.extents[3]);
        record = GDIINFO{};
        Bind();
        EXPECT_EQ(provider->UpdateAll(), TRUE);
        ExpectFields(record, c.expected);
    }
}

TEST_F(DerivedValuesProviderTest, EachRuleWritesItsOwnFields)
{
    SetPage(kLetter600);
    Bind();
    EXPECT_EQ(provider->SyncFloat(G::kPaperWidth), TRUE);  // sizes, not resolutions
    ExpectFields(record, {5100, 6600, 4950, 6225, 75, 75, ULONG(-209550), ULONG(-263525), 0, 0, 0, 0});

    record = GDIINFO{};
    EXPECT_EQ(provider->SyncInt(G::kResolutionY), TRUE);  // resolutions, not sizes
    ExpectFields(record, {5100, 6600, 4950, 6225, 75, 75, 0, 0, 600, 600, 848, 12});
    EXPECT_EQ(record.flHTFlags, 0u);
}

TEST_F(DerivedValuesProviderTest, AValueTheOwnerCannotGiveStopsTheRule)
{
    SetPage(kLetter600);
    ASSERT_EQ(owner->Attach(owner, nullptr, nullptr), TRUE);  // start again without the resolutions
    SetIntRef(G::kOrientation, kOrientationPortrait);
    for (LONG index = G::kPaperWidth; index <= G::kMarginBottom; ++index) {
        SetFloat(index, 1.0f);
    }
    Bind();
    record.szlPhysSize = {7, 8};
    record.ulHorzSize = 9;
    EXPECT_EQ(provider->SyncInt(G::kResolutionX), TRUE);
    EXPECT_EQ(provider->SyncFloat(G::kMarginLeft), TRUE);
    EXPECT_EQ(provider->UpdateAll(), TRUE);
    EXPECT_EQ(record.szlPhysSize.cx, 7);
    EXPECT_EQ(record.szlPhysSize.cy, 8);
    EXPECT_EQ(record.ulHorzSize, 9u);
    EXPECT_EQ(record.ulLogPixelsX, 0u);
    EXPECT_EQ(record.flHTFlags, ULONG(HT_FLAG_PRINT_DRAFT_MODE));  // the other rules still ran

    // An overspray that cannot be read stops the rule as well.
    SetInt(G::kResolutionX, 600);
    SetInt(G::kResolutionY, 600);
    SetFlag(G::kOversprayEnabled, true);
    EXPECT_EQ(provider->SyncInt(G::kResolutionX), TRUE);
    EXPECT_EQ(record.szlPhysSize.cx, 7);
}

TEST_F(DerivedValuesProviderTest, OtherOrientationsOnlyRecomputeTheAspectAndStyleStep)
{
    Page page = kLetter600;
    page.orientation = 3;
    SetPage(page);
    Bind();
    record.ulLogPixelsX = 100;
    record.ulAspectX = 300;
    record.ulAspectY = 400;
    record.szlPhysSize = {1, 2};
    record.ulHorzSize = 5;
    EXPECT_EQ(provider->UpdateAll(), TRUE);
    EXPECT_EQ(record.ulAspectXY, 500u);
    EXPECT_EQ(record.denStyleStep, 2);
    EXPECT_EQ(record.ulLogPixelsX, 100u);
    EXPECT_EQ(record.szlPhysSize.cx, 1);
    EXPECT_EQ(record.szlPhysSize.cy, 2);
    EXPECT_EQ(record.ulHorzSize, 5u);
}

TEST_F(DerivedValuesProviderTest, ColourCountFollowsTheProductAndTheHost)
{
    struct Case {
        LONG productFlags;  // -1 absent
        LPCWSTR host;       // null: absent
        ULONG before, after;
    };
    const Case cases[] = {
        {0, TEXT("writer.exe"), 16, 16},
        {kManyColours, TEXT("writer.exe"), 16, 256},
        {kManyColours | 0x1, TEXT("writer.exe"), 0, 256},
        {kManyColours, TEXT("writer.exe"), 300, 300},
        {kManyColours, TEXT("writer.exe"), 65536, 65535},
        {kManyColours, TEXT("writer.exe"), 131072, 131071},
        {kManyColours, TEXT("writer.exe"), 65537, 65537},
        {0, TEXT("writer.exe"), 65536, 65536},
        {-1, nullptr, 16, 16},
        {kManyColours, TEXT("WAOL.EXE"), 16, 8},
        {0, TEXT("C:\\Online\\waol.exe"), 65536, 8},
        {0, TEXT("waol.ex"), 16, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.productFlags << " " << c.before);
        ASSERT_EQ(owner->Attach(owner, nullptr, nullptr), TRUE);
        if (c.productFlags >= 0) {
            SetInt(kProductFlags, c.productFlags);
        }
        if (c.host != nullptr) {
            SetText(kHostFileName, c.host);
        }
        record.ulNumColors = c.before;
        Bind();
        EXPECT_EQ(record.ulNumColors, c.after);
    }
}

TEST_F(DerivedValuesProviderTest, WithoutAntialiasingHalftoningRunsInDraftMode)
{
    struct Case {
        int antialiasing;  // -1 absent
        ULONG before, after;
    };
    const ULONG draft = HT_FLAG_PRINT_DRAFT_MODE;
    const Case cases[] = {
        {1, 0x10, 0x10},
        {1, draft, draft},
        {0, 0x10, 0x10 | draft},
        {-1, 0, draft},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(owner->Attach(owner, nullptr, nullptr), TRUE);
        if (c.antialiasing >= 0) {
            SetFlag(kAntialiasing, c.antialiasing == 1);
        }
        record.flHTFlags = c.before;
        Bind();
        EXPECT_EQ(provider->SyncFlag(kAntialiasing), TRUE);
        EXPECT_EQ(record.flHTFlags, c.after) << c.antialiasing;
    }
}

TEST_F(DerivedValuesProviderTest, HandlesTheNineEntriesAndChecksItsState)
{
    EXPECT_EQ(provider->UpdateAll(), FALSE);  // no owner
    EXPECT_EQ(provider->SetTarget(&record), FALSE);
    EXPECT_EQ(provider->SyncInt(G::kResolutionX), FALSE);
    ASSERT_EQ(provider->Attach(owner), TRUE);
    EXPECT_EQ(provider->SyncInt(G::kResolutionX), FALSE);  // no record yet
    EXPECT_EQ(provider->SetTarget(nullptr), FALSE);
    ASSERT_EQ(provider->SetTarget(&record), TRUE);

    EXPECT_EQ(provider->HandlesFlag(kAntialiasing), TRUE);
    EXPECT_EQ(provider->HandlesInt(G::kResolutionX), TRUE);
    EXPECT_EQ(provider->HandlesInt(G::kResolutionY), TRUE);
    for (LONG index = G::kPaperWidth; index <= G::kMarginBottom; ++index) {
        EXPECT_EQ(provider->HandlesFloat(index), TRUE) << index;
    }
    EXPECT_EQ(provider->HandlesFloat(G::kOversprayFirst), FALSE);
    EXPECT_EQ(provider->HandlesFloat(24), FALSE);
    EXPECT_EQ(provider->HandlesInt(2052), FALSE);
    EXPECT_EQ(provider->HandlesIntRef(G::kOrientation), FALSE);
    EXPECT_EQ(provider->SyncFloat(G::kOversprayFirst), FALSE);
    EXPECT_EQ(provider->SyncIntRef(G::kOrientation), FALSE);
    EXPECT_EQ(provider->SyncString(kHostFileName), FALSE);
    EXPECT_EQ(provider->SyncFlag(G::kOversprayEnabled), FALSE);

    // An entry marked in the mask by its user passes the checks but has no rule.
    provider->GetHandledMask()->MarkInt(5);
    EXPECT_EQ(provider->SyncInt(5), FALSE);
}

TEST_F(DerivedValuesProviderTest, PushProviderOfAManagerFollowsThePage)
{
    SettingsProviderList pushes;
    pushes.Append(provider);
    INiraSettingsAccess* manager = NewOwner(&pushes);
    provider = nullptr;
    ASSERT_NE(manager, nullptr);
    std::swap(owner, manager);  // the helpers fill the manager
    SetPage(kLetter600);
    std::swap(owner, manager);
    auto* pushed = static_cast<CNiraDerivedValuesProvider*>(pushes[0]);
    ASSERT_EQ(pushed->SetTarget(&record), TRUE);

    EXPECT_EQ(manager->SetFloat(G::kMarginLeft, 0.25f, 1), TRUE);
    EXPECT_EQ(record.ptlPhysOffset.x, 150);
    EXPECT_EQ(record.ulHorzRes, 4875u);
    EXPECT_EQ(manager->SetInt(G::kResolutionX, 300, 1), TRUE);
    EXPECT_EQ(record.ulLogPixelsX, 300u);
    EXPECT_EQ(record.ptlPhysOffset.x, 75);
    manager->Release();
}

TEST(DeviceUnits, ResolutionTimesLengthIsRoundedOnce)
{
    EXPECT_EQ(ScaleByResolution(600, 8.5f), 5100);
    EXPECT_EQ(ScaleByResolution(600, -0.125f), -75);
    EXPECT_EQ(ScaleByResolution(0, 3.0f), 0);
    // 50331651 lies between the floats 50331648 and 50331652; a product of two floats would
    // round the resolution first and give the lower one.
    EXPECT_EQ(ScaleByResolution(16777217, 3.0f), 50331652);
    EXPECT_EQ(ScaleByResolution(4000000000u, 1.0f), LONG(0x80000000));  // out of range
}
