#include "MUtility.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Hald_Error.h"
#include "MErrors.h"
#include "forms/HeadlessForms.h"
#include "vb/VbError.h"

namespace fs = std::filesystem;
using namespace MUtility;

namespace {
class MUtilityFiles : public ::testing::Test {
protected:
    void SetUp() override {
        std::string templ = (fs::temp_directory_path() / "vorn5-mutil-XXXXXX").string();
        dir_ = mkdtemp(templ.data());
        existing_ = dir_ + "/VORN00001.VN5";
        std::ofstream(existing_) << "x";
        ErrorLogging::SetLogFolder(dir_);  // the prompts log nothing, but keep it contained
    }
    void TearDown() override {
        ErrorLogging::SetLogFolder("");
        fs::remove_all(dir_);
    }
    std::string dir_, existing_;
};
}  // namespace

TEST(MUtility, PathParts) {
    struct Case { const char* path; const char* base; const char* name; const char* ext; } cases[] = {
        {"/data/fish/VORN00001.VN5", "VORN00001", "VORN00001.VN5", ".VN5"},
        {"notes.old.txt", "notes.old", "notes.old.txt", ".txt"},
        {"/data.d/README", "README", "README", ""},
        {"", "", "", ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(BaseNameOf(c.path), c.base) << c.path;
        EXPECT_EQ(FileNameOf(c.path), c.name) << c.path;
        EXPECT_EQ(ExtensionOf(c.path), c.ext) << c.path;
    }
    int32_t name, dir, ext;
    SplitPath("/data.d/README", name, dir, ext);
    EXPECT_EQ(dir, 2);
    EXPECT_EQ(name, 9);
    EXPECT_EQ(ext, 0);
    SplitPath("a/b.txt", name, dir, ext);
    EXPECT_EQ(dir, 1);
    EXPECT_EQ(name, 3);
    EXPECT_EQ(ext, 4);
    std::string full = ParsePath("/x/./y/../z.dat", name, ext, dir);
    EXPECT_EQ(full, "/x/z.dat");
    EXPECT_EQ(name, 4);
    EXPECT_EQ(ext, 5);

    EXPECT_EQ(StripNulls(std::string("abc\0def", 7)), "abc");
    int arr[] = {1, 0, 2};
    EXPECT_TRUE(InArray(2, arr));
    EXPECT_FALSE(InArray(5, arr));
}

TEST_F(MUtilityFiles, FileTestsAndTemporaryFiles) {
    EXPECT_TRUE(FileExists(existing_));
    EXPECT_FALSE(FileExists(dir_));
    EXPECT_FALSE(FileExists(dir_ + "/missing.VN5"));

    std::string a = TempFileName("vrn", dir_), b = TempFileName("vrn", dir_);
    EXPECT_NE(a, b);
    EXPECT_EQ(FileNameOf(a).substr(0, 3), "vrn");
    EXPECT_TRUE(FileExists(a));
    EXPECT_EQ(fs::file_size(a), 0u);
    EXPECT_EQ(fs::path(a).parent_path(), fs::path(dir_));
    EXPECT_FALSE(TempPath().empty());
    try {
        TempFileName("x", dir_ + "/no/such/folder");
        FAIL() << "expected an error";
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, vbObjectError + 29000 + ENOENT);
        EXPECT_EQ(e.Source, "Vorn5.Windows");
        EXPECT_FALSE(e.Description.empty());
    }
}

