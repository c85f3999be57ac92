#include "clsLog.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>

#include "TempFolder.h"
#include "forms/HeadlessForms.h"
#include "print/Printer.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;

namespace {

const std::string kTildes(44, '~');

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old, had_ = true;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { had_ ? setenv(name_, old_.c_str(), 1) : unsetenv(name_); }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

}  // namespace

TEST(clsLogTest, TakesTheFirstFreeNumber) {
    TempFolder dir;
    EXPECT_EQ(clsLog::ChooseFileName(dir.path()), dir.file("Log00001.dat"));
    dir.write("Log00001.dat", "a");
    dir.write("Log00002.dat", "b");
    dir.write("Log00004.dat", "d");
    clsLog log(dir.path());
    EXPECT_EQ(log.Filename(), dir.file("Log00003.dat"));
    EXPECT_FALSE(fs::exists(log.Filename())) << "the file is written only by EndLog and Save";
}

TEST(clsLogTest, BufferTakesTextAsItIsAndSeparatorLines) {
    ScopedHeadlessLogViews views;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("Vorn Log Start Date: 1/2/2026\r\n");
    log.InsertSeperator();
    log.LogText("x");
    log.LogText(2.5f);
    log.LogText(int32_t{-3});
    EXPECT_EQ(log.Buffer(), "Vorn Log Start Date: 1/2/2026\r\n" + kTildes + "\r\nx2.5-3");
    log.ClearLog();
    EXPECT_EQ(log.Buffer(), "");
}

TEST(clsLogTest, EndLogReplacesTheFileWithTheWholeBuffer) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("first\r\n");
    log.EndLog();
    EXPECT_EQ(TempFolder::read(log.Filename()), "first\r\n\r\n");
    EXPECT_TRUE(log.IsSaved());
    log.LogText("second");
    log.EndLog();
    EXPECT_EQ(TempFolder::read(log.Filename()), "first\r\nsecond\r\n");
    EXPECT_EQ(log.Window().Caption(), log.Filename());
    EXPECT_TRUE(ui->messages.empty());
    int files = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(dir.path())) ++files;
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST(clsLogTest, FailedSaveShowsTheMessageAndStaysDirty) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("kept");
    log.EndLog();
    // The log file's place taken by a folder: no write can succeed, even for the superuser.
    fs::remove(log.Filename());
    fs::create_directory(log.Filename());
    log.LogText(" more");
    log.EndLog();
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt, "Unable to Save Log File");
    EXPECT_EQ(ui->messages[0].buttons, forms::vbCritical);
    EXPECT_EQ(ui->messages[0].title, "");
    EXPECT_FALSE(log.IsSaved());

    // A log file the user marked read-only is not replaced, even by the superuser.
    fs::remove(log.Filename());
    std::ofstream(log.Filename(), std::ios::binary) << "kept\r\n";
    fs::permissions(log.Filename(), fs::perms(0444));
    log.EndLog();
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[1].prompt, "Unable to Save Log File");
    EXPECT_EQ(TempFolder::read(log.Filename()), "kept\r\n");
    EXPECT_EQ(fs::status(log.Filename()).permissions(), fs::perms(0444));
    EXPECT_FALSE(log.IsSaved());
}

TEST(clsLogTest, FallsBackToTheUserDataFolderWhenTheFolderCannotBeWritten) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir, data;
    ScopedEnv xdg("XDG_DATA_HOME", data.path());
    dir.write("plain-file", "");
    // A folder below a plain file can never take a new file.
    clsLog log(dir.file("plain-file"));
    EXPECT_EQ(fs::path(log.Filename()).parent_path(), fs::path(data.path()) / "Vorn5");
    log.LogText("saved");
    log.EndLog();
    EXPECT_TRUE(log.IsSaved());
    EXPECT_TRUE(ui->messages.empty());
}

TEST(clsLogTest, DeleteLogFileToleratesAMissingFile) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    EXPECT_NO_THROW(log.DeleteLogFile());  // never written
    log.EndLog();
    ASSERT_TRUE(fs::exists(log.Filename()));
    log.DeleteLogFile();
    EXPECT_FALSE(fs::exists(log.Filename()));
}

