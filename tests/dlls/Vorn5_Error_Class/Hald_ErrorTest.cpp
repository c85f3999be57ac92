#include "Hald_Error.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "files/WholeFile.h"
#include "forms/HeadlessForms.h"

namespace fs = std::filesystem;

namespace {

// A fresh log folder per test; the handler writes there instead of beside the program.
class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "vorn5-errlog-XXXXXX").string();
        folder_ = mkdtemp(templ.data());
        ErrorLogging::SetLogFolder(folder_);
    }
    void TearDown() override {
        ErrorLogging::SetLogFolder("");
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    std::vector<std::string> logLines() const {
        std::ifstream in(ErrorLogging::LogFilePath(), std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        std::string all = ss.str();
        std::vector<std::string> lines;
        size_t start = 0, end;
        while ((end = all.find("\r\n", start)) != std::string::npos) {
            lines.push_back(all.substr(start, end - start));
            start = end + 2;
        }
        EXPECT_EQ(start, all.size()) << "every record ends with CR LF";
        return lines;
    }

    // A file dated at noon `days` calendar days before today.
    void makeDatedFile(const std::string& name, int days) const {
        std::string path = folder_ + "/" + name;
        std::ofstream(path) << "old\r\n";
        std::time_t t = std::time(nullptr);
        std::tm tm{};
        localtime_r(&t, &tm);
        tm.tm_mday -= days;
        tm.tm_hour = 12;
        tm.tm_min = tm.tm_sec = 0;
        tm.tm_isdst = -1;
        utimbuf times{std::mktime(&tm), std::mktime(&tm)};
        ASSERT_EQ(utime(path.c_str(), &times), 0);
    }

    std::string folder_;
};

std::string pad(std::string s, size_t width) {
    s.resize(width, ' ');
    return s;
}

std::vector<std::string> splitCR(const std::string& s) {
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = s.find('\r', start)) != std::string::npos) {
        lines.push_back(s.substr(start, end - start));
        start = end + 1;
    }
    if (start < s.size()) lines.push_back(s.substr(start));
    return lines;
}

}  // namespace

TEST_F(ErrorLogTest, RecordsUsePrintZonesAndCountOwnErrorsFromTheBase) {
    struct Case { int32_t number; const char* shown; const char* kind; } cases[] = {
        {vbObjectError + 2281, " 2281 ", "Hald Error"},
        {5, " 5 ", "System Error"},
        {vbObjectError, "-2147221504 ", "System Error"},             // difference 0
        {vbObjectError + 65534, " 65534 ", "Hald Error"},
        {vbObjectError + 65535, "-2147155969 ", "System Error"},     // difference not below 65535
        {-7, "-7 ", "System Error"}};
    // The 32-character description runs into a third zone: the source starts at column 70.
    for (const auto& c : cases) ErrorLogging::LogError(c.number, "Cannot Regress with Zero Points.", "clsRegression.Fit");

    auto lines = logLines();
    ASSERT_EQ(lines.size(), std::size(cases));
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string expected = pad(cases[i].shown, 14) + pad(cases[i].kind, 28 - 14) +
                               pad("Cannot Regress with Zero Points.", 70 - 28) + pad("clsRegression.Fit", 98 - 70);
        EXPECT_EQ(lines[i].substr(0, expected.size()), expected) << i;
        EXPECT_GT(lines[i].size(), expected.size()) << "date and time follow";
    }
    EXPECT_EQ(fs::path(ErrorLogging::LogFilePath()).parent_path().string(), folder_);
}

TEST_F(ErrorLogTest, TodaysFileIsNamedByDayAndMonthAndAppendedTo) {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    char name[32];
    std::snprintf(name, sizeof name, "Vorn5ERROR%02d%02d.TXT", tm.tm_mday, tm.tm_mon + 1);
    EXPECT_EQ(fs::path(ErrorLogging::LogFilePath()).filename().string(), name);

    std::ofstream(ErrorLogging::LogFilePath(), std::ios::binary) << "earlier line\r\n";
    ErrorLogging::LogError(5, "Invalid procedure call", "");
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "earlier line");
    EXPECT_EQ(lines[1].substr(0, 14), pad(" 5 ", 14));
    // An empty source still takes its whole zone.
    EXPECT_EQ(lines[1].substr(28, 28), pad("Invalid procedure call", 28));
}

