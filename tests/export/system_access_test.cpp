#include "export/system_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"

namespace tarvo {
namespace {

TEST(HostSystem, ReturnsTheOutputOnlyOfACommandThatSucceededInTime) {
    const std::pair<std::vector<std::string>, std::optional<std::string>> cases[] = {
        {{"sh", "-c", "printf 'calc.desktop\\n'"}, "calc.desktop\n"},
        {{"sh", "-c", "echo noise >&2; printf ok"}, "ok"},
        {{"sh", "-c", "printf partial; exit 3"}, std::nullopt},
        {{"sh", "-c", "head -c 200000 /dev/zero"}, std::nullopt},  // no answer is that long
        {{"sleep", "30"}, std::nullopt},
        {{"sh", "-c", "exec >&-; sleep 30"}, std::nullopt},  // closes its output, then hangs
        {{"tarvo-no-such-program"}, std::nullopt},
        {{}, std::nullopt},
    };
    HostSystem system(std::chrono::milliseconds(300));
    const auto start = std::chrono::steady_clock::now();
    for (const auto& [command, output] : cases) {
        EXPECT_EQ(system.RunForOutput(command), output) << ::testing::PrintToString(command);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(HostSystem, FindsOnlyExecutableFilesInAbsolutePathDirectories) {
    testing::TempDir bin;
    testing::WriteBytes(bin.File("tool"), "#!/bin/sh\n");
    testing::WriteBytes(bin.File("plain"), "text\n");
    ::chmod(bin.File("tool").c_str(), 0755);
    const std::string saved = std::getenv("PATH");
    ::setenv("PATH", ("relative::/no/such/dir:" + bin.path()).c_str(), 1);
    HostSystem system;
    for (const auto& [program, found] : {std::pair{"tool", true},
                                         {"plain", false},
                                         {"", false},
                                         {"/bin/sh", false},
                                         {"sh", false}}) {
        EXPECT_EQ(system.ProgramOnPath(program), found) << program;
    }
    ::setenv("PATH", saved.c_str(), 1);
}

}  // namespace
}  // namespace tarvo