TEST(clsLogTest, SaveAsKeepsTheSameFileUnderAnotherSpellingAndDeletesAnOther) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    fs::create_directory(dir.file("sub"));
    clsLog log(dir.path());
    log.LogText("log text");
    log.EndLog();
    const std::string original = log.Filename();

    // The same file reached through "sub/..": saved, not deleted.
    const std::string sameFile = dir.file("sub/../" + fs::path(original).filename().string());
    ui->saveAnswers.push_back(sameFile);
    log.Window().SaveAs();
    EXPECT_TRUE(fs::exists(original));
    EXPECT_EQ(TempFolder::read(original), "log text\r\n");

    // Another file: written, and the old one goes.
    ui->saveAnswers.push_back(dir.file("sub/Kept.dat"));
    log.Window().SaveAs();
    ASSERT_EQ(ui->saveRequests.size(), 2u);
    EXPECT_EQ(ui->saveRequests[1].filter, "Data (*.dat)|*.dat");
    EXPECT_EQ(ui->saveRequests[1].flags, 6);
    EXPECT_EQ(ui->saveRequests[1].fileName, sameFile);
    EXPECT_FALSE(fs::exists(original));
    EXPECT_EQ(log.Filename(), dir.file("sub/Kept.dat"));
    EXPECT_EQ(TempFolder::read(log.Filename()), "log text\r\n");
    EXPECT_EQ(log.Window().Caption(), log.Filename());

    // Cancel changes nothing and says nothing.
    ui->saveAnswers.push_back("");
    log.Window().SaveAs();
    EXPECT_EQ(log.Filename(), dir.file("sub/Kept.dat"));
    EXPECT_TRUE(ui->messages.empty());
}

TEST(clsLogTest, SaveAsToAPlaceThatCannotBeWrittenKeepsTheOldFile) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("log text");
    log.EndLog();
    const std::string original = log.Filename();
    dir.write("plain-file", "");
    ui->saveAnswers.push_back(dir.file("plain-file/Log.dat"));
    log.Window().SaveAs();
    EXPECT_EQ(log.Filename(), original);
    EXPECT_TRUE(fs::exists(original));
    EXPECT_TRUE(ui->messages.empty());
}

TEST(clsLogTest, ViewGivesTheBufferToTheWindowAndTakesItBack) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("abc");
    std::string seen;
    views.state().onShow = [&](LogDocument& window, bool modal) { seen = window.Text(); };
    log.View(false);
    EXPECT_EQ(seen, "abc");
    EXPECT_EQ(log.Buffer(), "abc");
    EXPECT_FALSE(log.IsSaved());

    // Clear Log inside a modal viewing empties the buffer too.
    views.state().onShow = [&](LogDocument& window, bool modal) { window.Clear(); };
    log.View();
    ASSERT_EQ(views.state().shown.size(), 2u);
    EXPECT_FALSE(views.state().shown[0].modal);
    EXPECT_TRUE(views.state().shown[1].modal);
    EXPECT_EQ(log.Buffer(), "");
}

TEST(clsLogTest, PrintWritesFileNameEmptyLineAndTheBoxText) {
    ScopedHeadlessLogViews views;
    forms::ScopedHeadlessForms ui;
    print::ScopedRecordingPrinter printer;
    TempFolder dir;
    clsLog log(dir.path());
    log.Window().Print("line 1\r\nline 2");
    EXPECT_EQ(printer->texts(), (std::vector<std::string>{log.Filename(), "", "line 1", "line 2"}));
    EXPECT_EQ(printer->documentsEnded, 1);

    // A line longer than the page's 79 characters goes on at its last blank that fits.
    const std::string path = "/home/user/surveys/lake-vorn/1998/autumn/north-shore/fish-samples2.vn5";
    ASSERT_EQ(path.size(), 70u);
    printer->clear();
    log.Window().Print("Dataset loaded - " + path);
    EXPECT_EQ(printer->texts(), (std::vector<std::string>{log.Filename(), "", "Dataset loaded -", path}));

    printer->failToStart = true;
    log.Window().Print("x");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].buttons, forms::vbCritical);
}
