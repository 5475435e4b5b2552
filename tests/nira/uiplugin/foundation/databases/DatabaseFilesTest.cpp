#include "DatabaseFixture.h"

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nira/uiplugin/foundation/databases/StatementCache.h"

#include <cstdio>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {
int CollectFirstColumn(void* argument, int count, char** values, char**)
{
    auto* rows = static_cast<std::vector<std::string>*>(argument);
    rows->push_back(count > 0 && values[0] != nullptr ? values[0] : "(null)");
    return 0;
}

int StopAtFirstRow(void*, int, char**, char**)
{
    return 1;
}

const char* const kFruitSql =
    "CREATE TABLE FRUIT (Name TEXT); INSERT INTO FRUIT VALUES ('apple'), ('pear'), ('plum');";
}  // namespace

class DatabaseFilesTest : public DatabaseFixture {};

TEST_F(DatabaseFilesTest, QueriesRunOnATemporaryCopyThatClosingRemoves)
{
    const WString shipped = MakeDatabase("fruit.vdf", kFruitSql);
    std::string before;
    ASSERT_TRUE(machine.ReadFile(shipped, before));

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &db));
    ASSERT_NE(nullptr, db);
    EXPECT_EQ(1u, CountCopies());

    std::vector<std::string> rows;
    char* error = nullptr;
    EXPECT_EQ(SQLITE_OK,
              ExecuteQuery(db, "SELECT Name FROM FRUIT ORDER BY Name", CollectFirstColumn, &rows, &error));
    EXPECT_EQ((std::vector<std::string>{"apple", "pear", "plum"}), rows);

    // The copy is what the connection changes: the shipped file stays as it was.
    EXPECT_EQ(SQLITE_OK, ExecuteQuery(db, "DELETE FROM FRUIT", nullptr, nullptr, &error));
    std::string after;
    ASSERT_TRUE(machine.ReadFile(shipped, after));
    EXPECT_EQ(before, after);

    CloseDatabaseCopy(db);
    EXPECT_EQ(0u, CountCopies());
}

TEST_F(DatabaseFilesTest, CopiesAreNamedAfterTheUniqueTemporaryName)
{
    const WString shipped = MakeDatabase("fruit.vdf", kFruitSql);
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &db));
    std::string name;
    for (const auto& entry : std::filesystem::directory_iterator(HostTempDirectory())) {
        name = entry.path().filename().string();
    }
    // "ZQV" (the platform keeps three letters of the prefix), a hexadecimal number, ".tmp.vdf".
    EXPECT_EQ(0u, name.rfind("ZQV", 0)) << name;
    EXPECT_NE(std::string::npos, name.find(".tmp.vdf")) << name;
    CloseDatabaseCopy(db);
}

TEST_F(DatabaseFilesTest, AMissingDatabaseOpensEmptyAndItsFirstQueryFails)
{
    sqlite3* db = nullptr;
    const WString missing = nirasim::Machine::DriverVersionDirectory() + TEXT("\\missing.vdf");
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(missing.c_str(), &db));
    char* error = nullptr;
    EXPECT_EQ(SQLITE_ERROR, ExecuteQuery(db, "SELECT Name FROM FRUIT", CollectFirstColumn, nullptr, &error));
    ASSERT_NE(nullptr, error);
    EXPECT_NE(std::string::npos, std::string(error).find("no such table"));
    FreeQueryError(error);
    CloseDatabaseCopy(db);
}

TEST_F(DatabaseFilesTest, ACallbackThatAnswersNonZeroAbortsTheQuery)
{
    const WString shipped = MakeDatabase("fruit.vdf", kFruitSql);
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &db));
    char* error = nullptr;
    EXPECT_EQ(SQLITE_ABORT, ExecuteQuery(db, "SELECT Name FROM FRUIT", StopAtFirstRow, nullptr, &error));
    FreeQueryError(error);
    CloseDatabaseCopy(db);
}

TEST_F(DatabaseFilesTest, ClosingSweepsTheFirstStaleCopyAndAHundredMore)
{
    const WString shipped = MakeDatabase("fruit.vdf", kFruitSql);
    MakeStaleCopies(150);
    ASSERT_TRUE(machine.WriteFile(TempDirectory() + TEXT("keep.tmp"), "x"));
    ASSERT_TRUE(machine.WriteFile(TempDirectory() + TEXT("keep.vdf"), "x"));

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &db));
    ASSERT_EQ(151u, CountCopies());
    CloseDatabaseCopy(db);

    EXPECT_EQ(151u - (1 + kMaxSweptCopies), CountCopies());
    EXPECT_TRUE(machine.FileExists(TempDirectory() + TEXT("keep.tmp")));
    EXPECT_TRUE(machine.FileExists(TempDirectory() + TEXT("keep.vdf")));
}

