// The one file writer: whole or not at all, every step checked.
#include <gtest/gtest.h>

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <vector>

#include "ScratchPath.h"
#include "files/WholeFile.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void Put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

fs::perms Mode(const fs::path& p) { return fs::status(p).permissions(); }

class WholeFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(dir);
        fs::create_directories(dir);
        oldMask = ::umask(022);
    }
    void TearDown() override {
        ::umask(oldMask);
        fs::remove_all(dir);
    }
    std::vector<std::string> Names(const fs::path& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The error the write raises (number 0 when it succeeds).
    static VbError ErrorOf(const std::string& path, const std::string& text) {
        try {
            files::WriteWholeFile(path, text);
        } catch (const VbError& e) {
            return e;
        }
        return VbError(0, "", "");
    }

    const fs::path dir = testsupport::ScratchPath("vorn_wholefile");
    const fs::path file = dir / "report.dat";
    mode_t oldMask = 0;
    files::ScopedWriterCalls calls;
};

}  // namespace

TEST_F(WholeFileTest, StepsRunInOrderAndTheTemporaryNameSaysWhoseItIs) {
    Put(file, "old\r\n");
    std::vector<std::string> steps;
    std::string tempName;
    files::WriterCalls& c = files::TheWriterCalls();
    c.write = [&, real = c.write](int fd, const void* d, size_t n) { steps.push_back("write"); return real(fd, d, n); };
    c.fsync = [&, real = c.fsync](int fd) {
        struct stat st {};
        ::fstat(fd, &st);
        steps.push_back(S_ISDIR(st.st_mode) ? "fsync folder" : "fsync file");
        return real(fd);
    };
    c.close = [&, real = c.close](int fd) { steps.push_back("close"); return real(fd); };
    c.rename = [&, real = c.rename](const char* from, const char* to) {
        steps.push_back("rename");
        tempName = from;
        EXPECT_EQ(fs::path(to), file);
        return real(from, to);
    };
    files::WriteWholeFile(file.string(), "new\r\n");
    EXPECT_EQ(steps, (std::vector<std::string>{"write", "fsync file", "close", "rename", "fsync folder"}));
    EXPECT_EQ(fs::path(tempName).parent_path(), dir);
    EXPECT_TRUE(std::regex_match(fs::path(tempName).filename().string(), std::regex(R"(\.vorn-[A-Za-z0-9]{6}\.tmp)")))
        << tempName;
    EXPECT_EQ(Read(file), "new\r\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"report.dat"});
}

TEST_F(WholeFileTest, AFailedStepLeavesTheOldFileAndNoTemporaryFileAndNamesTheFile) {
    struct Case {
        const char* step;
        int err;
        int32_t number;
        const char* text;
    } cases[] = {
        {"write", ENOSPC, 61, "Disk full"},
        {"write", EIO, 57, "Device I/O error"},
        {"fsync", EIO, 57, "Device I/O error"},
        {"close", EIO, 57, "Device I/O error"},
        {"rename", EACCES, 70, "Permission denied"},
        {"rename", EXDEV, 75, "Path/File access error"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.step);
        Put(file, "old\r\n");
        files::ScopedWriterCalls restore;
        files::WriterCalls& c = files::TheWriterCalls();
        const std::string step = k.step;
        const int err = k.err;
        if (step == "write") c.write = [err](int, const void*, size_t) -> ssize_t { return errno = err, -1; };
        if (step == "fsync") c.fsync = [err](int) { return errno = err, -1; };
        if (step == "close") c.close = [err, real = c.close](int fd) { real(fd); return errno = err, -1; };
        if (step == "rename") c.rename = [err](const char*, const char*) { return errno = err, -1; };
        const VbError e = ErrorOf(file.string(), "new\r\n");
        EXPECT_EQ(e.Number, k.number);
        EXPECT_EQ(e.Description, std::string(k.text) + ": " + file.string());
        EXPECT_EQ(Read(file), "old\r\n");
        EXPECT_EQ(Names(dir), std::vector<std::string>{"report.dat"});
    }

    // A write that stores only part of the text at a time is carried on to the end.
    files::TheWriterCalls().write = [real = files::TheWriterCalls().write](int fd, const void* d, size_t n) {
        return real(fd, d, n > 3 ? 3 : n);
    };
    files::WriteWholeFile(file.string(), "a longer text\r\n");
    EXPECT_EQ(Read(file), "a longer text\r\n");
}

TEST_F(WholeFileTest, AFolderThatCannotBeSyncedIsReportedAfterTheFileWasReplaced) {
    Put(file, "old\r\n");
    int fsyncs = 0;
    files::TheWriterCalls().fsync = [&, real = files::TheWriterCalls().fsync](int fd) {
        return ++fsyncs == 2 ? (errno = EIO, -1) : real(fd);
    };
    const VbError e = ErrorOf(file.string(), "new\r\n");
    EXPECT_EQ(e.Number, 57);
    EXPECT_NE(e.Description.find(file.string()), std::string::npos);
    EXPECT_EQ(Read(file), "new\r\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"report.dat"});
}

TEST_F(WholeFileTest, AFolderTheUserMayWriteButNotListTakesTheFileAndReportsSuccess) {
    // Making and renaming a file in a folder needs write and search permission; opening the
    // folder to sync it needs read permission too, which a drop folder (0333) withholds. The
    // bits bind no superuser, so then the write runs in a child process as nobody.
    const fs::path drop = dir / "drop";
    const fs::path target = drop / "report.dat";
    fs::create_directory(drop);
    Put(target, "old\r\n");
    const bool root = ::geteuid() == 0;
    uid_t uid = ::getuid();
    gid_t gid = ::getgid();
    if (root) {
        const passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr) GTEST_SKIP() << "no user nobody to drop to";
        uid = nobody->pw_uid;
        gid = nobody->pw_gid;
        ASSERT_EQ(::chown(drop.c_str(), uid, gid), 0);
        ASSERT_EQ(::chown(target.c_str(), uid, gid), 0);
    }
    fs::permissions(drop, fs::perms(0333));

    enum Outcome { kSaved = 0, kRaised = 1, kNoUser = 2, kUnreachable = 3, kListable = 4 };
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (root && (::setgid(gid) != 0 || ::setuid(uid) != 0)) ::_exit(kNoUser);
        if (::access(drop.c_str(), W_OK | X_OK) != 0) ::_exit(kUnreachable);
        if (DIR* d = ::opendir(drop.c_str())) {
            ::closedir(d);
            ::_exit(kListable);
        }
        try {
            files::WriteWholeFile(target.string(), "new\r\n");
        } catch (const VbError& e) {
            std::fprintf(stderr, "%d %s\n", e.Number, e.Description.c_str());
            ::_exit(kRaised);
        }
        ::_exit(kSaved);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    fs::permissions(drop, fs::perms(0755));
    ASSERT_TRUE(WIFEXITED(status));
    const int outcome = WEXITSTATUS(status);
    if (outcome == kNoUser) GTEST_SKIP() << "cannot become nobody here";
    if (outcome == kUnreachable) GTEST_SKIP() << "the scratch folder is out of nobody's reach";
    ASSERT_NE(outcome, kListable) << "the permission bits do not bind here";
    EXPECT_EQ(outcome, kSaved) << "the save succeeded and must say so";
    EXPECT_EQ(Read(target), "new\r\n");
    EXPECT_EQ(Names(drop), std::vector<std::string>{"report.dat"});
}

TEST_F(WholeFileTest, ModeIsKeptAndAReadOnlyFileIsRefusedEvenForTheSuperuser) {
    // A new file gets 0666 less the umask; an existing one keeps its own mode.
    files::WriteWholeFile(file.string(), "one\r\n");
    EXPECT_EQ(Mode(file), fs::perms(0644));
    fs::permissions(file, fs::perms(0640));
    files::WriteWholeFile(file.string(), "two\r\n");
    EXPECT_EQ(Mode(file), fs::perms(0640));
    EXPECT_EQ(Read(file), "two\r\n");

    // Marked read-only: refused as the runtime refuses it, and nothing changes.
    fs::permissions(file, fs::perms(0444));
    const VbError e = ErrorOf(file.string(), "three\r\n");
    EXPECT_EQ(e.Number, 70);
    EXPECT_EQ(e.Description, "Permission denied: " + file.string());
    EXPECT_EQ(Read(file), "two\r\n");
    EXPECT_EQ(Mode(file), fs::perms(0444));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"report.dat"});
}

