// A database of a test's own, made from its SQL text and written where a driver ships its
// databases (the driver directory's version folder) on a simulated machine.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <nirasim/Machine.h>
#include <sqlite3.h>

#include <string>

#include "support/WString.h"

// Writes the database under the file name and answers its Windows path.
inline WString WriteSqlDatabase(nirasim::Machine& machine, const std::string& fileName,
                                const std::string& sql)
{
    const WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\") + nirasim::Wide(fileName);
    EXPECT_TRUE(machine.WriteFile(path, ""));
    sqlite3* db = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_open(machine.HostPath(path).c_str(), &db));
    char* error = nullptr;
    EXPECT_EQ(SQLITE_OK, sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error)) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    return path;
}
