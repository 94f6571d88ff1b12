#include "files/ini_file.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <csignal>

#include "temp_dir.h"

namespace tarvo {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

constexpr std::string_view kOldContent = "[Params]\r\nDc=10\r\n";

TEST(IniFile, MissingFileReadsAsDefaultsAndOneShotOperationsWork) {
    TempDir dir;
    const std::string path = dir.File("m.zel");
    EXPECT_EQ(ReadIniStr(path, "Params", "Dc", "0"), "0");
    EXPECT_FALSE(IniFile::Open(path).existed());
    EXPECT_FALSE(FileExists(path));  // reading created nothing
    ASSERT_TRUE(WriteIniStr(path, "Params", "Dc", "30"));
    EXPECT_EQ(ReadBytes(path), "[Params]\r\nDc=30\r\n");
    ASSERT_TRUE(WriteIniStr(path, "Tabs", "Active", "3"));
    EXPECT_TRUE(DeleteIniKey(path, "params", "dc"));
    EXPECT_TRUE(EraseIniSection(path, "Tabs"));
    EXPECT_EQ(ReadBytes(path), "[Params]\r\n");
}

// The document tests report failed saves (read-only file or directory, missing directory, a
// directory in the way); here, the failures that only the file layer sees.
TEST(IniFile, WriteErrorHalfwayKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.File("m.zel");
    WriteBytes(path, kOldContent);
    // A file size limit makes the write fail halfway, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &small);
    IniFile file = IniFile::Open(path);
    file.document().WriteIniStr("Description", "Motor", std::string(500, 'x'));
    const auto failure = file.Commit();
    ::setrlimit(RLIMIT_FSIZE, &old);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, "превышен допустимый размер файла");
    EXPECT_EQ(ReadBytes(path), kOldContent);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniFile, UnreadableOrOversizedFilesAreNeverOverwritten) {
    TempDir dir;
    const std::string big = dir.File("big.zel");
    const std::string content = "[Params]\r\nDc=1\r\nLc=" + std::string(kMaxReadableFileBytes, '5');
    WriteBytes(big, content);
    IniFile file = IniFile::Open(big);
    EXPECT_EQ(file.document().ReadIniStr("Params", "Dc", ""), "1");
    EXPECT_EQ(file.document().ReadIniStr("Params", "Lc", "0"), "0");  // cut line: not read
    EXPECT_TRUE(file.Commit().has_value());
    EXPECT_EQ(ReadBytes(big).size(), content.size());

    const std::string fifo = dir.File("pipe.zel");  // must not wait for a writer
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(ReadIniStr(fifo, "Params", "Dc", "0"), "0");
    EXPECT_TRUE(IniFile::Open(fifo).Commit().has_value());
}

TEST(IniFile, ReplacingKeepsPermissionsAndFollowsLinks) {
    TempDir dir;
    const std::string real = dir.File("real.zel");
    const std::string link = dir.File("link.zel");
    WriteBytes(real, kOldContent);
    ::chmod(real.c_str(), 0640);
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    ASSERT_TRUE(WriteIniStr(link, "Params", "Dc", "20"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(std::filesystem::status(real).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(ReadBytes(real), "[Params]\r\nDc=20\r\n");

    // A relative link whose file does not exist yet: the file is made where it points.
    std::filesystem::create_directory(dir.File("sub"));
    const std::string dangling = dir.File("new.zel");
    ASSERT_EQ(::symlink("sub/made.zel", dangling.c_str()), 0);
    ASSERT_TRUE(WriteIniStr(dangling, "Params", "Dc", "5"));
    EXPECT_TRUE(std::filesystem::is_symlink(dangling));
    EXPECT_EQ(ReadBytes(dir.File("sub/made.zel")), "[Params]\r\nDc=5\r\n");

    const std::string loop = dir.File("loop.zel");
    ASSERT_EQ(::symlink(loop.c_str(), loop.c_str()), 0);
    const auto failure = WriteFileAtomically(loop, "x");
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->reason, "слишком много символических ссылок");
}

// A process that has exited: its number names no process until the system reuses it.
pid_t DeadProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

// A save killed between writing and renaming leaves ".<name>.<pid>.tmp"; the next save of the
// same file removes it, unless its process is still saving.
TEST(IniFile, TheNextSaveRemovesLeftoversOfDeadProcessesOnly) {
    TempDir dir;
    const std::string target = dir.File("m.zel");
    EXPECT_EQ(TemporaryPathFor(target, 42), dir.File(".m.zel.42.tmp"));
    EXPECT_EQ(TemporaryPathFor("m.zel", 7), ".m.zel.7.tmp");
    const pid_t dead = DeadProcess();
    const std::string deadLeftover = TemporaryPathFor(target, dead);
    const std::string kept[] = {
        TemporaryPathFor(target, 1),                    // a live process: still saving
        TemporaryPathFor(dir.File("other.zel"), dead),  // another file's
        dir.File(".m.zel.abc.tmp"),                     // not a process number
        dir.File(".m.zel.-5.tmp"),
    };
    for (const std::string& path : kept) {
        WriteBytes(path, "half");
    }
    WriteBytes(deadLeftover, "half");
    ASSERT_FALSE(WriteFileAtomically(target, kOldContent));
    EXPECT_FALSE(std::filesystem::exists(deadLeftover));
    for (const std::string& path : kept) {
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }
    EXPECT_EQ(ReadBytes(target), kOldContent);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 5);
}

TEST(FilePaths, SplitAndReplaceExtensions) {
    struct Case {
        std::string_view path, directory, name, withZel;
    };
    const Case cases[] = {
        {"/home/u/Motor.ZEL", "/home/u", "Motor.ZEL", "/home/u/Motor.zel"},
        {"/home/u.v2/motor", "/home/u.v2", "motor", "/home/u.v2/motor.zel"},
        {"my.grn", "", "my.grn", "my.zel"},
        {"/d/.hidden", "/d", ".hidden", "/d/.hidden.zel"},
        {"/top", "/", "top", "/top.zel"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DirectoryOf(c.path), c.directory);
        EXPECT_EQ(FileNameOf(c.path), c.name);
        EXPECT_EQ(ReplaceExtension(c.path, ".zel"), c.withZel);
    }
}

}  // namespace
}  // namespace tarvo
