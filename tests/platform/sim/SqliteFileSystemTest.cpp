#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "nirasim/Machine.h"

namespace {
int CountRows(void* argument, int, char**, char**)
{
    ++*static_cast<int*>(argument);
    return 0;
}
}  // namespace

TEST(SqliteFileSystemTest, WindowsPathsOpenOnTheMachine)
{
    nirasim::Machine machine;
    const std::u16string path = TEXT("C:\\Data\\Sample.db");
    ASSERT_TRUE(machine.WriteFile(path, ""));

    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open16(path.c_str(), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE T (A); INSERT INTO T VALUES (1), (2);", nullptr,
                                      nullptr, nullptr));
    sqlite3_close(db);

    std::string bytes;
    ASSERT_TRUE(machine.ReadFile(path, bytes));
    EXPECT_EQ(0u, bytes.rfind("SQLite format 3", 0));

    // Names match without regard to case, and '/' separates as '\' does.
    int rows = 0;
    ASSERT_EQ(SQLITE_OK, sqlite3_open16(TEXT("c:/DATA/sample.DB"), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, "SELECT A FROM T", CountRows, &rows, nullptr));
    sqlite3_close(db);
    EXPECT_EQ(2, rows);
}

TEST(SqliteFileSystemTest, ANewDatabaseIsCreatedUnderTheMachineRootOnly)
{
    nirasim::Machine machine;
    ASSERT_TRUE(machine.WriteFile(TEXT("C:\\Data\\keep.txt"), "x"));
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open16(TEXT("C:\\Data\\new.db"), &db));
    ASSERT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE T (A)", nullptr, nullptr, nullptr));
    sqlite3_close(db);
    EXPECT_TRUE(machine.FileExists(TEXT("C:\\Data\\new.db")));
    EXPECT_EQ(0u, machine.HostPath(TEXT("C:\\Data\\new.db")).rfind(machine.Root(), 0));
}

TEST(SqliteFileSystemTest, HostPathsStillOpen)
{
    nirasim::Machine machine;
    const std::string host = machine.Root() + "/host-side.db";
    sqlite3* db = nullptr;
    ASSERT_EQ(SQLITE_OK, sqlite3_open(host.c_str(), &db));
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, "CREATE TABLE T (A)", nullptr, nullptr, nullptr));
    sqlite3_close(db);
    EXPECT_EQ(std::string("nirasim"), sqlite3_vfs_find(nullptr)->zName);
}
