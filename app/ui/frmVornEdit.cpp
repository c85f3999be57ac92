// The main window's data editing: edit mode, the Edit menu's commands on whole samples
// and the description, the wiring of the grid and its edit box to the grid editor, and
// the window's answers to the grid editor (IDataGrid). Counts reach the data set only
// through EditData; the data rules of the sample commands and of leaving edit mode are
// the data set's own (EditRules), so this file only asks, tells and redraws.
#include "frmVorn.h"

#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>

#include "CellText.h"
#include "EditRules.h"
#include "FlexGrid.h"
#include "GridSearchWindows.h"
#include "clsAutofind.h"
#include "clsDataGrid.h"
#include "clsMultiPickList.h"
#include "clsVorn.h"
#include "forms/FormsService.h"
#include "forms/HandlerGuard.h"
#include "frmGridRes.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int32_t kEditColour = 0x00FFFFC0;

void Tell(const std::string& prompt) { forms::Forms().MsgBox(prompt, forms::vbExclamation, forms::kAppTitle); }

// The key codes the grid editor acts on, from a key of the edit box; 0 for any other.
int16_t KeyCodeOf(const QKeyEvent& key) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: return 13;
        case Qt::Key_Escape: return 27;
        case Qt::Key_Up: return 38;
        case Qt::Key_Down: return 40;
        default: return 0;
    }
}

int16_t ShiftOf(const QKeyEvent& key) {
    const Qt::KeyboardModifiers m = key.modifiers();
    return static_cast<int16_t>((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                                (m & Qt::AltModifier ? 4 : 0));
}

}  // namespace

void frmVorn::WireEditCommands() {
    auto loaded = [this] { return mbDataLoaded; };
    auto inEdit = [this] { return mEditMode; };
    auto gridShown = [this] { return flxMain->isVisible(); };
    Wire("mnuEditFileDesc", loaded, [this] { mnuEditFileDesc_Click(); });
    Wire("mnuAddDist", inEdit, [this] { mnuAddDist_Click(); });
    Wire("mnuEraseDist", inEdit, [this] { mnuEraseDist_Click(); });
    Wire("mnuCombineDists", inEdit, [this] { mnuCombineDists_Click(); });
    Wire("mnuEditSampleTime", inEdit, [this] { mnuEditSampleTime_Click(); });
    Wire("mnuCut", inEdit, [this] { mDataGrid->CutClick(); });
    Wire("mnuCopy", inEdit, [this] { mDataGrid->CopyClick(); });
    Wire("mnuPaste", inEdit, [this] { mDataGrid->PasteClick(); });
    Wire("mnuFormat", gridShown, [this] { mDataGrid->FormatCol(); });
    Wire("mnuNumber", gridShown, [this] { mDataGrid->FormatNumber(); });

    // The results of the current data that entering edit mode clears.
    AddHeldResult([this] { return mGridWindows->GridDefined(); }, [this] { mGridWindows->GridRes().Reset(); });
    AddHeldResult([this] { return moLFD->LFGraphVisible(); }, [this] { moLFD->TerminateLFPlot(); });
    AddHeldResult([this] { return mAutofind->Success(); }, [this] { mAutofind->Reset(); });

    // grid -> editor
    connect(flxMain, &FlexGrid::GotFocus, this, [this](Qt::FocusReason reason) {
        // A click first commits the edit into its cell (mouse down), so it does not drop it.
        if (reason != Qt::MouseFocusReason) forms::RunHandler([this] { mDataGrid->GridGotFocus(); });
    });
    connect(flxMain, &FlexGrid::KeyPress, this, [this](int key) {
        forms::RunHandler([this, key] {
            if (mEditMode) mDataGrid->GridEdit(static_cast<int16_t>(key));
            else NotEditModeMessage();
        });
    });
    connect(flxMain, &FlexGrid::DblClick, this, [this] {
        forms::RunHandler([this] {
            if (mEditMode) mDataGrid->GridEdit(13);
            else NotEditModeMessage();
        });
    });
    connect(flxMain, &FlexGrid::MouseDown, this, [this](int button) {
        forms::RunHandler([this, button] { mDataGrid->GridMouseDown(static_cast<int16_t>(button)); });
    });
    connect(flxMain, &FlexGrid::MouseUp, this, [this] { forms::RunHandler([this] { mDataGrid->GridMouseUp(); }); });
    connect(flxMain, &FlexGrid::LeaveCell, this, [this] {
        if (txtEdit->isVisible() && txtEdit->text().isEmpty()) txtEdit->setText("0");
    });
    txtEdit->installEventFilter(this);
}

