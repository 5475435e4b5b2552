// Building the driver state over the sample package: which rows are bound, how handlers are
// shared by class id, the feature-id limits, refused handlers and the traces.
#include "UICoreFixture.h"

#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

using ::testing::ElementsAre;

namespace {

constexpr int kTray2 = 4305;

// The feature ids of the sample capability database up to a limit, as its reader lists them.
std::vector<int> DatabaseFeatures(HANDLE printer, int limit)
{
    CNiraPrinterAccess access(printer);
    access.FindDriverIni(FALSE);
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    EXPECT_TRUE(access.GetComponentPath(kCapabilityXmlKey, path));
    CNiraCapabilityDB reader;
    reader.Open(path);
    INT* ids = nullptr;
    INT count = 0;
    INT highestSettings = 0;
    INT highestUi = 0;
    reader.GetFeatureIds(&ids, &count, &highestSettings, &highestUi);
    std::vector<int> result;
    for (int i = 0; i < count; ++i) {
        if (ids[i] <= limit) {
            result.push_back(ids[i]);
        }
    }
    LocalFree(ids);
    std::sort(result.begin(), result.end());
    return result;
}

std::vector<int> Without(std::vector<int> ids, int removed)
{
    ids.erase(std::remove(ids.begin(), ids.end(), removed), ids.end());
    return ids;
}

}  // namespace

TEST_F(UICoreTest, BindsEveryRowUpToTheLimitAndStopsWithSuccess)
{
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);

    EXPECT_EQ(core->IsStoppedAtLimit(), 1);
    // The two-sided unit is asked of the device, which does not answer here.
    std::vector<int> expected = Without(DatabaseFeatures(printer, 5999), FEATURE_DUPLEX_UNIT);
    EXPECT_EQ(BoundFeatures(), expected);
    CNiraUISettings* settings = nullptr;
    core->GetSettings(&settings);
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->HasFeature(FEATURE_PAPER_SIZE), 1);
    EXPECT_EQ(settings->GetOptionCount(FEATURE_COLLATE), 2);
    EXPECT_EQ(settings->HasFeature(6079), 0);

    FeatureBinding* binding = nullptr;
    core->GetFeatureBinding(FEATURE_PAPER_SIZE, &binding);
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->classId, CLASS_PAPER_LIST);
    EXPECT_EQ(binding->genericHandler, 0);
    EXPECT_EQ(binding->isPrinterFeature, 1);
    core->GetFeatureBinding(FEATURE_ICM_INTENT, &binding);
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->genericHandler, 1);
}

TEST_F(UICoreTest, SheetLimitBindsWidgetsUpTo8000)
{
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
    core->SetFeatureIdLimit(8000);
    core->EnumerateFeatures(nullptr);

    std::vector<int> expected = Without(DatabaseFeatures(printer, 8000), FEATURE_DUPLEX_UNIT);
    EXPECT_EQ(BoundFeatures(), expected);
    EXPECT_NE(std::find(expected.begin(), expected.end(), 6575), expected.end());
    EXPECT_EQ(expected.back(), 6575);  // 8001 stays out
    EXPECT_EQ(core->IsStoppedAtLimit(), 1);
    FeatureBinding* binding = nullptr;
    core->GetFeatureBinding(6530, &binding);
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->isPrinterFeature, 0);
}

TEST_F(UICoreTest, RowsOfOneClassShareOneHandlerAttachedOnce)
{
    UseRecordingHandlers();
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);

    EXPECT_EQ(journal.attaches[CLASS_ORIENTATION], 1);
    EXPECT_THAT(journal.features[CLASS_ORIENTATION], ElementsAre(FEATURE_ORIENTATION, FEATURE_ROTATION));
    EXPECT_EQ(journal.attaches[CLASS_PICTURE], 1);
    EXPECT_THAT(journal.features[CLASS_PICTURE], ElementsAre(4166, 4167, 4168, 4169, 4170, 4171, 4172));
    FeatureBinding* orientation = nullptr;
    FeatureBinding* rotation = nullptr;
    core->GetFeatureBinding(FEATURE_ORIENTATION, &orientation);
    core->GetFeatureBinding(FEATURE_ROTATION, &rotation);
    ASSERT_TRUE(orientation && rotation);
    EXPECT_EQ(orientation->handler, rotation->handler);
    // Every handler set its states once, at the end.
    EXPECT_EQ(journal.initializeStates, static_cast<int>(journal.attaches.size()));
}

