// A simulated machine with small databases of a test's own, written where a driver ships them.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include "support/SqlDatabase.h"
#include "support/WString.h"

#include "nirasim/Machine.h"

class DatabaseFixture : public ::testing::Test {
protected:
    // Writes a database made by the SQL text into the driver directory; answers its Windows path.
    WString MakeDatabase(const std::string& fileName, const std::string& sql)
    {
        return WriteSqlDatabase(machine, fileName, sql);
    }

    WString TempDirectory()
    {
        WCHAR buffer[MAX_PATH] = {};
        EXPECT_NE(0u, GetTempPathW(MAX_PATH, buffer));
        return WString(buffer);
    }

    std::filesystem::path HostTempDirectory() { return machine.HostPath(TempDirectory()); }

    // The files of the temporary directory whose name ends in ".tmp.vdf" (without regard to case).
    size_t CountCopies()
    {
        size_t count = 0;
        for (const auto& entry : std::filesystem::directory_iterator(HostTempDirectory())) {
            std::string name = entry.path().filename().string();
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            const std::string suffix = ".tmp.vdf";
            if (name.size() >= suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
                ++count;
            }
        }
        return count;
    }

    void MakeStaleCopies(int count)
    {
        for (int i = 0; i < count; ++i) {
            ASSERT_TRUE(machine.WriteFile(
                TempDirectory() + nirasim::Wide("ZQV" + std::to_string(1000 + i) + ".tmp.vdf"), "x"));
        }
    }

    nirasim::Machine machine;
};