TEST_F(MUtilityFiles, CheckFileNameAsksBeforeOverwritingAndSaysWhenAFileIsMissing) {
    forms::ScopedHeadlessForms f;
    f->msgBoxAnswers = {forms::vbOK, forms::vbCancel};
    EXPECT_TRUE(CheckFileName(existing_, 1));
    EXPECT_FALSE(CheckFileName(existing_, 1));
    ASSERT_EQ(f->messages.size(), 2u) << "the question is asked once per check";
    EXPECT_EQ(f->messages[0].title, "File Message");
    EXPECT_EQ(f->messages[0].buttons, forms::vbOKCancel + forms::vbQuestion);
    EXPECT_EQ(f->messages[0].prompt,
              "The file VORN00001.VN5already exists on \r\ndisk. Saving to that file will overwrite the file's "
              "current contents \r\n\r\n\r\nChoose OK to replace file, Cancel to stop.");

    const std::string missing = dir_ + "/gone.VN5";
    EXPECT_TRUE(CheckFileName(missing, 1)) << "a new file needs no question";
    EXPECT_EQ(f->messages.size(), 2u);
    EXPECT_FALSE(CheckFileName(missing, 2));
    ASSERT_EQ(f->messages.size(), 3u);
    EXPECT_EQ(f->messages[2].prompt, "The file  doesn't exist.\r\n\r\nPlease select another file. ");
    EXPECT_EQ(f->messages[2].title, "File Message");
    EXPECT_TRUE(CheckFileName(existing_, 2));
    EXPECT_FALSE(CheckFileName(missing, 4));
    EXPECT_FALSE(CheckFileName(missing, 5));
    EXPECT_TRUE(CheckFileName(existing_, 5));
    EXPECT_FALSE(CheckFileName(dir_, 2)) << "a folder is not a file";
    EXPECT_EQ(f->messages.size(), 4u);
}

TEST_F(MUtilityFiles, FileErrorPromptMapsTheButtons) {
    forms::ScopedHeadlessForms f;
    struct Case { int32_t number; int16_t answer; int16_t result; int32_t buttons; const char* text; } cases[] = {
        {52, forms::vbOK, 2, forms::vbOKCancel, "That file number or name is illegal"},   // no endless retry
        {64, forms::vbOK, 2, forms::vbOKCancel, "That filename is illegal."},
        {64, forms::vbCancel, 2, forms::vbOKCancel, "That filename is illegal."},
        {55, forms::vbRetry, 0, forms::vbRetryCancel, "This file is already open."},
        {76, forms::vbCancel, 2, forms::vbRetryCancel, "That path doesn't exist."},
        {61, forms::vbYes, 0, forms::vbYesNoCancel, "Disk is full. Continue?"},
        {61, forms::vbNo, 2, forms::vbYesNoCancel, "Disk is full. Continue?"},
        {61, forms::vbCancel, 2, forms::vbYesNoCancel, "Disk is full. Continue?"},
        {999, forms::vbOK, 3, forms::vbOKOnly, "Default Error Message: An internal unidentified error has occured."}};
    for (const auto& c : cases) {
        f->msgBoxAnswers = {c.answer};
        EXPECT_EQ(FileErrorPrompt(c.number), c.result) << c.number << " " << c.answer;
        ASSERT_FALSE(f->messages.empty());
        const auto& shown = f->messages.back();
        EXPECT_EQ(shown.buttons, c.buttons + forms::vbExclamation) << c.number;
        EXPECT_EQ(shown.title, std::string("File Error") + std::string(30, ' '));
        std::string unwrapped = shown.prompt;  // ShowMessage wraps long texts with CRs
        std::erase(unwrapped, '\r');
        EXPECT_EQ(unwrapped, c.text) << c.number;
    }
    f->msgBoxAnswers = {forms::vbIgnore};
    EXPECT_EQ(FileErrorPrompt(62), 1);
}

TEST(MErrors, RaisedErrorsCarryTheirTexts) {
    try {
        MErrors::RaiseVBError(9);
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 9);
        EXPECT_EQ(e.Source, "Vorn5.VBError");
        EXPECT_EQ(e.Description, "Subscript out of range");
    }
    try {
        MErrors::RaiseVBError(1803);  // group 1800
        FAIL();
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number, 1803);
        EXPECT_EQ(e.Source, "Vorn5.Ready...");
        EXPECT_EQ(e.Description, "Error");
    }
    EXPECT_EQ(MErrors::WinErrorText(ENOENT), "No such file or directory");
    EXPECT_EQ(MErrors::WinErrorText(987654), "");
}
