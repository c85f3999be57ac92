#include "frmVorn.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

#include "BusyGuard.h"
#include "FlexGrid.h"
#include "KeyedStatusBar.h"
#include "MVornGlobs.h"
#include "UiTestSupport.h"
#include "clsLog.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmNewDataSet.h"
#include "Twips.h"
#include "VornIcon.h"
#include "frmAbout.h"
#include "print/Printer.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace {

const std::string kTildes(44, '~');

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmVorn>();
        window->show();
    }
    void TearDown() override {
        // Leave without questions: nothing to save, keep the log.
        if (window) {
            window->LFD().setIsDirty(false);
            ui->msgBoxAnswers.clear();
            ui->msgBoxAnswers.push_back(forms::vbYes);
            window->close();
        }
    }

    bool Enabled(const std::string& item) {
        QAction* a = window->MenuItem(item);
        EXPECT_NE(a, nullptr) << item;
        return a && a->isEnabled();
    }
    // Opens a top-level menu as the user does (its items are refreshed first).
    void OpenMenu(const std::string& name) { emit window->TopMenu(name)->aboutToShow(); }
    void Choose(const std::string& item) {
        QAction* a = window->MenuItem(item);
        ASSERT_NE(a, nullptr) << item;
        for (const char* top : {"mnuFile", "mnuEdit", "mnuData", "mnuFit", "mnuFunctions", "mnuOptions"})
            if (window->TopMenu(top)->actions().contains(a)) OpenMenu(top);
        a->trigger();
    }
    void Open(const std::string& path) {
        ui->openAnswers.push_back(path);
        Choose("mnuOpen");
    }
    std::string Status() const { return window->stsBar->PanelText("Status"); }
    std::string Number() const { return window->stsBar->PanelText("NUMBER"); }
    std::vector<std::string> Prompts() {
        std::vector<std::string> p;
        for (const auto& m : ui->messages) p.push_back(m.prompt);
        return p;
    }

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessLogViews logViews;
    print::ScopedRecordingPrinter printer;
    std::unique_ptr<frmVorn> window;
};

}  // namespace

