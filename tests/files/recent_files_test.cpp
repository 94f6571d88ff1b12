#include "files/recent_files.h"

#include <gtest/gtest.h>

#include "files/ini_file.h"
#include "temp_dir.h"

namespace tarvo {
namespace {

std::vector<std::string> Paths(std::initializer_list<const char*> paths) {
    return std::vector<std::string>(paths.begin(), paths.end());
}

// The update rule (four newest, no duplicates, case kept) is the document tests' recent list.
TEST(RecentFiles, ListAndIniFileMirrorEachOther) {
    IniDocument ini = IniDocument::Parse("[Files]\r\n0=/x\r\n1=\r\n2=/y\r\n3=/x\r\n4=/old\r\n");
    RecentFiles recent;
    recent.LoadRecentList(ini);
    EXPECT_EQ(recent.entries(), Paths({"/x", "/y"}));
    recent.LoadRecentList(ini);  // a second load does not pile up entries
    recent.Add("");              // nothing opened: nothing remembered
    EXPECT_EQ(recent.entries(), Paths({"/x", "/y"}));
    recent.SaveRecentList(ini);
    EXPECT_EQ(ini.Serialize(), "[Files]\r\n0=/x\r\n1=/y\r\n4=/old\r\n");
}

TEST(RecentFiles, TarvoIniLivesInTheUserConfigurationDirectory) {
    struct Case {
        const char* xdg;
        const char* home;
        std::string expected;
    };
    // clang-format off
    const Case cases[] = {
        {"/cfg", "/home/u", "/cfg/Tarvo/Tarvo.ini"},   {"/cfg/", "/h", "/cfg/Tarvo/Tarvo.ini"},
        {nullptr, "/home/u", "/home/u/.config/Tarvo/Tarvo.ini"},
        {"", "/h", "/h/.config/Tarvo/Tarvo.ini"},     {"rel", "/h", "/h/.config/Tarvo/Tarvo.ini"},
        {nullptr, "relative", ""},                    {nullptr, nullptr, ""},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(TarvoIniPath(c.xdg, c.home), c.expected);
    }
}

TEST(RecentFiles, SavingCreatesTheDirectoryAndKeepsAnyPath) {
    testing::TempDir dir;
    const std::string ini = dir.File("config/Tarvo/Tarvo.ini");
    EXPECT_TRUE(LoadRecentFiles(ini).entries().empty());
    RecentFiles recent;
    recent.Add("/данные/中文 & co.zel");
    ASSERT_FALSE(SaveRecentFiles(recent, ini));
    EXPECT_EQ(LoadRecentFiles(ini).entries(), recent.entries());
}

}  // namespace
}  // namespace tarvo
