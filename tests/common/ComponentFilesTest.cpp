#include <windows.h>

#include "common/ComponentFiles.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

namespace {

TEST(ComponentFiles, DriverIniIsTheFirstNameWithIniInUpperCase)
{
    WCHAR path[MAX_PATH];
    const WCHAR list[] = TEXT("C:\\d\\ui.dll\0C:\\d\\model.Ini\0C:\\d\\other.ini\0");
    ASSERT_TRUE(FindIniInDependentFiles(list, path));
    EXPECT_EQ(WString(path), TEXT("C:\\D\\MODEL.INI"));
    const WCHAR none[] = TEXT("C:\\d\\ui.dll\0C:\\d\\inifile.dll\0");
    EXPECT_FALSE(FindIniInDependentFiles(none, path));
    const WCHAR empty[] = TEXT("\0");
    EXPECT_FALSE(FindIniInDependentFiles(empty, path));
    EXPECT_FALSE(FindIniInDependentFiles(nullptr, path));
}

TEST(ProcessIdentity, SpoolerBaseNameIsMeasuredButNotWritten)
{
    nirasim::Machine machine;
    machine.SetProcessPath("C:\\Windows\\System32\\SpoolSv.exe");
    char out[32] = "untouched";
    size_t length = 0;
    EXPECT_EQ(GetProcessBaseName(out, sizeof(out), &length), NIRA_STATUS_OK);
    EXPECT_EQ(length, 11u);
    EXPECT_STREQ(out, "untouched");
    EXPECT_EQ(GetProcessPath(out, sizeof(out), &length), NIRA_STATUS_OK);
    EXPECT_STREQ(out, "untouched");

    machine.SetProcessPath("C:\\Program Files\\Office,Suite\\writer.exe");
    EXPECT_EQ(GetProcessBaseName(out, sizeof(out), &length), NIRA_STATUS_OK);
    EXPECT_STREQ(out, "writer.exe");
    EXPECT_EQ(GetProcessBaseName(out, 10, &length), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(length, 10u);
    EXPECT_EQ(GetProcessPath(out, 10, &length), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(GetProcessPath(nullptr, 10, &length), NIRA_STATUS_FAILED);

    EXPECT_EQ(GetFileBaseName("C:\\a\\b,c.txt", out, sizeof(out), &length), NIRA_STATUS_OK);
    EXPECT_STREQ(out, "c.txt");
    EXPECT_EQ(GetFileBaseName(nullptr, out, sizeof(out), &length), NIRA_STATUS_FAILED);

    machine.SetUser("Jonas");
    WCHAR user[4];
    EXPECT_EQ(GetCurrentUserName(user, 4), NIRA_STATUS_OK);
    EXPECT_EQ(WString(user), TEXT("Jon"));  // cut to the caller's buffer
    machine.SetUILanguage(0x0411);
    LANGID language = 0;
    EXPECT_EQ(GetUserUILanguage(&language), NIRA_STATUS_OK);
    EXPECT_EQ(language, 0x0411);
    EXPECT_EQ(MakeIntResource(0x12345), MAKEINTRESOURCEW(0x2345));
    EXPECT_FALSE(IsStateOverrideEnabled());
}

}  // namespace