TEST_F(MainWindowTest, StartsWithTheMenuTreeStatusAndRunLog) {
    EXPECT_EQ(window->windowTitle(), "Vorn 5.0");
    EXPECT_EQ(Status(), "Ready...");
    EXPECT_FALSE(window->flxMain->isVisible());

    // The whole tree in design order, captions from the string table.
    std::vector<QString> tops;
    for (QAction* a : window->menuBar()->actions()) tops.push_back(a->text());
    EXPECT_EQ(tops, (std::vector<QString>{"&File", "&Edit", "&Data", "F&it", "F&unctions", "&Options", "&Help"}));
    auto items = [&](const std::string& menu) {
        std::vector<QString> texts;
        for (QAction* a : window->TopMenu(menu)->actions()) texts.push_back(a->isSeparator() ? "-" : a->text());
        return texts;
    };
    EXPECT_EQ(items("mnuFile"), (std::vector<QString>{"&New", "&Open", "Si&mulate", "-", "&Save", "Save &As", "-",
                                                     "&Print", "&Text Export", "-", "&Close", "E&xit"}));
    EXPECT_EQ(items("mnuEdit"),
              (std::vector<QString>{"Edit &Mode", "-", "Fil&e Description", "-", "&Add a Distribution",
                                    "&Erase a Distribution", "&Combine Distributions", "Edit &Sample Time", "-",
                                    "Cu&t", "&Copy", "&Paste", "-", "&Format", "&Number"}));
    EXPECT_EQ(items("mnuData"), (std::vector<QString>{"&Plot Data", "Plot &Fit"}));
    EXPECT_EQ(items("mnuFit"),
              (std::vector<QString>{"&Score Function Grid", "V&iew Parameter Estimates", "-",
                                    "S&easonal Growth Curve", "&View Seasonal Growth Curve Estimates", "-",
                                    "&Plot Restructured Data"}));
    EXPECT_EQ(items("mnuFunctions"),
              (std::vector<QString>{"&Catch Curve", "&Beverton-Holt Z", "&Powell-Wetherall Z", "&Age Slice"}));
    EXPECT_EQ(items("mnuOptions"), (std::vector<QString>{"&Logfile"}));
    EXPECT_EQ(items("mnuHelp"), (std::vector<QString>{"&Contents and Index", "&About Vorn 5.0"}));
    EXPECT_EQ(window->MenuItem("mnuCut")->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(window->MenuItem("mnuCopy")->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(window->MenuItem("mnuPaste")->shortcut(), QKeySequence("Ctrl+V"));

    // The run log starts with its date and time lines, already written to its file.
    const std::string& log = window->Log().Buffer();
    EXPECT_EQ(log.rfind("Vorn Log Start Date: ", 0), 0u);
    EXPECT_NE(log.find("\r\nVorn Log Start Time: "), std::string::npos);
    EXPECT_EQ(fs::path(window->Log().Filename()).filename(), "Log00001.dat");
    EXPECT_EQ(WorkingFolder::read(window->Log().Filename()), log + "\r\n");
}

TEST_F(MainWindowTest, MenusFollowTheRuleInEveryState) {
    // The commands on samples and the clipboard are for edit mode only.
    const std::vector<std::string> editing = {"mnuAddDist", "mnuEraseDist", "mnuCombineDists", "mnuEditSampleTime",
                                              "mnuCut", "mnuCopy", "mnuPaste"};
    struct State {
        const char* name;
        std::map<std::string, bool> items;
    };
    auto check = [&](const State& s) {
        for (const char* top : {"mnuFile", "mnuEdit", "mnuData", "mnuOptions"}) OpenMenu(top);
        for (const auto& [item, on] : s.items) EXPECT_EQ(Enabled(item), on) << s.name << ": " << item;
        for (const std::string& item : editing)
            EXPECT_EQ(Enabled(item), window->EditMode()) << s.name << ": " << item;
        EXPECT_TRUE(Enabled("mnuHelpContents"));
        EXPECT_TRUE(Enabled("mnuAbout"));
    };

    check({"no data set",
           {{"mnuFile", true}, {"mnuNew", true}, {"mnuOpen", true}, {"mnuSave", false}, {"mnuSaveAs", false},
            {"mnuPrint", false}, {"mnuExport", false}, {"mnuClose", false}, {"mnuExit", true}, {"mnuEdit", true},
            {"mnuEditMode", false}, {"mnuData", true}, {"mnuPlotData", false}, {"mnuFit", true},
            {"mnuFunctions", true}, {"mnuOptions", true}, {"mnuLogFile", true}, {"mnuPlotFit", false},
            {"mnuGrid", false}, {"mnuViewParams", false}, {"mnuPlotRestructured", false},
            {"mnuCatchCurve", false}, {"mnuPowWeathZ", false}, {"mnuBevHoltZ", false}, {"mnuAgeSlice", false},
            {"mnuAutoFind", false}, {"mnuAutoRes", false}, {"mnuEditFileDesc", false}, {"mnuFormat", false},
            {"mnuNumber", false}}});

    Open(folder.fixture("sample.vn5", "sample.vn5"));
    check({"data set shown",
           {{"mnuFile", true}, {"mnuNew", true}, {"mnuSave", false}, {"mnuSaveAs", true}, {"mnuPrint", true},
            {"mnuExport", true}, {"mnuClose", true}, {"mnuEditMode", true}, {"mnuPlotData", true},
            {"mnuFit", true}, {"mnuFunctions", true}, {"mnuLogFile", true}, {"mnuGrid", true},
            {"mnuViewParams", false}, {"mnuPlotRestructured", false}, {"mnuCatchCurve", true},
            {"mnuPowWeathZ", true}, {"mnuBevHoltZ", true}, {"mnuAgeSlice", true}, {"mnuAutoFind", true},
            {"mnuAutoRes", false}, {"mnuEditFileDesc", true}, {"mnuFormat", true}, {"mnuNumber", true}}});
    EXPECT_FALSE(window->MenuItem("mnuEditMode")->isChecked());

    // A changed data set enables Save.
    window->LFD().setIsDirty(true);
    OpenMenu("mnuFile");
    EXPECT_TRUE(Enabled("mnuSave"));
    window->LFD().setIsDirty(false);

    Choose("mnuEditMode");
    check({"edit mode",
           {{"mnuFile", false}, {"mnuData", false}, {"mnuFit", false}, {"mnuFunctions", false},
            {"mnuEdit", true}, {"mnuOptions", true}, {"mnuEditMode", true}, {"mnuLogFile", true},
            {"mnuEditFileDesc", true}, {"mnuFormat", true}, {"mnuNumber", true}}});
    EXPECT_TRUE(window->MenuItem("mnuEditMode")->isChecked());
    EXPECT_EQ(window->flxMain->BackColor(), 0x00FFFFC0);

    // The sample data pass the exit checks.
    Choose("mnuEditMode");
    EXPECT_FALSE(window->EditMode());
    EXPECT_TRUE(Enabled("mnuFile"));
    EXPECT_EQ(window->flxMain->BackColor(), FlexGrid::kSystemWindowColour);
}

TEST_F(MainWindowTest, OpenShowsTheDataSetAndLogsIt) {
    const std::string path = folder.fixture("sample.vn5", "sample.vn5");
    clsVorn expected;
    expected.OpenFile(path);
    Open(path);
    ASSERT_TRUE(window->DataLoaded());
    ASSERT_EQ(ui->openRequests.size(), 1u);
    EXPECT_EQ(ui->openRequests[0].filter, "Vorn 5.0 (*.vn5)|*.vn5|Vorn 4.0 (*.vn4)|*.vn4|Text (*.txt)|*.txt");
    EXPECT_EQ(ui->openRequests[0].flags, 4);
    EXPECT_TRUE(ui->saveRequests.empty()) << "a current-version file is not saved again";
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_EQ(Status(), "Ready...");
    EXPECT_EQ(window->windowTitle().toStdString(), "Vorn 5.0 - sample.vn5 - " + vb::Trim(expected.FileDesc()));

    FlexGrid& grid = *window->flxMain;
    EXPECT_TRUE(grid.isVisible());
    ASSERT_EQ(grid.Cols(), expected.NumDists() + 1);
    ASSERT_EQ(grid.Rows(), expected.NumClasses() + 1);
    EXPECT_EQ(grid.TextMatrix(0, 1), vb::CStr(expected.sTime(1)));
    EXPECT_EQ(grid.TextMatrix(1, 0), vb::CStr(expected.LBounds(1)));
    EXPECT_EQ(grid.TextMatrix(2, 1), vb::Format(expected.Dists(1, 2), "0.00"));
    EXPECT_EQ(grid.ColWidth(1), 700);
    EXPECT_EQ(grid.ColWidth(0), twips::FromPixels(window->lblInterval->width(), window->font()) - 30);

    const std::string& log = window->Log().Buffer();
    EXPECT_NE(log.find(kTildes + "\r\nDataset loaded - " + path + "\r\n" + kTildes + "\r\n"), std::string::npos);
    EXPECT_EQ(WorkingFolder::read(window->Log().Filename()), log + "\r\n");

    // The NUMBER panel shows the stored count of the cell entered, not the grid's text.
    window->LFD().setDists(2, 3, 12.375f);
    grid.setCurrentCell(3, 2);
    EXPECT_EQ(Number(), "12.375");
    grid.setCurrentCell(0, 2);  // a header cell leaves the panel as it was
    EXPECT_EQ(Number(), "12.375");
}

TEST_F(MainWindowTest, OlderFilesAreSavedAsCurrentOnesAtOnce) {
    const std::string path = folder.fixture("sample.vn4", "hake.vn4");

    // Cancelling the forced Save As keeps the set loaded and changed.
    ui->saveAnswers.push_back("");
    Open(path);
    ASSERT_TRUE(window->DataLoaded());
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].fileName, "hake.VN5");
    EXPECT_EQ(ui->saveRequests[0].filter, "Vorn 5.0 (*.vn5)|*.vn5");
    EXPECT_EQ(ui->saveRequests[0].flags, 6);
    EXPECT_EQ(ui->saveRequests[0].defaultExt, "VN5");
    EXPECT_TRUE(window->LFD().IsDirty());
    EXPECT_EQ(window->LFD().FileName(), path);
    OpenMenu("mnuFile");
    EXPECT_TRUE(Enabled("mnuSave"));

    // Close asks; No drops the changes.
    ui->msgBoxAnswers.push_back(forms::vbNo);
    Choose("mnuClose");
    ASSERT_EQ(Prompts(), (std::vector<std::string>{"Save changes to current data set"}));
    EXPECT_EQ(ui->messages[0].buttons, forms::vbYesNoCancel + forms::vbQuestion);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_FALSE(window->DataLoaded());

    // Completing it saves a current file, and the log names the new file.
    const std::string saved = folder.file("hake.VN5");
    ui->saveAnswers.push_back(saved);
    Open(path);
    EXPECT_TRUE(fs::exists(saved));
    EXPECT_FALSE(window->LFD().IsDirty());
    EXPECT_EQ(window->LFD().FileName(), saved);
    EXPECT_EQ(window->windowTitle().toStdString().rfind("Vorn 5.0 - hake.VN5 - ", 0), 0u);
    EXPECT_NE(window->Log().Buffer().find("Dataset loaded - " + saved + "\r\n"), std::string::npos);
}

