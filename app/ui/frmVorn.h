#ifndef FRMVORN_H
#define FRMVORN_H
// The program's main window: it owns the current data set and the run log, shows the data
// set in a grid, carries the menu bar every command starts from, keeps the status bar,
// and ends the program when it closes.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "IDataGrid.h"

class FlexGrid;
class KeyedStatusBar;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class GridSearchWindows;
class clsAutofind;
class frmAgeSlice;
class clsGrowthParams;
class clsLog;
class clsDataGrid;
class clsVorn;
class Hald_Error;

class frmVorn : public QMainWindow, public IDataGrid {
    Q_OBJECT
public:
    explicit frmVorn(QWidget* parent = nullptr);
    ~frmVorn() override;

    // Writes the text into the status panel and lets pending window events run once,
    // so that it is painted at once.
    void StatusText(const std::string& text);

    // What the other windows and the tests read.
    clsVorn& LFD() { return *moLFD; }
    clsLog& Log() { return *mLog; }
    clsGrowthParams* GrowthParams() { return mGrowthParams.get(); }
    GridSearchWindows& GridWindows() { return *mGridWindows; }
    frmAgeSlice* AgeSliceWindow() const { return mAgeSlice.get(); }
    clsAutofind& Autofind() { return *mAutofind; }
    bool DataLoaded() const { return mbDataLoaded; }
    bool EditMode() const { return mEditMode; }
    // A menu item by its control name ("mnuSave"); top-level menus answer with their
    // menu's action. nullptr for an unknown name.
    QAction* MenuItem(const std::string& name) const;
    QMenu* TopMenu(const std::string& name) const;

    // Sets the Enabled state of every item by the menu rule (the Help menu never changes).
    void RefreshMenus();

    // A result of the current data that a window or object holds: whether it holds one
    // now, and how to clear it. Entering edit mode asks before it clears them all.
    void AddHeldResult(std::function<bool()> held, std::function<void()> clear);
    clsDataGrid& DataGrid() { return *mDataGrid; }

    // The grid editor's owner (columns first, grid positions).
    std::string NoData() override { return "0"; }
    QLineEdit* txtBox() override { return txtEdit; }
    std::string FormatString() override { return "0.00"; }
    float Data(int16_t col, int16_t row) override;
    FlexGrid* Grid() override { return flxMain; }
    void GridPopUpMenu() override;
    void EditData(int16_t col, int16_t row, std::string& value, bool& accepted) override;
    void ChangeOfNumberFormat(int16_t, int16_t, const std::string&) override {}
    void ChangeOfTextFormat(int16_t, int16_t, const forms::FontChoice&) override {}
    int16_t OldCol() override { return static_cast<int16_t>(miCurCol); }
    int16_t OldRow() override { return static_cast<int16_t>(miCurRow); }
    bool IsValidData() override;
    bool CanTakeValues(const std::vector<CellValue>& values, std::size_t& first, std::string& why) override;

    FlexGrid* flxMain;
    QLineEdit* txtEdit;
    QLabel* lblInterval;
    QLabel* lblTimings;
    KeyedStatusBar* stsBar;

    static constexpr int kStrBase = 300;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MenuEntry {
        std::string name;
        QAction* action = nullptr;
        QMenu* menu = nullptr;               // top-level menus
        std::function<bool()> rule;          // the "enabled when" of the item
        std::function<void()> command;       // empty: its command has not landed yet
        bool fixed = false;                  // the Help menu and its items
    };

    // Initialisation and loading.
    void BuildMenus();
    void BuildWindow();
    void LoadCaptions();
    QAction* AddItem(QMenu* menu, const std::string& name, int id, const char* fixedCaption,
                     std::function<bool()> rule, void (frmVorn::*command)());

    // Runs a command: refused while a long command runs; no error leaves it.
    void Run(const char* proc, const std::function<void()>& command);

    // File commands.
    void mnuNew_Click();
    void mnuOpen_Click();
    void mnuSimulate_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuPrint_Click();
    void mnuExport_Click();
    void mnuClose_Click();
    void mnuExit_Click();
    // True when the data set was closed; false when the user kept it (Cancel, or a save
    // that did not happen after Yes).
    bool CloseDataSet();
    // True when the data set was saved.
    bool SaveDataSet();
    bool SaveDataSetAs();
    void OpenFailed();
    void LogDataSetBlock(const std::string& lead);

    // Edit mode and the Edit menu; the grid and edit box events.
    void WireEditCommands();
    void Wire(const std::string& name, std::function<bool()> rule, std::function<void()> command);
    void mnuEditMode_Click();
    bool CheckDataForEditExit();
    // Leaves edit mode as its menu item does; false, still in edit mode, when the data
    // cannot leave it yet (the user has been told why). True outside edit mode.
    bool EndEditMode();
    bool ResultsHeld();
    void ClearResults();
    void NotEditModeMessage();
    void mnuEditFileDesc_Click();
    void mnuAddDist_Click();
    void mnuEraseDist_Click();
    void mnuCombineDists_Click();
    void mnuEditSampleTime_Click();
    // True with a valid time; `cancelled` tells Cancel from a refused answer.
    bool AskSampleTime(float& answer, bool& cancelled);
    // The pick list of samples; false when cancelled, else the picked ones, highest first.
    bool PickSamples(const std::string& caption, const std::string& label, const std::string& picked,
                     std::vector<int16_t>& samples);
    void SamplesChanged();
    bool TxtEditEvent(QEvent* event);

    // The data and help commands.
    void mnuPlotData_Click();
    void mnuLogFile_Click();
    void mnuHelpContents_Click();
    void mnuAbout_Click();

    // Window state.
    int AskSaveChanges();
    void RefreshCaption();
    void RedrawGrid(clsVorn& lfd);
    void ShowGrid(bool show);
    void ShowNumberPanel(const std::string& value);
    void LayoutControls();
    void ReplaceDataSet();
    void moLFD_ChangeOfFileNameOrDesc();
    void flxMain_EnterCell(int row, int col);
    void BusyChanged(bool busy);

    std::string Res(int k) const;  // the text of string kStrBase + k

    // The grid search, its results and the fit plot (Fit and Data menus).
    void WireFitCommands();
    std::unique_ptr<GridSearchWindows> mGridWindows;
    // Functions > Age Slice: made on first use, kept for the life of the program.
    std::unique_ptr<frmAgeSlice> mAgeSlice;
    // Fit > Seasonal Growth Curve.
    void mnuAutoFind_Click();
    std::unique_ptr<clsAutofind> mAutofind;

    std::unique_ptr<clsDataGrid> mDataGrid;
    std::vector<std::pair<std::function<bool()>, std::function<void()>>> mHeldResults;
    std::unique_ptr<clsGrowthParams> mGrowthParams;
    std::unique_ptr<clsLog> mLog;
    std::unique_ptr<Hald_Error> mErr;
    bool mbDataLoaded = false;
    std::string msNumberFormat = "0.00";
    int miCurCol = 0;
    int miCurRow = 0;
    int miStrBase = kStrBase;
    std::unique_ptr<clsVorn> moLFD;
    int mLfdEventId = 0;
    bool mEditMode = false;
    bool mShutDown = false;  // the shut-down questions are answered
    int mCommandDepth = 0;   // a command is running
    bool mClosePending = false;
    int mBusyConnection = 0;
    std::vector<MenuEntry> mEntries;
};

#endif
