#include "DatabaseFixture.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"

#include <string>
#include "support/WString.h"
#include <vector>

namespace {
int CollectRow(void* argument, int count, char** values, char**)
{
    auto* rows = static_cast<std::vector<std::string>*>(argument);
    std::string row;
    for (int i = 0; i < count; ++i) {
        row += std::string(i ? "|" : "") + (values[i] ? values[i] : "(null)");
    }
    rows->push_back(row);
    return 0;
}

const char* const kTableSql =
    "CREATE TABLE FDT4114 (PaperIndex INTEGER, PaperName TEXT);"
    "INSERT INTO FDT4114 VALUES (256, 'Letter'), (259, 'A4');";
}  // namespace

class FeatureDatabaseTest : public DatabaseFixture {};

TEST_F(FeatureDatabaseTest, MakeTableNamePadsTheIdToFourPlaces)
{
    CNiraFeatureDatabase database(nullptr);
    const struct {
        UINT id;
        WString name;
    } cases[] = {{4113, TEXT("FDT4113")},
                 {999, TEXT("FDT 999")},
                 {7, TEXT("FDT   7")},
                 {12345, TEXT("FDT12345")},
                 {4294967295u, TEXT("FDT4294967295")}};
    for (const auto& c : cases) {
        WCHAR name[kFeatureTableNameSize];
        std::fill(std::begin(name), std::end(name), TEXT('#'));
        EXPECT_EQ(0, database.MakeTableName(c.id, name));
        EXPECT_EQ(c.name, WString(name)) << c.id;
    }
    EXPECT_EQ(NIRA_STATUS_FAILED, database.MakeTableName(4113, nullptr));
}

TEST_F(FeatureDatabaseTest, ExecuteRunsTheStatementWithTheKeptCallback)
{
    CNiraFeatureDatabase database(MakeDatabase("caps.vdf", kTableSql).c_str());
    std::vector<std::string> rows;
    // Without a callback nothing runs.
    EXPECT_EQ(0, database.Execute("SELECT PaperIndex, PaperName FROM FDT4114"));
    EXPECT_TRUE(rows.empty());

    EXPECT_EQ(0, database.SetCallback(CollectRow, &rows));
    EXPECT_EQ(0, database.Execute("SELECT PaperIndex, PaperName FROM FDT4114 ORDER BY PaperIndex"));
    EXPECT_EQ((std::vector<std::string>{"256|Letter", "259|A4"}), rows);
}

TEST_F(FeatureDatabaseTest, AFailedStatementKeepsItsMessageUntilFreed)
{
    CNiraFeatureDatabase database(MakeDatabase("caps.vdf", kTableSql).c_str());
    std::vector<std::string> rows;
    database.SetCallback(CollectRow, &rows);
    EXPECT_EQ(NIRA_STATUS_FAILED, database.Execute("SELECT * FROM FDT9999"));

    char* error = nullptr;
    INT result = 0;
    EXPECT_EQ(0, database.GetResult(&error, &result));
    EXPECT_EQ(SQLITE_ERROR, result);
    ASSERT_NE(nullptr, error);
    EXPECT_NE(std::string::npos, std::string(error).find("no such table"));

    EXPECT_EQ(0, database.FreeError());
    database.GetResult(&error, &result);
    EXPECT_EQ(nullptr, error);

    // The next good statement clears the failure.
    EXPECT_EQ(0, database.Execute("SELECT PaperIndex FROM FDT4114"));
    database.GetResult(&error, &result);
    EXPECT_EQ(SQLITE_OK, result);
}

// The mode is a value the handlers keep in the object for themselves: it changes no query.
TEST_F(FeatureDatabaseTest, ModeChangesNothingTheObjectDoes)
{
    CNiraFeatureDatabase database(MakeDatabase("caps.vdf", kTableSql).c_str());
    std::vector<std::string> rows;
    database.SetCallback(CollectRow, &rows);
    EXPECT_EQ(0, database.SetMode(4116));  // a feature whose table the database lacks
    EXPECT_EQ(4116, database.GetMode());
    EXPECT_EQ(0, database.Execute("SELECT PaperIndex, PaperName FROM FDT4114 ORDER BY PaperIndex"));
    EXPECT_EQ((std::vector<std::string>{"256|Letter", "259|A4"}), rows);
    EXPECT_EQ(0, database.ClearMode(99));  // the argument is not the new mode
    EXPECT_EQ(0, database.GetMode());
    EXPECT_EQ(1, database.Reserved5());
}

TEST_F(FeatureDatabaseTest, WithoutADatabaseNothingRuns)
{
    CNiraFeatureDatabase database(nullptr);
    std::vector<std::string> rows;
    database.SetCallback(CollectRow, &rows);
    EXPECT_EQ(0, database.Execute("SELECT 1"));
    EXPECT_TRUE(rows.empty());
}

TEST_F(FeatureDatabaseTest, DestroyingTheObjectRemovesItsCopy)
{
    {
        CNiraFeatureDatabase database(MakeDatabase("caps.vdf", kTableSql).c_str());
        EXPECT_EQ(1u, CountCopies());
    }
    EXPECT_EQ(0u, CountCopies());
}

// Over the capability reader's copy the handlers' statements make no copy of their own, follow the
// reader when it opens its database again, and keep the reader from closing the copy under a
// statement whose rows are being read.
TEST_F(FeatureDatabaseTest, OnTheReadersCopyNoSecondCopyIsMade)
{
    const WString path = MakeDatabase("caps.vdf", kTableSql);
    CNiraCapabilityDB reader;
    reader.Open(path.c_str());
    CNiraFeatureDatabase database(reader.Copy());
    EXPECT_EQ(1u, CountCopies());

    struct Rows {
        std::vector<std::string> rows;
        CNiraCapabilityDB* reader;
        LONG closeAnswer;
    } seen = {{}, &reader, 0};
    database.SetCallback(
        [](void* argument, int count, char** values, char** names) {
            auto* rows = static_cast<Rows*>(argument);
            rows->closeAnswer = rows->reader->Close();
            return CollectRow(&rows->rows, count, values, names);
        },
        &seen);
    EXPECT_EQ(0, database.Execute("SELECT PaperIndex, PaperName FROM FDT4114 ORDER BY PaperIndex"));
    EXPECT_EQ((std::vector<std::string>{"256|Letter", "259|A4"}), seen.rows);
    EXPECT_EQ(NIRA_STATUS_FAILED, seen.closeAnswer);
    EXPECT_EQ(1u, CountCopies());

    // The reader's next open replaces its copy; the statements run on the new one.
    reader.Open(path.c_str());
    EXPECT_EQ(1u, CountCopies());
    database.SetCallback(CollectRow, &seen.rows);
    seen.rows.clear();
    EXPECT_EQ(0, database.Execute("SELECT PaperName FROM FDT4114 WHERE PaperIndex = 259"));
    EXPECT_EQ((std::vector<std::string>{"A4"}), seen.rows);

    // A failed statement reports as on a copy of its own; closing the reader leaves it to the
    // next statement to open the copy again.
    EXPECT_EQ(NIRA_STATUS_FAILED, database.Execute("SELECT * FROM FDT9999"));
    EXPECT_EQ(0, reader.Close());
    EXPECT_EQ(0, database.Execute("SELECT PaperIndex FROM FDT4114"));
}