TEST_F(MainWindowTest, FilesThatCannotBeReadAreReportedAndNotShown) {
    const char* broken[] = {"broken_short_header.vn5", "broken_truncated.vn5", "broken_wrong_type.vn5",
                            "broken_no_classes.vn5", "broken_102_classes.vn5", "other.KT2"};
    for (const char* name : broken) {
        SCOPED_TRACE(name);
        ui->messages.clear();
        const std::string path = folder.fixture(name, name);
        Open(path);
        ASSERT_EQ(ui->messages.size(), 1u);
        EXPECT_NE(ui->messages[0].prompt.find(path), std::string::npos) << ui->messages[0].prompt;
        EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
        EXPECT_FALSE(window->DataLoaded());
        EXPECT_FALSE(window->flxMain->isVisible());
        EXPECT_EQ(Status(), "Ready...");
        EXPECT_EQ(window->windowTitle(), "Vorn 5.0");
        // A fresh data set: nothing half-read survives to be saved over the file.
        EXPECT_FALSE(window->LFD().IsDirty());
        EXPECT_EQ(window->LFD().NumDists(), 0);
        EXPECT_TRUE(ui->saveRequests.empty());
        EXPECT_EQ(window->Log().Buffer().find("Dataset loaded"), std::string::npos);
    }
}