TEST_F(UICoreTest, RefusedAttachPrintsFailedPerRowAndDropsThem)
{
    UseRecordingHandlers();
    journal.refuseAttach.insert(CLASS_PICTURE);
    ::testing::internal::CaptureStdout();
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
    std::string out = ::testing::internal::GetCapturedStdout();

    // A new handler is tried for every row of the class: seven rows, seven refusals.
    EXPECT_EQ(journal.attaches[CLASS_PICTURE], 7);
    EXPECT_EQ(out, "Failed\nFailed\nFailed\nFailed\nFailed\nFailed\nFailed\n");
    CNiraUISettings* settings = nullptr;
    core->GetSettings(&settings);
    for (int id = 4166; id <= 4172; ++id) {
        FeatureBinding* binding = nullptr;
        core->GetFeatureBinding(id, &binding);
        EXPECT_EQ(binding, nullptr) << id;
        EXPECT_EQ(settings->HasFeature(id), 0) << id;
    }
    INiraFeatureHandler* handler = nullptr;
    core->GetHandler(CLASS_PICTURE, &handler);
    EXPECT_EQ(handler, nullptr);
}

TEST_F(UICoreTest, BiDiRowWithoutProviderIsNotRegistered)
{
    UseRecordingHandlers();
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);

    EXPECT_TRUE(journal.features[CLASS_DUPLEX_UNIT].empty());
    FeatureBinding* binding = nullptr;
    core->GetFeatureBinding(FEATURE_DUPLEX_UNIT, &binding);
    ASSERT_NE(binding, nullptr);
    EXPECT_EQ(binding->handler, nullptr);
    EXPECT_EQ(binding->featureState, 0);
}

TEST_F(UICoreTest, SecondConstructionWritesOnlyStartAndEnd)
{
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
    std::vector<WString> first = Traces();
    EXPECT_EQ(first.front(), WString(TEXT("ConstructDriverState - Start")));
    EXPECT_EQ(first.back(), WString(TEXT("ConstructDriverState - END")));
    machine.ClearJournals();
    int bound = core->GetFeatureCount();

    EXPECT_EQ(core->ConstructDriverState(printer, nullptr), 0);
    EXPECT_THAT(Traces(), ElementsAre(WString(TEXT("ConstructDriverState - Start")),
                                      WString(TEXT("ConstructDriverState - END"))));
    EXPECT_EQ(core->GetFeatureCount(), bound);
}

TEST_F(UICoreTest, WithoutFactoryTheFeatureQueryStopsAtItsFirstRow)
{
    core->SetHandlerFactory(nullptr);
    core->ConstructDriverState(printer, nullptr);
    EXPECT_TRUE(BoundFeatures().empty());
    EXPECT_EQ(core->GetFeatureCount(), 0);
}

TEST_F(UICoreTest, AStateLeftWithoutHandlersStaysAFailure)
{
    constexpr int kEveryCall = 100000;
    machine.FailCalls("CreateFileW", ERROR_ACCESS_DENIED, kEveryCall);  // no database can be read
    EXPECT_NE(core->ConstructDriverState(printer, nullptr), 0);
    machine.ClearFailures();
    EXPECT_EQ(core->GetFeatureCount(), 0);
    // A later call does not take the state without handlers for a built one.
    EXPECT_NE(core->ConstructDriverState(printer, nullptr), 0);
}

TEST_F(UICoreTest, ReEnumerationReplacesBindingsAndReusesHandlers)
{
    UseRecordingHandlers();
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
    size_t handlers = journal.attaches.size();
    core->EnumerateFeatures(nullptr);

    EXPECT_EQ(journal.attaches.size(), handlers);
    EXPECT_EQ(journal.attaches[CLASS_ORIENTATION], 1);
    // Freed old bindings leave nothing behind for the sanitizer to find.
    EXPECT_EQ(BoundFeatures(), Without(DatabaseFeatures(printer, 5999), FEATURE_DUPLEX_UNIT));
}

TEST_F(UICoreTest, EveryHandlerHearsOfEachStoredFeatureThatDiffersFromItsDefault)
{
    UseRecordingHandlers();
    ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
    EXPECT_EQ(core->RefreshChangedHandlers(), 0);
    const std::map<int, int> before = journal.valueDiffers;

    CNiraUISettings* settings = nullptr;
    core->GetSettings(&settings);
    // Tray 2 is kept in the registry feature store; "not installed" is not its default.
    int feature = kTray2;
    int notInstalled = 2;
    ASSERT_EQ(settings->ForceCurrentOption(&feature, &notInstalled, 1), 0);
    journal.valueDiffers.clear();
    EXPECT_EQ(core->RefreshChangedHandlers(), 0);
    ASSERT_EQ(journal.valueDiffers.size(), journal.attaches.size());
    for (const auto& [classId, calls] : journal.valueDiffers) {
        const int earlier = before.count(classId) != 0 ? before.at(classId) : 0;
        EXPECT_EQ(calls, earlier + 1) << classId;
    }
}
