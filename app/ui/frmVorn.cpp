#include "frmVorn.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTime>
#include <QTimer>
#include <exception>

#include "BusyGuard.h"
#include "FlexGrid.h"
#include "GridSearchWindows.h"
#include "Hald_Error.h"
#include "KeyedStatusBar.h"
#include "MUtility.h"
#include "MVornGlobs.h"
#include "OwnedWindows.h"
#include "StringTable.h"
#include "Twips.h"
#include "VornIcon.h"
#include "ZRegCommands.h"
#include "clsAutofind.h"
#include "clsDataGrid.h"
#include "clsLog.h"
#include "clsSimData.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "frmAbout.h"
#include "frmAgeSlice.h"
#include "frmBevHolt.h"
#include "frmNewDataSet.h"
#include "modHald.h"
#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

#include "clsGrowthParams.h"

namespace {

constexpr const char* kCaption = "Vorn 5.0";
constexpr int kLabelWidth = 1035;   // twips: lblInterval; column 0 is 30 narrower
constexpr int kLabelHeight = 285;
constexpr int32_t kUserCancelled = vbObjectError + 2263;

int16_t Ask(const std::string& prompt, int32_t buttons) {
    return forms::Forms().MsgBox(prompt, buttons, kCaption);
}

void Tell(const std::string& prompt, int32_t icon = forms::vbExclamation) {
    forms::Forms().MsgBox(prompt, icon, kCaption);
}

// The time in the system's long format, without a time zone.
std::string TimeText(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return locale.toString(QTime::currentTime(), format.trimmed()).toStdString();
}

// Is a simulation wizard installed? (Simulate stays disabled without one.)
bool HasSimulationWizard() {
    clsSimData::Wizard wizard = clsSimData::SetWizard({});
    const bool has = static_cast<bool>(wizard);
    clsSimData::SetWizard(std::move(wizard));
    return has;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Initialisation and loading

frmVorn::frmVorn(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmVorn");
    // The owner of the windows that have none of their own on screen (the chart pages).
    owned::SetMainWindow(this);
    // Initialisation.
    miStrBase = MVornGlobs::LangBase + kStrBase;
    moLFD = std::make_unique<clsVorn>();
    mLfdEventId = moLFD->ConnectChangeOfFileNameOrDesc([this] { moLFD_ChangeOfFileNameOrDesc(); });
    mGrowthParams = std::make_unique<clsGrowthParams>();
    mAutofind = std::make_unique<clsAutofind>();
    mAutofind->setStatusText([this](const std::string& text) { StatusText(text); });
    mErr = std::make_unique<Hald_Error>();
    mDataGrid = std::make_unique<clsDataGrid>();
    mDataGrid->Create(this);

    BuildWindow();
    mGridWindows = std::make_unique<GridSearchWindows>(this);
    BuildMenus();
    WireFitCommands();
    WireEditCommands();

    mLog = std::make_unique<clsLog>();
    const QLocale locale = QLocale::system();
    mLog->LogText(Res(40) + locale.toString(QDate::currentDate(), QLocale::ShortFormat).toStdString() + "\r\n");
    mLog->LogText(Res(41) + TimeText(locale) + "\r\n");
    mLog->EndLog();

    MVornGlobs::InitGlobals();
    modHald::InitFileSignature();
    mbDataLoaded = false;
    msNumberFormat = "0.00";
    StatusText(MVornGlobs::ReadyText);

    // Loading.
    ShowGrid(false);
    txtEdit->hide();
    // The program's icon: every window without one of its own shows it.
    QApplication::setWindowIcon(VornIcon());
    setWindowTitle(kCaption);
    LoadCaptions();
    RefreshMenus();
    resize(640, 440);

    mBusyConnection = busy::ConnectBusyChanged([this](bool isBusy) { BusyChanged(isBusy); });
    // A printout that went to a file for want of a printer is not silent (any window's).
    print::SetDocumentFiledHandler([this](const std::string& path) {
        StatusText("No printer is set up: the printout was saved as " + path);
    });
}

frmVorn::~frmVorn() {
    print::SetDocumentFiledHandler(nullptr);
    busy::Disconnect(mBusyConnection);
    mAgeSlice.reset();
    mGridWindows.reset();
    if (moLFD) moLFD->DisconnectChangeOfFileNameOrDesc(mLfdEventId);
}

std::string frmVorn::Res(int k) const { return res::LoadResString(miStrBase + k); }

void frmVorn::BuildWindow() {
    auto* central = new QWidget(this);
    central->setObjectName("central");
    setCentralWidget(central);
    lblInterval = new QLabel("Length ", central);
    lblInterval->setObjectName("lblInterval");
    lblTimings = new QLabel("Sample Timings", central);
    lblTimings->setObjectName("lblTimings");
    lblTimings->setAlignment(Qt::AlignCenter);
    lblInterval->setGeometry(0, 0, twips::ToPixels(kLabelWidth, font()), twips::ToPixels(kLabelHeight, font()));
    flxMain = new FlexGrid(central);
    flxMain->setObjectName("flxMain");
    txtEdit = new QLineEdit(central);
    txtEdit->setObjectName("txtEdit");
    central->installEventFilter(this);

    stsBar = new KeyedStatusBar(this);
    stsBar->setObjectName("stsBar");
    stsBar->AddPanel("Status", 1);
    stsBar->AddPanel("NUMBER", 0, 120);
    setStatusBar(stsBar);

    // grid -> window
    connect(flxMain, &FlexGrid::EnterCell, this, [this](int row, int col) { flxMain_EnterCell(row, col); });
}

QAction* frmVorn::AddItem(QMenu* menu, const std::string& name, int id, const char* fixedCaption,
                          std::function<bool()> rule, void (frmVorn::*command)()) {
    QAction* action = menu->addAction(fixedCaption ? QString(fixedCaption) : QString());
    action->setObjectName(QString::fromStdString(name));
    action->setData(id);
    MenuEntry entry;
    entry.name = name;
    entry.action = action;
    entry.rule = std::move(rule);
    if (command) {
        entry.command = [this, command] { (this->*command)(); };
        const std::string proc = name + "_Click";
        connect(action, &QAction::triggered, this, [this, proc, cmd = entry.command] { Run(proc.c_str(), cmd); });
    }
    mEntries.push_back(std::move(entry));
    return action;
}

void frmVorn::BuildMenus() {
    auto always = [] { return true; };
    auto notEdit = [this] { return !mEditMode; };
    auto loaded = [this] { return mbDataLoaded; };
    auto inEdit = [this] { return mEditMode; };
    auto gridShown = [this] { return flxMain->isVisible(); };
    auto dirty = [this] { return moLFD->IsDirty(); };
    auto twoSamples = [this] { return mbDataLoaded && moLFD->NumDists() >= 2; };
    // The windows these rules read (grid results, automatic fit) come with their commands.
    auto never = [] { return false; };

    auto top = [this](const std::string& name, int id, std::function<bool()> rule, bool fixed = false) {
        QMenu* menu = menuBar()->addMenu(QString());
        menu->setObjectName(QString::fromStdString(name));
        menu->menuAction()->setObjectName(QString::fromStdString(name));
        menu->menuAction()->setData(id);
        MenuEntry entry;
        entry.name = name;
        entry.action = menu->menuAction();
        entry.menu = menu;
        entry.rule = std::move(rule);
        entry.fixed = fixed;
        mEntries.push_back(std::move(entry));
        // Opening a menu brings every item up to date.
        if (!fixed) connect(menu, &QMenu::aboutToShow, this, [this] { RefreshMenus(); });
        return menu;
    };

    QMenu* file = top("mnuFile", 300, notEdit);
    AddItem(file, "mnuNew", 301, nullptr, always, &frmVorn::mnuNew_Click);
    AddItem(file, "mnuOpen", 302, nullptr, always, &frmVorn::mnuOpen_Click);
    AddItem(file, "mnuSimulate", 303, nullptr, [] { return HasSimulationWizard(); }, &frmVorn::mnuSimulate_Click);
    file->addSeparator();
    AddItem(file, "mnuSave", 304, nullptr, dirty, &frmVorn::mnuSave_Click);
    AddItem(file, "mnuSaveAs", 305, nullptr, loaded, &frmVorn::mnuSaveAs_Click);
    file->addSeparator();
    AddItem(file, "mnuPrint", 306, nullptr, loaded, &frmVorn::mnuPrint_Click);
    AddItem(file, "mnuExport", 307, nullptr, loaded, &frmVorn::mnuExport_Click);
    file->addSeparator();
    AddItem(file, "mnuClose", 308, nullptr, loaded, &frmVorn::mnuClose_Click);
    AddItem(file, "mnuExit", 309, nullptr, always, &frmVorn::mnuExit_Click);

    QMenu* edit = top("mnuEdit", 310, always);
    AddItem(edit, "mnuEditMode", 311, nullptr, loaded, &frmVorn::mnuEditMode_Click)->setCheckable(true);
    edit->addSeparator();
    AddItem(edit, "mnuEditFileDesc", 312, nullptr, loaded, nullptr);
    edit->addSeparator();
    AddItem(edit, "mnuAddDist", 313, nullptr, inEdit, nullptr);
    AddItem(edit, "mnuEraseDist", 314, nullptr, inEdit, nullptr);
    AddItem(edit, "mnuCombineDists", 315, nullptr, inEdit, nullptr);
    AddItem(edit, "mnuEditSampleTime", 316, nullptr, inEdit, nullptr);
    edit->addSeparator();
    AddItem(edit, "mnuCut", 317, nullptr, inEdit, nullptr)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    AddItem(edit, "mnuCopy", 318, nullptr, inEdit, nullptr)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    AddItem(edit, "mnuPaste", 319, nullptr, inEdit, nullptr)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    edit->addSeparator();
    AddItem(edit, "mnuFormat", 320, nullptr, gridShown, nullptr);
    AddItem(edit, "mnuNumber", 321, nullptr, gridShown, nullptr);

    QMenu* data = top("mnuData", 322, notEdit);
    AddItem(data, "mnuPlotData", 323, nullptr, loaded, &frmVorn::mnuPlotData_Click);
    AddItem(data, "mnuPlotFit", 324, nullptr, twoSamples, nullptr);

    QMenu* fit = top("mnuFit", 325, notEdit);
    AddItem(fit, "mnuGrid", 326, nullptr, loaded, nullptr);
    AddItem(fit, "mnuViewParams", 0, "V&iew Parameter Estimates", never, nullptr);
    fit->addSeparator();
    AddItem(fit, "mnuAutoFind", 327, nullptr, loaded, nullptr);
    AddItem(fit, "mnuAutoRes", 328, nullptr, never, nullptr);
    fit->addSeparator();
    AddItem(fit, "mnuPlotRestructured", 0, "&Plot Restructured Data", never, nullptr);

    QMenu* functions = top("mnuFunctions", 329, notEdit);
    AddItem(functions, "mnuCatchCurve", 330, nullptr, loaded, nullptr);
    AddItem(functions, "mnuBevHoltZ", 331, nullptr, loaded, nullptr);
    AddItem(functions, "mnuPowWeathZ", 332, nullptr, loaded, nullptr);
    AddItem(functions, "mnuAgeSlice", 333, nullptr, loaded, nullptr);

    QMenu* options = top("mnuOptions", 334, always);
    AddItem(options, "mnuLogFile", 335, nullptr, always, &frmVorn::mnuLogFile_Click);

    QMenu* help = top("mnuHelp", 336, always, true);
    AddItem(help, "mnuHelpContents", 337, nullptr, always, &frmVorn::mnuHelpContents_Click);
    AddItem(help, "mnuAbout", 338, nullptr, always, &frmVorn::mnuAbout_Click);
    for (auto& e : mEntries)
        if (e.name == "mnuHelpContents" || e.name == "mnuAbout") e.fixed = true;
}

void frmVorn::WireFitCommands() {
    auto loaded = [this] { return mbDataLoaded; };
    auto twoSamples = [this] { return mbDataLoaded && moLFD->NumDists() >= 2; };
    Wire("mnuPlotFit", twoSamples, [this] { mGridWindows->PlotFit(*moLFD, *mGrowthParams); });
    Wire("mnuGrid", loaded, [this] { mGridWindows->ScoreFunctionGrid(*moLFD, *mGrowthParams, *mLog); });
    Wire("mnuViewParams", [this] { return mGridWindows->GridDefined(); },
         [this] { mGridWindows->ViewParameterEstimates(); });
    Wire("mnuAutoFind", loaded, [this] { mnuAutoFind_Click(); });
    Wire("mnuAutoRes", [this] { return mAutofind->Success(); }, [this] { mAutofind->ShowResults(); });
    Wire("mnuPlotRestructured", [this] { return mGridWindows->MethType() == 2 && mGridWindows->GridDefined(); },
         [this] { mGridWindows->PlotRestructuredData(); });
    // The Functions menu's regression estimators.
    Wire("mnuCatchCurve", loaded,
         [this] { ZRegCommands::CatchCurve(this, *moLFD, mGrowthParams->k(), mGrowthParams->Linf(), *mLog); });
    Wire("mnuPowWeathZ", loaded,
         [this] { ZRegCommands::PowellWetherall(this, *moLFD, *mLog, [this](const std::string& t) { StatusText(t); }); });
    // Beverton-Holt Z (modal) and age slicing (kept once made).
    Wire("mnuBevHoltZ", loaded, [this] { frmBevHolt::Run(this, *moLFD, *mGrowthParams, *mLog); });
    Wire("mnuAgeSlice", loaded, [this] {
        if (!mAgeSlice) mAgeSlice = std::make_unique<frmAgeSlice>(this);
        mAgeSlice->Create(*moLFD, *mGrowthParams, *mLog);
        owned::ShowOwned(*mAgeSlice, this);
    });
}

void frmVorn::mnuAutoFind_Click() {
    mAutofind->Create(*moLFD, *mGrowthParams, *mLog);
    mAutofind->setVerbose(true);
    {
        // The fit lets window events run while it searches.
        busy::BusyGuard guard;
        mAutofind->AutoFind();
    }
    if (mAutofind->Success()) mAutofind->ShowResults();
}

void frmVorn::Wire(const std::string& name, std::function<bool()> rule, std::function<void()> command) {
    for (MenuEntry& e : mEntries) {
        if (e.name != name) continue;
        e.rule = std::move(rule);
        e.command = std::move(command);
        const std::string proc = name + "_Click";
        connect(e.action, &QAction::triggered, this, [this, proc, cmd = e.command] { Run(proc.c_str(), cmd); });
    }
}

void frmVorn::LoadCaptions() {
    for (const MenuEntry& e : mEntries) {
        const int id = e.action->data().toInt();
        if (id == 0) continue;  // the two items that keep their own caption
        const QString text = QString::fromStdString(res::LoadResString(MVornGlobs::LangBase + id));
        if (e.menu) e.menu->setTitle(text);
        else e.action->setText(text);
    }
}

QAction* frmVorn::MenuItem(const std::string& name) const {
    for (const MenuEntry& e : mEntries)
        if (e.name == name) return e.action;
    return nullptr;
}

QMenu* frmVorn::TopMenu(const std::string& name) const {
    for (const MenuEntry& e : mEntries)
        if (e.name == name) return e.menu;
    return nullptr;
}

void frmVorn::RefreshMenus() {
    for (const MenuEntry& e : mEntries) {
        if (e.fixed) continue;
        const bool landed = e.menu || e.command;
        e.action->setEnabled(landed && e.rule());
    }
    if (QAction* a = MenuItem("mnuEditMode")) a->setChecked(mEditMode);
}

// ---------------------------------------------------------------------------------------
// Commands

void frmVorn::Run(const char* proc, const std::function<void()>& command) {
    // While a long command runs nothing else starts: it may be using the data set. The
    // same holds for a click that arrives while a command lets pending events run.
    if (busy::IsBusy() || mCommandDepth > 0) return;
    ++mCommandDepth;
    try {
        command();
    } catch (const VbError& e) {
        if (e.Number != kUserCancelled) mErr->HandleError(e, std::string("frmVorn") + proc);
    } catch (const std::exception& e) {
        Tell(e.what(), forms::vbCritical);
    }
    --mCommandDepth;
    if (mClosePending) {
        mClosePending = false;
        QTimer::singleShot(0, this, [this] { close(); });
    }
}

void frmVorn::StatusText(const std::string& text) {
    stsBar->SetPanelText("Status", text);
    forms::Forms().DoEvents();
}

void frmVorn::ShowNumberPanel(const std::string& value) { stsBar->SetPanelText("NUMBER", value); }

void frmVorn::LogDataSetBlock(const std::string& lead) {
    mLog->InsertSeperator();
    mLog->LogText(lead + moLFD->FileName() + "\r\n");
    mLog->InsertSeperator();
    mLog->EndLog();
}

void frmVorn::ReplaceDataSet() {
    moLFD->DisconnectChangeOfFileNameOrDesc(mLfdEventId);
    moLFD = std::make_unique<clsVorn>();
    mLfdEventId = moLFD->ConnectChangeOfFileNameOrDesc([this] { moLFD_ChangeOfFileNameOrDesc(); });
    // The last automatic fit goes with the data set it fitted.
    mAutofind->Reset();
}

int frmVorn::AskSaveChanges() {
    // A value still being typed is part of the changes; one that is refused keeps the
    // window as Cancel does, with the box open for the user.
    if (!mDataGrid->FinishEdit()) return forms::vbCancel;
    if (!moLFD->IsDirty()) return forms::vbNo;
    return Ask(Res(59), forms::vbYesNoCancel + forms::vbQuestion);
}

bool frmVorn::CloseDataSet() {
    const int answer = AskSaveChanges();
    if (answer == forms::vbCancel) return false;
    if (answer == forms::vbYes) {
        SaveDataSet();
        // The changes stay when they could not be saved: the user asked to keep them.
        if (moLFD->IsDirty()) return false;
    }
    ShowGrid(false);
    setWindowTitle(kCaption);
    ShowNumberPanel("");
    // The grid results and grid evaluation windows go with the data set.
    mGridWindows->Unload();
    ReplaceDataSet();
    mbDataLoaded = false;
    mEditMode = false;
    flxMain->setBackColor(FlexGrid::kSystemWindowColour);
    RefreshMenus();
    return true;
}

void frmVorn::mnuClose_Click() { CloseDataSet(); }

void frmVorn::mnuNew_Click() {
    if (!CloseDataSet()) return;
    try {
        frmNewDataSet dialog(this);
        dialog.exec();
        if (!dialog.OK()) {
            RefreshMenus();
            return;  // Cancel: no data set, no message
        }
        moLFD->NewDataSet(dialog.FileDesc(), dialog.MinLength(), dialog.ClassSize(),
                          vb::CInt(static_cast<double>(dialog.NumClasses())));
        LogDataSetBlock("Dataset loaded - ");
        mbDataLoaded = true;
        RedrawGrid(*moLFD);
        mnuEditMode_Click();
    } catch (const VbError& e) {
        mErr->HandleError(e, "frmVornmnuNew_Click", Hald_Error::ShowAndLog);
        ShowGrid(false);
        ReplaceDataSet();
        mbDataLoaded = false;
        mEditMode = false;
        setWindowTitle(kCaption);
    }
    RefreshMenus();
}

void frmVorn::OpenFailed() {
    StatusText(MVornGlobs::ReadyText);
    mbDataLoaded = false;
    mEditMode = false;
    // Whatever a failed read left behind is not kept.
    ReplaceDataSet();
    ShowGrid(false);
    setWindowTitle(kCaption);
    RefreshMenus();
}

void frmVorn::mnuOpen_Click() {
    if (!CloseDataSet()) return;
    ShowGrid(false);
    forms::FileDialogRequest request;
    request.filter = "Vorn 5.0 (*.vn5)|*.vn5|Vorn 4.0 (*.vn4)|*.vn4|Text (*.txt)|*.txt";
    request.flags = 4;
    const std::string path = forms::Forms().ShowOpen(request);
    if (path.empty()) {
        OpenFailed();  // Cancel
        return;
    }
    ShowNumberPanel("");
    StatusText(MVornGlobs::OpeningFileText);
    try {
        if (!MUtility::CheckFileName(path, 2)) {
            OpenFailed();  // the check has told the user
            return;
        }
        try {
            moLFD->OpenFile(path);
        } catch (const VbError& e) {
            Tell("The file " + path + " could not be opened." + "\r\n" + e.Description);
            OpenFailed();
            return;
        }
        RedrawGrid(*moLFD);
        mbDataLoaded = true;
        mGrowthParams->setLinf(moLFD->maxlength());
        RefreshCaption();
        StatusText(MVornGlobs::ReadyText);
        ShowGrid(true);
        // An older or text file is saved as a current one at once.
        if (vb::UCase(MUtility::ExtensionOf(moLFD->FileName())) != ".VN5") {
            moLFD->setIsDirty(true);
            SaveDataSetAs();
        }
        LogDataSetBlock("Dataset loaded - ");
        RefreshMenus();
    } catch (const VbError& e) {
        Tell("The file " + path + " could not be opened." + "\r\n" + e.Description);
        OpenFailed();
    }
}

void frmVorn::mnuSimulate_Click() {
    if (!CloseDataSet()) return;
    try {
        if (moLFD->SimData().UserInputSimParameters()) {
            bool simulated = false;
            {
                // The simulation shows its progress and lets window events run.
                busy::BusyGuard guard;
                simulated = moLFD->SimulateData();
            }
            if (simulated) {
                mGrowthParams->setLinf(moLFD->maxlength());
                RedrawGrid(*moLFD);
                mbDataLoaded = true;
                LogDataSetBlock("Dataset simulated - ");
            } else {
                // Cancelled part-way: nothing half-made is kept.
                ReplaceDataSet();
                setWindowTitle(kCaption);
            }
        }
        RefreshMenus();
    } catch (const VbError& e) {
        Tell("The data set could not be simulated." "\r\n" + e.Description);
        OpenFailed();
    }
}

bool frmVorn::SaveDataSet() {
    if (vb::UCase(MUtility::ExtensionOf(moLFD->FileName())) != ".VN5") return SaveDataSetAs();
    StatusText(MVornGlobs::SavingFileText);
    MUtility::Hourglass(true);
    try {
        moLFD->Save();
    } catch (const VbError& e) {
        MUtility::Hourglass(false);
        StatusText(MVornGlobs::ReadyText);
        Tell("The data set could not be saved to " + moLFD->FileName() + "." + "\r\n" + e.Description);
        return false;
    }
    MUtility::Hourglass(false);
    RefreshCaption();
    StatusText(MVornGlobs::ReadyText);
    return true;
}

bool frmVorn::SaveDataSetAs() {
    forms::FileDialogRequest request;
    request.filter = "Vorn 5.0 (*.vn5)|*.vn5";
    request.flags = 6;
    request.fileName = MUtility::BaseNameOf(moLFD->FileName()) + ".VN5";
    request.defaultExt = "VN5";
    const std::string path = forms::Forms().ShowSave(request);
    if (path.empty()) return false;  // Cancel: nothing saved, the name stays
    const std::string oldName = moLFD->FileName();
    moLFD->setFileName(path);
    const bool saved = SaveDataSet();
    if (!saved) moLFD->setFileName(oldName);
    RefreshCaption();
    return saved;
}

void frmVorn::mnuSave_Click() { SaveDataSet(); }

void frmVorn::mnuSaveAs_Click() { SaveDataSetAs(); }

void frmVorn::mnuExport_Click() {
    forms::FileDialogRequest request;
    request.filter = "Text (*.txt)|*.txt";
    request.flags = 6;
    // The dialog gives no name only for Cancel, which ends the command silently.
    const std::string path = forms::Forms().ShowSave(request);
    if (path.empty()) return;
    try {
        moLFD->ExportFile(path);
    } catch (const VbError& e) {
        Tell("The data set could not be exported to " + path + "." + "\r\n" + e.Description);
    }
}

void frmVorn::mnuPrint_Click() {
    try {
        moLFD->PrintData();
    } catch (const VbError& e) {
        Tell("The data set could not be printed." "\r\n" + e.Description);
    }
}

void frmVorn::mnuExit_Click() { close(); }

// ---------------------------------------------------------------------------------------
// Data and help

void frmVorn::mnuPlotData_Click() {
    try {
        moLFD->PlotDistributions();
    } catch (const VbError& e) {
        Tell("The data set could not be plotted." "\r\n" + e.Description);
    }
}

void frmVorn::mnuLogFile_Click() { mLog->View(true); }

void frmVorn::mnuHelpContents_Click() { forms::Forms().ShowHelp(MVornGlobs::HelpFilePath, 11, 1); }

void frmVorn::mnuAbout_Click() {
    frmAbout about(nullptr);
    about.exec();
}

// ---------------------------------------------------------------------------------------
// Window state

void frmVorn::moLFD_ChangeOfFileNameOrDesc() { RefreshCaption(); }

void frmVorn::RefreshCaption() {
    setWindowTitle(QString::fromStdString(std::string(kCaption) + " - " + MUtility::FileNameOf(moLFD->FileName()) +
                                          " - " + vb::Trim(moLFD->FileDesc())));
}

void frmVorn::RedrawGrid(clsVorn& lfd) {
    flxMain->setFixedRows(1);
    flxMain->setFixedCols(1);
    flxMain->setCols(lfd.NumDists() + 1);
    flxMain->setRows(lfd.NumClasses() + 1);
    for (int i = 0; i < flxMain->Cols(); ++i) {
        // Widths are set for the first data set only; the user's widths stay after that.
        if (!mbDataLoaded) {
            flxMain->setColWidth(i, i == 0 ? twips::FromPixels(lblInterval->width(), font()) - 30 : 700);
        }
        for (int j = 0; j < flxMain->Rows(); ++j) {
            if (i == 0 && j == 0) continue;
            if (j == 0) flxMain->setTextMatrix(0, i, vb::CStr(lfd.sTime(static_cast<int16_t>(i))));
            else if (i == 0) flxMain->setTextMatrix(j, 0, vb::CStr(lfd.LBounds(static_cast<int16_t>(j))));
            else
                flxMain->setTextMatrix(j, i, vb::Format(static_cast<double>(lfd.Dists(static_cast<int16_t>(i),
                                                                                     static_cast<int16_t>(j))),
                                                        msNumberFormat));
        }
    }
    miCurCol = flxMain->Col();
    miCurRow = flxMain->Row();
    ShowGrid(true);
    LayoutControls();
    txtEdit->move(flxMain->x() + flxMain->columnWidth(0), txtEdit->y());
}

void frmVorn::ShowGrid(bool show) {
    flxMain->setVisible(show);
    lblInterval->setVisible(show);
    lblTimings->setVisible(show);
}

void frmVorn::LayoutControls() {
    QWidget* central = centralWidget();
    const int inner = central->height();
    const int label = lblInterval->height();
    const int gridHeight = inner > label ? inner - label : twips::ToPixels(230, font());
    flxMain->setGeometry(0, label, central->width(), gridHeight);
    lblTimings->setGeometry(lblInterval->width(), 0, std::max(central->width() - lblInterval->width(), 0), label);
}

bool frmVorn::eventFilter(QObject* watched, QEvent* event) {
    if (watched == centralWidget() && event->type() == QEvent::Resize) LayoutControls();
    if (watched == txtEdit && TxtEditEvent(event)) return true;
    return QMainWindow::eventFilter(watched, event);
}

void frmVorn::flxMain_EnterCell(int row, int col) {
    // Header cells hold no count: the panel keeps what it shows.
    if (!mbDataLoaded || row < flxMain->FixedRows() || col < flxMain->FixedCols()) return;
    const auto i = static_cast<int16_t>(col - flxMain->FixedCols() + 1);
    const auto j = static_cast<int16_t>(row - flxMain->FixedRows() + 1);
    if (i > moLFD->NumDists() || j > moLFD->NumClasses()) return;
    ShowNumberPanel(vb::CStr(moLFD->Dists(i, j)));
}

void frmVorn::BusyChanged(bool isBusy) {
    // Only the running command's own Cancel stays live.
    menuBar()->setEnabled(!isBusy);
    flxMain->setEnabled(!isBusy);
    txtEdit->setEnabled(!isBusy);
}

// ---------------------------------------------------------------------------------------
// Shut-down

void frmVorn::closeEvent(QCloseEvent* event) {
    // A running command keeps the window; it closes when the command has ended.
    if (busy::DeferClose(this)) {
        event->ignore();
        return;
    }
    if (mCommandDepth > 0) {  // Exit, or the close box while a command waits for events
        mClosePending = true;
        event->ignore();
        return;
    }
    if (!mShutDown) {
        try {
            const int answer = AskSaveChanges();
            if (answer == forms::vbCancel) {
                event->ignore();
                return;
            }
            if (answer == forms::vbYes) {
                // What edit mode would not let out is not saved either.
                if (!EndEditMode()) {
                    event->ignore();
                    return;
                }
                SaveDataSet();
                if (moLFD->IsDirty()) {
                    event->ignore();
                    return;
                }
            }
            if (Ask("Do you wish to keep the current log file " + mLog->Filename(),
                    forms::vbYesNo + forms::vbQuestion) == forms::vbYes) {
                // Everything logged since the last write goes into the kept file too.
                mLog->EndLog();
            } else {
                mLog->DeleteLogFile();
            }
        } catch (const VbError& e) {
            Tell(e.Description, forms::vbCritical);
        }
        mShutDown = true;
    }
    // Every other window of the program goes with this one.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    event->accept();
}