TEST_F(MainWindowTest, CancelAndMissingFilesOnOpen) {
    ui->openAnswers.push_back("");
    Choose("mnuOpen");
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(window->DataLoaded());
    EXPECT_EQ(Status(), "Ready...");

    Open(folder.file("gone.vn5"));
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].title, "File Message");
    EXPECT_NE(ui->messages[0].prompt.find("doesn't exist"), std::string::npos);
    EXPECT_FALSE(window->DataLoaded());
    EXPECT_EQ(Status(), "Ready...");
}

TEST_F(MainWindowTest, SaveGoesThroughSaveAsUnlessTheExtensionIsVn5) {
    struct Case {
        const char* name;
        bool inPlace;
    };
    const Case cases[] = {{"a.vn5", true}, {"b.VN5", true}, {"c.Vn5", true}, {"d.dat", false}, {"e", false}};
    Open(folder.fixture("sample.vn5", "sample.vn5"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui->saveRequests.clear();
        const std::string path = folder.file(c.name);
        window->LFD().setFileName(path);
        window->LFD().setIsDirty(true);
        ui->saveAnswers.push_back("");  // Save As, if asked, is cancelled
        Choose("mnuSave");
        EXPECT_EQ(ui->saveRequests.empty(), c.inPlace);
        EXPECT_EQ(fs::exists(path), c.inPlace);
        EXPECT_EQ(window->LFD().IsDirty(), !c.inPlace);
        EXPECT_EQ(window->LFD().FileName(), path) << "a cancelled Save As keeps the name";
        ui->saveAnswers.clear();
    }
}

TEST_F(MainWindowTest, SaveOverAFileMarkedReadOnlyIsRefusedAndSaysWhy) {
    const std::string path = folder.fixture("sample.vn5", "kept.vn5");
    Open(path);
    const std::string before = WorkingFolder::read(path);
    fs::permissions(path, fs::perms(0444));
    window->LFD().setIsDirty(true);
    Choose("mnuSave");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].prompt,
              "The data set could not be saved to " + path + ".\r\nPermission denied: " + path);
    EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
    EXPECT_EQ(WorkingFolder::read(path), before);
    EXPECT_TRUE(window->LFD().IsDirty());
    EXPECT_EQ(Status(), "Ready...");
}