TEST_F(DatabaseFilesTest, TwoReadersGetCopiesOfTheirOwn)
{
    const WString shipped = MakeDatabase("fruit.vdf", kFruitSql);
    sqlite3* first = nullptr;
    sqlite3* second = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &first));
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &second));
    EXPECT_EQ(2u, CountCopies());
    char* error = nullptr;
    ASSERT_EQ(SQLITE_OK, ExecuteQuery(first, "DELETE FROM FRUIT", nullptr, nullptr, &error));
    std::vector<std::string> rows;
    EXPECT_EQ(SQLITE_OK, ExecuteQuery(second, "SELECT Name FROM FRUIT", CollectFirstColumn, &rows, &error));
    EXPECT_EQ(3u, rows.size());
    // Closing the first sweeps; the second reader goes on reading its own copy.
    CloseDatabaseCopy(first);
    rows.clear();
    EXPECT_EQ(SQLITE_OK, ExecuteQuery(second, "SELECT Name FROM FRUIT", CollectFirstColumn, &rows, &error));
    EXPECT_EQ(3u, rows.size());
    CloseDatabaseCopy(second);
    EXPECT_EQ(0u, CountCopies());
}

TEST_F(DatabaseFilesTest, ACopyNameAnotherReaderHoldsIsNeverOpenedInPlaceOfTheShippedFile)
{
    const WString shipped = MakeDatabase("fruit.vdf", kFruitSql);
    // The next unique name is the one after this probe's: another reader's copy holds it.
    WCHAR probe[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempFileNameW(TempDirectory().c_str(), TEXT("ZQV"), 0, probe));
    ASSERT_TRUE(DeleteFileW(probe));
    const WString probeName = WString(probe).substr(TempDirectory().size());
    const unsigned next = (std::stoul(nirasim::Utf8(probeName.substr(3)), nullptr, 16) + 1) & 0xFFFF;
    char hex[8];
    std::snprintf(hex, sizeof(hex), "%X", next);
    const WString taken = TempDirectory() + TEXT("ZQV") + nirasim::Wide(hex) + TEXT(".tmp.vdf");
    const WString other =
        MakeDatabase("other.vdf", "CREATE TABLE FRUIT (Name TEXT); INSERT INTO FRUIT VALUES ('stone');");
    ASSERT_TRUE(CopyFileW(other.c_str(), taken.c_str(), FALSE));

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &db));
    std::vector<std::string> rows;
    char* error = nullptr;
    EXPECT_EQ(SQLITE_OK,
              ExecuteQuery(db, "SELECT Name FROM FRUIT ORDER BY Name", CollectFirstColumn, &rows, &error));
    EXPECT_EQ((std::vector<std::string>{"apple", "pear", "plum"}), rows);
    CloseDatabaseCopy(db);
}

namespace {
int CollectRow(void* argument, int count, char** values, char**)
{
    auto* rows = static_cast<std::vector<std::string>*>(argument);
    for (int i = 0; i < count; ++i) {
        rows->push_back(values[i] != nullptr ? values[i] : "(null)");
    }
    return 0;
}
}  // namespace

// Kept statements hand their rows on as sqlite3_exec does, whatever the values' types.
TEST_F(DatabaseFilesTest, KeptStatementsReadValuesAsExecReadsThem)
{
    const WString shipped = MakeDatabase(
        "values.vdf",
        "CREATE TABLE V (Id INTEGER, A, B, C, D, E, F, G);"
        "INSERT INTO V VALUES (1, 0, -1, 9223372036854775807, -9223372036854775808, 2.5, '0042', NULL);"
        "INSERT INTO V VALUES (2, 4096, -70000, 'text', x'41', 1e100, -0.0, '');");
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, OpenDatabaseCopy(shipped.c_str(), &db));
    const char* const query = "SELECT * FROM V WHERE Id = ";
    for (LONGLONG id : {1, 2}) {
        std::vector<std::string> executed;
        const std::string text = query + std::to_string(id);
        ASSERT_EQ(SQLITE_OK, ExecuteQuery(db, text.c_str(), CollectRow, &executed, nullptr));
        std::vector<std::string> kept;
        CNiraStatementCache statements;
        ASSERT_EQ(SQLITE_OK, statements.Run(db, query, &id, CollectRow, &kept));
        EXPECT_EQ(executed, kept) << id;
        statements.Clear();
    }
    CloseDatabaseCopy(db);
}