TEST_F(ErrorLogTest, ARecordIsAppendedInPlaceWithoutRewritingOrSyncingTheDaysFile) {
    // The log is no user data: a record must not cost a rewrite of the day, nor a sync.
    const std::string earlier = "earlier line\r\n";
    std::ofstream(ErrorLogging::LogFilePath(), std::ios::binary) << earlier;
    struct stat before {};
    ASSERT_EQ(::stat(ErrorLogging::LogFilePath().c_str(), &before), 0);
    int syncs = 0, renames = 0;
    {
        files::ScopedWriterCalls restore;
        files::TheWriterCalls().fsync = [&, real = files::TheWriterCalls().fsync](int fd) { return ++syncs, real(fd); };
        files::TheWriterCalls().rename = [&, real = files::TheWriterCalls().rename](const char* from, const char* to) {
            return ++renames, real(from, to);
        };
        for (int i = 0; i < 3; ++i) ErrorLogging::LogError(5, "Invalid procedure call", "");
    }
    EXPECT_EQ(syncs, 0);
    EXPECT_EQ(renames, 0);
    struct stat after {};
    ASSERT_EQ(::stat(ErrorLogging::LogFilePath().c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino) << "the same file, added to";
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "earlier line");
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i].substr(0, 28), pad(" 5 ", 14) + pad("System Error", 14));

    // A new day's file gets the mode of any new file.
    fs::remove(ErrorLogging::LogFilePath());
    const mode_t mask = ::umask(027);
    ErrorLogging::LogError(5, "x", "y");
    ::umask(mask);
    EXPECT_EQ(fs::status(ErrorLogging::LogFilePath()).permissions(), fs::perms(0640));
    EXPECT_EQ(logLines().size(), 1u);
}