TEST_F(MainWindowTest, CloseKeepsTheChangesWhenTheyWereNotSaved) {
    Open(folder.fixture("sample.vn4", "old.vn4"));  // forced Save As: cancelled below
    ASSERT_TRUE(window->DataLoaded());
    ASSERT_TRUE(window->LFD().IsDirty());

    // Cancel at the question: nothing changes.
    ui->msgBoxAnswers.push_back(forms::vbCancel);
    Choose("mnuClose");
    EXPECT_TRUE(window->DataLoaded());

    // Yes, then the Save As is cancelled: the changes stay, and so does the data set.
    ui->msgBoxAnswers.push_back(forms::vbYes);
    ui->saveAnswers.push_back("");
    Choose("mnuClose");
    EXPECT_TRUE(window->DataLoaded());
    EXPECT_TRUE(window->LFD().IsDirty());

    // New and Open stop there too.
    ui->msgBoxAnswers.push_back(forms::vbYes);
    ui->saveAnswers.push_back("");
    ui->openAnswers.push_back(folder.fixture("sample.vn5", "sample.vn5"));
    Choose("mnuOpen");
    EXPECT_EQ(ui->openRequests.size(), 1u) << "no open dialog after the kept changes";
    EXPECT_TRUE(window->LFD().IsDirty());

    // Yes and a completed save closes.
    ui->msgBoxAnswers.push_back(forms::vbYes);
    ui->saveAnswers.push_back(folder.file("kept.VN5"));
    Choose("mnuClose");
    EXPECT_FALSE(window->DataLoaded());
    EXPECT_TRUE(fs::exists(folder.file("kept.VN5")));
    EXPECT_EQ(window->windowTitle(), "Vorn 5.0");
    EXPECT_EQ(Number(), "");
}

TEST_F(MainWindowTest, CloseWithoutChangesAsksNothing) {
    Open(folder.fixture("sample.vn5", "sample.vn5"));
    Choose("mnuClose");
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(window->DataLoaded());
    EXPECT_FALSE(window->flxMain->isVisible());
    EXPECT_EQ(window->windowTitle(), "Vorn 5.0");
}

TEST_F(MainWindowTest, NewMakesAnEmptySetInEditMode) {
    WhenModal<frmNewDataSet>([](frmNewDataSet& dialog) {
        dialog.txtDesc->setText("Hake survey");
        dialog.txtNumClasses->setText("12");
        QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    });
    Choose("mnuNew");
    ASSERT_TRUE(window->DataLoaded());
    EXPECT_TRUE(window->EditMode());
    EXPECT_EQ(window->LFD().NumClasses(), 12);
    EXPECT_EQ(window->LFD().NumDists(), 1);
    EXPECT_EQ(window->LFD().FileDesc(), "Hake survey");
    EXPECT_EQ(window->flxMain->Rows(), 13);
    EXPECT_EQ(window->windowTitle(), "Vorn 5.0 - VORN00001.VN5 - Hake survey");
    EXPECT_NE(window->Log().Buffer().find("Dataset loaded - " + folder.file("VORN00001.VN5") + "\r\n"),
              std::string::npos);
    OpenMenu("mnuEdit");
    EXPECT_FALSE(window->MenuItem("mnuFile")->isEnabled());

    // An empty sample cannot leave edit mode.
    Choose("mnuEditMode");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Cannot have distributions with no Data! Please change or delete."}));
    EXPECT_TRUE(window->EditMode());
}

TEST_F(MainWindowTest, CancelInTheNewDialogLeavesNoDataSet) {
    bool seen = false;
    WhenModal<frmNewDataSet>([](frmNewDataSet& dialog) { QTest::keyClick(dialog.txtDesc, Qt::Key_Escape); }, &seen);
    Choose("mnuNew");
    EXPECT_TRUE(seen);
    EXPECT_FALSE(window->DataLoaded());
    EXPECT_TRUE(ui->messages.empty());
    EXPECT_FALSE(window->EditMode());
}