TEST_F(WholeFileTest, ANameOfTheLongestLegalLengthIsSavedOverAnExistingFile) {
    const fs::path longName = dir / (std::string(251, 'n') + ".dat");
    ASSERT_EQ(longName.filename().string().size(), 255u);
    Put(longName, "old\r\n");
    files::WriteWholeFile(longName.string(), "new\r\n");
    EXPECT_EQ(Read(longName), "new\r\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{longName.filename().string()});
}

TEST_F(WholeFileTest, ALinkIsFollowedAndTheFileItPointsToIsReplacedInItsOwnFolder) {
    const fs::path elsewhere = dir / "elsewhere";
    fs::create_directory(elsewhere);
    const fs::path real = elsewhere / "real.dat";
    Put(real, "old\r\n");
    fs::permissions(real, fs::perms(0600));
    // Two links, the second relative to its own folder.
    fs::create_symlink("elsewhere/real.dat", dir / "hop.dat");
    fs::create_symlink(dir / "hop.dat", file);
    std::string tempName;
    files::TheWriterCalls().rename = [&, real = files::TheWriterCalls().rename](const char* from, const char* to) {
        tempName = from;
        return real(from, to);
    };
    files::WriteWholeFile(file.string(), "new\r\n");
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(dir / "hop.dat"));
    EXPECT_EQ(Read(real), "new\r\n");
    EXPECT_EQ(Mode(real), fs::perms(0600));
    EXPECT_EQ(fs::path(tempName).parent_path(), elsewhere);
    EXPECT_EQ(Names(elsewhere), std::vector<std::string>{"real.dat"});

    // A link to a file not yet there makes that file.
    fs::create_symlink("elsewhere/new.dat", dir / "dangling.dat");
    files::WriteWholeFile((dir / "dangling.dat").string(), "made\r\n");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.dat"));
    EXPECT_EQ(Read(elsewhere / "new.dat"), "made\r\n");
}

TEST_F(WholeFileTest, AFolderInTheWayOrAMissingFolderIsReportedAndNothingIsLeft) {
    fs::create_directory(dir / "taken.dat");
    const struct {
        fs::path path;
        int32_t number;
    } cases[] = {{dir / "taken.dat", 75}, {dir / "none" / "x.dat", 76}};
    for (const auto& k : cases) {
        const VbError e = ErrorOf(k.path.string(), "text\r\n");
        EXPECT_EQ(e.Number, k.number) << k.path;
        EXPECT_NE(e.Description.find(k.path.string()), std::string::npos) << e.Description;
    }
    EXPECT_TRUE(fs::is_directory(dir / "taken.dat"));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"taken.dat"});
    EXPECT_TRUE(files::CanCreateFilesIn(dir.string()));
    EXPECT_FALSE(files::CanCreateFilesIn((dir / "none").string()));
    EXPECT_EQ(Names(dir), std::vector<std::string>{"taken.dat"});
}