TEST_F(ErrorLogTest, ARecordThatCannotBeWrittenLeavesTheDaysFileWhole) {
    const std::string earlier = "earlier line\r\n";
    std::ofstream(ErrorLogging::LogFilePath(), std::ios::binary) << earlier;
    auto contents = [] {
        std::ifstream in(ErrorLogging::LogFilePath(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    {
        // A disk that is full, then one that fills in the middle of the record: the part
        // written is cut off again.
        files::ScopedWriterCalls restore;
        files::TheWriterCalls().write = [](int, const void*, size_t) -> ssize_t { return errno = ENOSPC, -1; };
        EXPECT_NO_THROW(ErrorLogging::LogError(5, "x", "y"));
        int writes = 0;
        files::TheWriterCalls().write = [&](int fd, const void* d, size_t n) -> ssize_t {
            return ++writes == 1 ? ::write(fd, d, n > 20 ? 20 : n) : (errno = ENOSPC, -1);
        };
        EXPECT_NO_THROW(ErrorLogging::LogError(5, "x", "y"));
        EXPECT_EQ(writes, 2);
        EXPECT_EQ(contents(), earlier);
        // A record another copy of the program adds while this one fails is not cut away
        // with the part of this one.
        const std::string other = "other copy's record\r\n";
        writes = 0;
        files::TheWriterCalls().write = [&](int fd, const void* d, size_t n) -> ssize_t {
            if (++writes > 1) return errno = ENOSPC, -1;
            const ssize_t put = ::write(fd, d, n > 20 ? 20 : n);
            std::ofstream(ErrorLogging::LogFilePath(), std::ios::binary | std::ios::app) << other;
            return put;
        };
        EXPECT_NO_THROW(ErrorLogging::LogError(5, "x", "y"));
        const std::string after = contents();
        EXPECT_EQ(after.substr(0, earlier.size()), earlier);
        EXPECT_EQ(after.substr(after.size() - other.size()), other);
        std::ofstream(ErrorLogging::LogFilePath(), std::ios::binary) << earlier;
    }
    EXPECT_EQ(contents(), earlier);
    // A day's file marked read-only stays as it is.
    fs::permissions(ErrorLogging::LogFilePath(), fs::perms(0444));
    EXPECT_NO_THROW(ErrorLogging::LogError(5, "x", "y"));
    EXPECT_EQ(contents(), earlier);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(ErrorLogTest, LogsOlderThanSevenDaysArePurged) {
    makeDatedFile("Vorn5ERROR0101.TXT", 8);
    makeDatedFile("Vorn5ERROR0201.TXT", 7);
    makeDatedFile("Vorn5ERROR0301.TXT", 30);
    makeDatedFile("Other.TXT", 30);
    makeDatedFile("Vorn5ERROR01.TXT", 30);  // does not match the pattern
    ErrorLogging::LogError(5, "x", "y");
    EXPECT_FALSE(fs::exists(folder_ + "/Vorn5ERROR0101.TXT"));
    EXPECT_TRUE(fs::exists(folder_ + "/Vorn5ERROR0201.TXT"));
    EXPECT_FALSE(fs::exists(folder_ + "/Vorn5ERROR0301.TXT"));
    EXPECT_TRUE(fs::exists(folder_ + "/Other.TXT"));
    EXPECT_TRUE(fs::exists(folder_ + "/Vorn5ERROR01.TXT"));
    EXPECT_TRUE(fs::exists(ErrorLogging::LogFilePath()));
}

TEST_F(ErrorLogTest, AMissingFolderLosesTheRecordWithoutRaising) {
    ErrorLogging::SetLogFolder(folder_ + "/does/not/exist");
    EXPECT_NO_THROW(ErrorLogging::LogError(5, "x", "y"));
    EXPECT_FALSE(fs::exists(folder_ + "/does"));
}

TEST_F(ErrorLogTest, TheLogFolderFallsBackToTheUsersDataFolder) {
    EXPECT_EQ(ErrorLogging::ResolveLogFolder(folder_), folder_);

    const char* old = std::getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", (folder_ + "/data").c_str(), 1);
    std::string chosen = ErrorLogging::ResolveLogFolder(folder_ + "/not-there");
    if (old) setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(chosen, folder_ + "/data/Vorn5");
    EXPECT_TRUE(fs::is_directory(chosen));
}

TEST_F(ErrorLogTest, ShowMessageFitsTheTitleToFortyCharacters) {
    forms::ScopedHeadlessForms f;
    Hald_Error h;
    const std::string name41(41, 'n');
    const std::string name40 = std::string(39, 'm') + "!";
    struct Case { std::optional<std::string> name; std::string title; } cases[] = {
        {std::nullopt, "Message: Unknown Procedure              "},
        {"", "Message: Unknown Procedure              "},
        {name41, std::string(37, 'n') + "..."},
        {name40, name40},
        {"clsSolver.", "clsSolver.                              "}};
    for (const auto& c : cases) h.ShowMessage("Hello", std::nullopt, c.name);
    ASSERT_EQ(f->messages.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(f->messages[i].title, cases[i].title) << i;
        EXPECT_EQ(f->messages[i].title.size(), 40u);
        EXPECT_EQ(f->messages[i].buttons, forms::vbExclamation) << "missing Buttons gives 48";
        EXPECT_EQ(f->messages[i].prompt, "Hello\r");
    }
}

TEST_F(ErrorLogTest, ShowMessageWrapsAtTheFirstSpaceFromColumnForty) {
    forms::ScopedHeadlessForms f;
    Hald_Error h;
    std::string prompt;
    for (int i = 0; prompt.size() < 120; ++i) prompt += (i % 3 == 0 ? "ab " : i % 3 == 1 ? "cdef " : "g ");
    prompt.resize(120);
    while (prompt.back() == ' ') prompt.pop_back();

    EXPECT_EQ(h.ShowMessage(prompt, forms::vbOKCancel), forms::vbOK);
    const std::string shown = f->messages.at(0).prompt;
    ASSERT_EQ(shown.back(), '\r');
    auto lines = splitCR(shown);
    std::string rejoined;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        rejoined += l;
        if (i + 1 < lines.size()) {
            ASSERT_GE(l.size(), 40u) << i;
            EXPECT_EQ(l.back(), ' ') << i;
            EXPECT_EQ(l.find(' ', 39), l.size() - 1) << "ends at the first space at or after column 40";
        } else {
            EXPECT_EQ(l.find(' ', 39), std::string::npos);
        }
    }
    EXPECT_EQ(rejoined, prompt) << "every character kept";
    EXPECT_GE(lines.size(), 3u);

    struct Case { std::string in, out; } cases[] = {
        {"Check the data.  \r\r", "Check the data.\r"},
        {"one\rtwo", "one\rtwo\r"},
        {std::string(45, 'x') + " y", std::string(45, 'x') + " \ry\r"},
        {std::string(50, 'x'), std::string(50, 'x') + "\r"},
        {std::string(39, 'x') + " y", std::string(39, 'x') + " \ry\r"},
        {std::string(38, 'x') + " y", std::string(38, 'x') + " y\r"}};
    for (const auto& c : cases) {
        h.ShowMessage(c.in);
        EXPECT_EQ(f->messages.back().prompt, c.out) << c.in;
    }
}

TEST_F(ErrorLogTest, ShowMessageHelpAndEmptyPrompt) {
    forms::ScopedHeadlessForms f;
    Hald_Error h;
    h.ShowMessage("With help", 16, "P", "/x/Vorn5.hlp", 62);
    ASSERT_EQ(f->messages.size(), 1u);
    EXPECT_EQ(f->messages[0].buttons, 16 + 16384);
    EXPECT_EQ(f->messages[0].helpFile, "/x/Vorn5.hlp");
    EXPECT_EQ(f->messages[0].context, 62);

    h.ShowMessage("No context", 16, "P", "/x/Vorn5.hlp");
    EXPECT_EQ(f->messages[1].buttons, 16);
    EXPECT_EQ(f->messages[1].helpFile, "");

    EXPECT_EQ(h.ShowMessage(""), 0);
    EXPECT_EQ(f->messages.size(), 2u) << "nothing shown for an empty prompt";
    auto lines = logLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(0, 56), pad(" 1 ", 14) + pad("Hald Error", 14) +
                                          pad("Null message passed to ShowMessage.", 28));
}

TEST_F(ErrorLogTest, HandleErrorFollowsItsSwitches) {
    forms::ScopedHeadlessForms f;
    Hald_Error h;
    const VbError err(vbObjectError + 2304, "clsSolver.Root", "Root not bracketed.");
    struct Case { Hald_Error::Report how; size_t shown, logged; } cases[] = {
        {Hald_Error::ShowAndLog, 1, 1}, {Hald_Error::LogOnly, 0, 1}, {Hald_Error::ShowOnly, 1, 0},
        {{false, false}, 0, 0}};
    size_t shown = 0, logged = 0;
    for (const auto& c : cases) {
        EXPECT_TRUE(h.HandleError(err, std::nullopt, c.how));
        shown += c.shown;
        logged += c.logged;
        EXPECT_EQ(f->messages.size(), shown);
        EXPECT_EQ(logLines().size(), logged);
    }
    ASSERT_FALSE(f->messages.empty());
    EXPECT_EQ(f->messages[0].buttons, forms::vbCritical);
    EXPECT_EQ(f->messages[0].title, pad("clsSolver.Root", 40)) << "title defaults to the source";
    EXPECT_EQ(f->messages[0].prompt, "Root not bracketed.\r");
    EXPECT_EQ(logLines()[0].substr(0, 14), pad(" 2304 ", 14));
    EXPECT_EQ(logLines()[0].substr(56, 14), pad("clsSolver.Root", 14));

    h.HandleError(VbError(11, "Fit", "Division by zero", "/h/Vorn5.hlp", 60), std::string("Regression"));
    EXPECT_EQ(f->messages.back().title, pad("Regression", 40));
    EXPECT_EQ(f->messages.back().buttons, 16 + 16384);
    EXPECT_EQ(f->messages.back().context, 60);

    const size_t before = f->messages.size(), linesBefore = logLines().size();
    EXPECT_FALSE(h.HandleError(VbError(3146, "DB", "ODBC call failed")));
    EXPECT_EQ(f->messages.size(), before);
    EXPECT_EQ(logLines().size(), linesBefore);

    EXPECT_FALSE(h.CheckError(VbError(1, "DB", "S1T00 timeout")));
    EXPECT_FALSE(h.CheckError(VbError(3146, "DB", "x")));
    EXPECT_TRUE(h.CheckError(VbError(3151, "DB", "x")));
}