TEST_F(MainWindowTest, CaptionShowsFileNameAndTrimmedDescription) {
    window->LFD().setFileName("/data/hake.vn5");
    window->LFD().setFileDesc("  North  ");
    EXPECT_EQ(window->windowTitle(), "Vorn 5.0 - hake.vn5 - North");
    EXPECT_EQ(window->LFD().FileDesc(), "  North  ");
}

TEST_F(MainWindowTest, ExportAndPrint) {
    Open(folder.fixture("sample.vn5", "sample.vn5"));
    const std::string out = folder.file("out.txt");
    ui->saveAnswers.push_back(out);
    Choose("mnuExport");
    ASSERT_EQ(ui->saveRequests.size(), 1u);
    EXPECT_EQ(ui->saveRequests[0].filter, "Text (*.txt)|*.txt");
    EXPECT_EQ(ui->saveRequests[0].flags, 6);
    EXPECT_TRUE(fs::exists(out));
    ui->saveAnswers.push_back("");
    Choose("mnuExport");  // Cancel: silent
    ui->saveAnswers.push_back(folder.file("no/such/folder/out.txt"));
    Choose("mnuExport");
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("could not be exported"), std::string::npos);

    Choose("mnuPrint");
    ASSERT_FALSE(printer->lines.empty());
    EXPECT_EQ(printer->lines[0].text, folder.file("sample.vn5"));
    printer->failToStart = true;
    Choose("mnuPrint");
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_NE(ui->messages[1].prompt.find("could not be printed"), std::string::npos);
    EXPECT_TRUE(window->DataLoaded());

    // Without a printer the printout goes to a file, and the status bar says which.
    printer->documentFile = folder.file("Vorn5Print001.pdf");
    Choose("mnuPrint");
    EXPECT_EQ(Status(), "No printer is set up: the printout was saved as " + folder.file("Vorn5Print001.pdf"));
}

TEST_F(MainWindowTest, ExportRefusesASetItsTextCannotCarry) {
    // Neither would open again from the text: one class gives no class size, and this
    // class size is lost in the seven digits.
    const struct { const char* fixture; const char* why; } cases[] = {
        {"vn5_one_class_export_reimport_refused.vn5", "it has one length class"},
        {"vn5_class_size_below_text_precision.vn5", "its class size is too small for bounds that large"},
    };
    for (const auto& c : cases) {
        Open(folder.fixture(c.fixture, "set.vn5"));
        ASSERT_TRUE(window->DataLoaded()) << c.fixture;
        ui->messages.clear();
        const std::string out = folder.file("out.txt");
        ui->saveAnswers.push_back(out);
        Choose("mnuExport");
        ASSERT_EQ(ui->messages.size(), 1u) << c.fixture;
        const std::string& prompt = ui->messages[0].prompt;
        const std::string lead = "The data set could not be exported to " + out + ".\r\n" +
                                 "The data set cannot be exported: ";
        EXPECT_EQ(prompt.rfind(lead, 0), 0u) << prompt;
        EXPECT_NE(prompt.find(c.why), std::string::npos) << prompt;
        EXPECT_EQ(ui->messages[0].title, "Vorn 5.0");
        EXPECT_EQ(ui->messages[0].buttons, forms::vbExclamation);
        EXPECT_FALSE(fs::exists(out));
        EXPECT_TRUE(window->DataLoaded());
    }
}

TEST_F(MainWindowTest, LogFileAndHelpCommands) {
    Choose("mnuLogFile");
    ASSERT_EQ(logViews.state().shown.size(), 1u);
    EXPECT_TRUE(logViews.state().shown[0].modal);
    window->MenuItem("mnuHelpContents")->trigger();
    ASSERT_EQ(ui->help.size(), 1u);
    EXPECT_EQ(ui->help[0].command, 11);
    EXPECT_EQ(ui->help[0].context, 1);
    EXPECT_EQ(ui->help[0].helpFile, MVornGlobs::HelpFilePath);
}