bool frmVorn::TxtEditEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut: {
            // A menu or another window coming and going neither leaves nor enters the box:
            // the edit goes on in its own cell, wherever a dialog has moved the grid meanwhile.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return false;
            if (event->type() == QEvent::FocusIn) forms::RunHandler([this] { mDataGrid->TextGotFocus(); });
            else forms::RunHandler([this] { mDataGrid->TextLostFocus(); });
            return false;
        }
        case QEvent::KeyPress: {
            const auto& key = *static_cast<QKeyEvent*>(event);
            const int16_t code = KeyCodeOf(key);
            if (code == 0) return false;  // the box's own keys
            forms::RunHandler([this, code, &key] {
                mDataGrid->TextKeyDown(code, ShiftOf(key));
                int16_t ascii = code;
                if (code == 13) mDataGrid->TextKeyPress(ascii);
            });
            return true;
        }
        default:
            return false;
    }
}

void frmVorn::AddHeldResult(std::function<bool()> held, std::function<void()> clear) {
    mHeldResults.emplace_back(std::move(held), std::move(clear));
}

// ---------------------------------------------------------------------------------------
// Edit mode

bool frmVorn::ResultsHeld() {
    for (const auto& [held, clear] : mHeldResults)
        if (held()) return true;
    return false;
}

void frmVorn::ClearResults() {
    flxMain->setBackColor(kEditColour);
    for (const auto& [held, clear] : mHeldResults)
        if (held()) clear();
}

void frmVorn::mnuEditMode_Click() {
    if (!mEditMode) {
        if (ResultsHeld()) {
            forms::Forms().Beep();
            if (forms::Forms().MsgBox("Entering Edit Mode will clear current Grid Search and all plots, Continue?",
                                      forms::vbYesNo + forms::vbQuestion, forms::kAppTitle) == forms::vbNo) {
                RefreshMenus();
                return;
            }
        }
        ClearResults();
        mEditMode = true;
        // Typing and Paste go to the grid at once, without a click first.
        flxMain->setFocus(Qt::OtherFocusReason);
    } else {
        EndEditMode();
    }
    RefreshMenus();
}

bool frmVorn::EndEditMode() {
    if (!mEditMode) return true;
    if (!mDataGrid->FinishEdit() || !CheckDataForEditExit()) return false;  // a value being typed goes in first
    mEditMode = false;
    RefreshMenus();
    return true;
}

bool frmVorn::CheckDataForEditExit() {
    switch (editrules::LeaveEditMode(*moLFD)) {
        case editrules::ExitFault::EmptyDist: Tell(Res(42)); return false;
        case editrules::ExitFault::SharedTime: Tell(Res(43)); return false;
        case editrules::ExitFault::None: break;
    }
    flxMain->setBackColor(FlexGrid::kSystemWindowColour);
    return true;
}

void frmVorn::NotEditModeMessage() { Tell(Res(58)); }

// ---------------------------------------------------------------------------------------
// The grid editor's owner

float frmVorn::Data(int16_t col, int16_t row) {
    return moLFD->Dists(static_cast<int16_t>(col - flxMain->FixedCols() + 1),
                        static_cast<int16_t>(row - flxMain->FixedRows() + 1));
}

void frmVorn::EditData(int16_t col, int16_t row, std::string& value, bool& accepted) {
    accepted = false;
    const auto i = static_cast<int16_t>(col - flxMain->FixedCols() + 1);
    const auto j = static_cast<int16_t>(row - flxMain->FixedRows() + 1);
    // A header cell or one beyond the data holds no count.
    if (i < 1 || i > moLFD->NumDists() || j < 1 || j > moLFD->NumClasses()) return;
    float count = 0.0f;
    if (!celltext::ParseNumber(value, count)) return;
    count = editrules::StoredCount(count);
    value = vb::CStr(count);
    moLFD->setDists(i, j, count);
    accepted = true;
    if (col == flxMain->Col() && row == flxMain->Row()) ShowNumberPanel(value);
}

bool frmVorn::IsValidData() {
    float value = 0.0f;
    if (!celltext::ParseNumber(txtEdit->text().toStdString(), value)) {
        Tell(Res(60));
        return false;
    }
    std::size_t first = 0;
    std::string why;
    if (CanTakeValues({{mDataGrid->OldCol(), mDataGrid->OldRow(), value}}, first, why)) return true;
    Tell("This count cannot be stored: " + why + ".");
    return false;
}

bool frmVorn::CanTakeValues(const std::vector<CellValue>& values, std::size_t& first, std::string& why) {
    std::vector<clsVorn::NewCount> counts;
    counts.reserve(values.size());
    for (const CellValue& v : values)
        counts.push_back({static_cast<int16_t>(v.col - flxMain->FixedCols() + 1),
                          static_cast<int16_t>(v.row - flxMain->FixedRows() + 1), editrules::StoredCount(v.value)});
    // Save would refuse a set whose sample adds up to too much: refuse it here, at the cell.
    const int32_t k = moLFD->FirstCountTooLarge(counts);
    if (k < 0) return true;
    first = static_cast<std::size_t>(k);
    why = "it would make the total of sample " + vb::CStr(static_cast<int32_t>(counts[first].i)) +
          " too large for a data set";
    return false;
}