TEST_F(MainWindowTest, TheProgramsIconIsOnTheWindowAndInTheAboutBox) {
    const QImage icon = VornIcon().pixmap(32, 32).toImage();
    EXPECT_EQ(window->windowIcon().pixmap(32, 32).toImage(), icon);
    // Help > About: the icon is the about box's picture and its window icon.
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* about = dynamic_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        seen = true;
        EXPECT_EQ(about->picIcon->pixmap().toImage(), icon);
        EXPECT_EQ(about->windowIcon().pixmap(32, 32).toImage(), icon);
        QTest::mouseClick(about->cmdOK, Qt::LeftButton);
    });
    window->MenuItem("mnuAbout")->trigger();
    EXPECT_TRUE(seen);
}

TEST_F(MainWindowTest, ShutDownQuestions) {
    Open(folder.fixture("sample.vn4", "old.vn4"));  // loaded, changed, not yet saved
    ui->messages.clear();

    ui->msgBoxAnswers.push_back(forms::vbCancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    ui->msgBoxAnswers.push_back(forms::vbYes);  // save, then cancel the Save As
    ui->saveAnswers.push_back("");
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());

    // No: on to the log question; No there deletes the log file.
    ui->messages.clear();
    ui->msgBoxAnswers = {forms::vbNo, forms::vbNo};
    const std::string logFile = window->Log().Filename();
    ASSERT_TRUE(fs::exists(logFile));
    EXPECT_TRUE(window->close());
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[1].prompt, "Do you wish to keep the current log file " + logFile);
    EXPECT_EQ(ui->messages[1].buttons, forms::vbYesNo + forms::vbQuestion);
    EXPECT_EQ(ui->messages[1].title, "Vorn 5.0");
    EXPECT_FALSE(fs::exists(logFile));
    window.reset();
}

TEST_F(MainWindowTest, KeepingTheLogWritesEverythingLogged) {
    window->Log().LogText("late entry\r\n");
    ui->msgBoxAnswers = {forms::vbYes};
    const std::string logFile = window->Log().Filename();
    EXPECT_TRUE(window->close());
    EXPECT_NE(WorkingFolder::read(logFile).find("late entry"), std::string::npos);
    window.reset();
}

TEST_F(MainWindowTest, DeletingALogThatIsGoneIsNoError) {
    fs::remove(window->Log().Filename());
    ui->msgBoxAnswers = {forms::vbNo};
    EXPECT_TRUE(window->close());
    EXPECT_EQ(ui->messages.size(), 1u) << "only the question";
    window.reset();
}

TEST_F(MainWindowTest, NothingStartsOrClosesWhileALongCommandRuns) {
    Open(folder.fixture("sample.vn5", "sample.vn5"));
    {
        busy::BusyGuard running;
        EXPECT_FALSE(window->menuBar()->isEnabled());
        EXPECT_FALSE(window->flxMain->isEnabled());
        // A shortcut or a queued click reaches the command: it does not run.
        ui->openAnswers.push_back(folder.file("sample.vn5"));
        window->MenuItem("mnuClose")->trigger();
        window->MenuItem("mnuOpen")->trigger();
        EXPECT_TRUE(window->DataLoaded());
        EXPECT_TRUE(ui->openRequests.size() == 1u);
        // Closing the window waits for the command.
        EXPECT_FALSE(window->close());
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(ui->messages.empty());
    }
    EXPECT_TRUE(window->menuBar()->isEnabled());
    ui->msgBoxAnswers = {forms::vbYes};
    QApplication::processEvents();  // the deferred close
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("keep the current log file"), std::string::npos);
    window.reset();
}

TEST_F(MainWindowTest, ClicksWhileACommandLetsEventsRunWaitForIt) {
    const std::string path = folder.fixture("sample.vn5", "sample.vn5");
    ui->openAnswers.push_back(path);
    bool tried = false;
    ui->onDoEvents = [&] {
        if (tried) return;
        tried = true;
        window->MenuItem("mnuNew")->trigger();  // would show the new data set dialog
        EXPECT_FALSE(window->close());
    };
    Choose("mnuOpen");
    ui->onDoEvents = nullptr;
    EXPECT_TRUE(tried);
    EXPECT_TRUE(window->DataLoaded());
    EXPECT_EQ(window->LFD().FileName(), path);
    // The close asked for during the command comes afterwards.
    ui->msgBoxAnswers = {forms::vbYes};
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    window.reset();
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
    ui->msgBoxAnswers = {forms::vbYes};
    Choose("mnuExit");
    QApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].prompt.find("keep the current log file"), std::string::npos);
    window.reset();
}