void frmVorn::GridPopUpMenu() {
    if (QMenu* edit = TopMenu("mnuEdit")) edit->popup(QCursor::pos());  // its opening refreshes the items
}

// ---------------------------------------------------------------------------------------
// The Edit menu's commands

void frmVorn::SamplesChanged() {
    moLFD->setIsDirty(true);
    RedrawGrid(*moLFD);
    RefreshMenus();
}

void frmVorn::mnuEditFileDesc_Click() {
    const std::string answer =
        forms::Forms().InputBox("File Description ; ", forms::kAppTitle, vb::Trim(moLFD->FileDesc()));
    // Cancel gives no text: nothing changes, and no description can be emptied this way.
    if (answer.empty() || answer == moLFD->FileDesc()) return;
    moLFD->setFileDesc(answer);  // the caption follows, and the set is changed
    RefreshMenus();
}

void frmVorn::mnuAddDist_Click() {
    if (!mDataGrid->FinishEdit()) return;
    const std::string answer = forms::Forms().InputBox(Res(44), Res(45), msNumberFormat);
    if (answer.empty()) return;
    float time = 0.0f;
    if (!celltext::ParseNumber(answer, time)) {
        Tell(Res(46));
        return;
    }
    moLFD->InsertDist(time);
    SamplesChanged();
}

bool frmVorn::AskSampleTime(float& answer, bool& cancelled) {
    const std::string text = forms::Forms().InputBox(Res(54), Res(55), "0");
    cancelled = text.empty();
    if (cancelled) return false;
    if (celltext::ParseNumber(text, answer)) return true;
    Tell(Res(56));
    return false;
}

void frmVorn::mnuEditSampleTime_Click() {
    if (!mDataGrid->FinishEdit()) return;
    const auto s = static_cast<int16_t>(flxMain->ColSel() - flxMain->FixedCols() + 1);
    if (s < 1 || s > moLFD->NumDists()) {
        Tell("Select a cell of the distribution whose sample time is to be changed.");
        return;
    }
    float time = 0.0f;
    bool cancelled = false;
    if (!AskSampleTime(time, cancelled)) return;
    editrules::MoveDist(*moLFD, s, time);
    SamplesChanged();
}

bool frmVorn::PickSamples(const std::string& caption, const std::string& label, const std::string& picked,
                          std::vector<int16_t>& samples) {
    clsMultiPickList pick;
    pick.setCaption(caption);
    pick.setLabel(label);
    pick.setUnPickedLabel("Distributions to Keep");
    pick.setPickedLabel(picked);
    const int16_t nd = moLFD->NumDists();
    pick.setiNumRows(nd);
    for (int16_t i = 1; i <= nd; ++i) {
        pick.setvMasterData(i, Res(57) + vb::CStr(static_cast<int32_t>(i)) + " (" + vb::CStr(moLFD->sTime(i)) + ")");
        pick.setbMasterFlag(i, false);
    }
    if (!pick.MultiPick()) return false;
    samples.clear();
    for (int16_t i = nd; i >= 1; --i)
        if (pick.bMasterFlag(i)) samples.push_back(i);
    return true;
}

void frmVorn::mnuEraseDist_Click() {
    if (!mDataGrid->FinishEdit()) return;
    std::vector<int16_t> erase;
    if (!PickSamples("Erase Distributions", "Select Distributions to Erase.", "Erase", erase) || erase.empty()) return;
    if (!editrules::EraseDists(*moLFD, erase)) {
        Tell("A data set must keep at least one distribution: nothing was erased.");
        return;
    }
    SamplesChanged();
}

void frmVorn::mnuCombineDists_Click() {
    if (!mDataGrid->FinishEdit()) return;
    std::vector<int16_t> picked;
    if (!PickSamples("Combine Distributions", "Select which distributions to Combine", "Distributions to Combine",
                     picked) ||
        picked.empty())
        return;
    // Save would refuse the combined sample: refuse it here, before its time is asked.
    const std::string tooLarge =
        "These distributions cannot be combined: it would make the total of the combined sample too large for a "
        "data set.";
    if (editrules::CombinedTooLarge(*moLFD, picked)) {
        Tell(tooLarge);
        return;
    }
    // The time first, so that Cancel there leaves every sample in place.
    float time = 0.0f;
    bool cancelled = false;
    while (!AskSampleTime(time, cancelled))
        if (cancelled) return;

    if (!editrules::CombineDists(*moLFD, picked, time)) {
        Tell(tooLarge);
        return;
    }
    SamplesChanged();
}
