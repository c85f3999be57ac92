#include "clsDataGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <algorithm>
#include <memory>
#include <vector>

#include "CellText.h"
#include "FlexGrid.h"
#include "IDataGrid.h"
#include "forms/FormsService.h"
#include "frmNumberFormat.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int16_t kEnter = 13, kEscape = 27, kUp = 38, kDown = 40;

QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

}  // namespace

void clsDataGrid::Create(IDataGrid* owner) { owner_ = owner; }

QWidget* clsDataGrid::ActiveControl() const { return owner_->Grid()->window()->focusWidget(); }

int16_t clsDataGrid::SelRowRange(bool upper) const {
    const FlexGrid& grid = *owner_->Grid();
    const int32_t a = grid.Row(), b = grid.RowSel();
    return static_cast<int16_t>(upper ? std::max(a, b) : std::min(a, b));
}

int16_t clsDataGrid::SelColRange(bool upper) const {
    const FlexGrid& grid = *owner_->Grid();
    const int32_t a = grid.Col(), b = grid.ColSel();
    return static_cast<int16_t>(upper ? std::max(a, b) : std::min(a, b));
}

// ---- editing -----------------------------------------------------------------------

void clsDataGrid::GridEdit(int16_t KeyAscii) {
    FlexGrid& grid = *owner_->Grid();
    QLineEdit& box = *owner_->txtBox();
    const QRect cell = grid.CellRect();
    box.setGeometry(grid.x() + cell.x(), grid.y() + cell.y(), cell.width(), cell.height());
    const bool startsValue = (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == '-' || KeyAscii == '.';
    if (startsValue) {
        // The key starts a new value.
        box.setText(QString(QChar(KeyAscii)));
        box.setCursorPosition(1);
    } else {
        if (KeyAscii > 32) forms::Forms().Beep();
        box.setText(QString::fromStdString(grid.Text()));
        box.setSelection(0, 100);
    }
    oldCol_ = static_cast<int16_t>(grid.Col());
    oldRow_ = static_cast<int16_t>(grid.Row());
    box.show();
    box.raise();
    box.setFocus(Qt::OtherFocusReason);
}

void clsDataGrid::TextGotFocus() {
    const FlexGrid& grid = *owner_->Grid();
    if (owner_->txtBox()->isVisible()) {
        oldCol_ = static_cast<int16_t>(grid.Col());
        oldRow_ = static_cast<int16_t>(grid.Row());
    }
}

void clsDataGrid::GridGotFocus() {
    // The edit is abandoned: the box goes, its text stays.
    QLineEdit* box = owner_->txtBox();
    if (box->isVisible()) box->hide();
}

void clsDataGrid::TextLostFocus() {
    QLineEdit* box = owner_->txtBox();
    if (box->text().isEmpty()) box->setText(QString::fromStdString(owner_->NoData()));
}

void clsDataGrid::TextKeyPress(int16_t& KeyAscii) {
    if (KeyAscii == kEnter) KeyAscii = 0;  // no beep for Enter
}

void clsDataGrid::TextKeyDown(int16_t KeyCode, int16_t Shift) { EditKeyCode(KeyCode, Shift); }

bool clsDataGrid::IsValidData() {
    QLineEdit& box = *owner_->txtBox();
    if (box.text().isEmpty()) box.setText(QString::fromStdString(owner_->NoData()));
    if (owner_->IsValidData()) return true;
    // Back to the cell being edited, its text selected for correction.
    FlexGrid& grid = *owner_->Grid();
    grid.setCurrentCell(oldRow_, oldCol_);
    box.setSelection(0, 100);
    box.show();
    box.setFocus(Qt::OtherFocusReason);
    return false;
}

void clsDataGrid::EditKeyCode(int16_t KeyCode, int16_t Shift) {
    FlexGrid& grid = *owner_->Grid();
    QLineEdit& box = *owner_->txtBox();
    switch (KeyCode) {
        case kEnter:
        case kUp:
        case kDown: {
            if (!IsValidData()) return;
            // The value belongs to the cell it was typed for, wherever the grid has moved.
            grid.setCurrentCell(oldRow_, oldCol_);
            grid.setFocus(Qt::OtherFocusReason);
            CommitEdit();
            box.setText(QString());
            box.hide();
            if (KeyCode == kEnter) return;
            forms::Forms().DoEvents();
            const int32_t row = grid.Row();
            if (KeyCode == kUp && row > grid.FixedRows()) grid.setRow(row - 1);
            else if (KeyCode == kDown && row < grid.Rows() - 1) grid.setRow(row + 1);
            else forms::Forms().Beep();
            return;
        }
        case kEscape:
            box.hide();
            grid.setFocus(Qt::OtherFocusReason);
            return;
        default:
            return;  // the box's own keys
    }
}

bool clsDataGrid::CommitEdit() {
    const FlexGrid& grid = *owner_->Grid();
    QLineEdit& box = *owner_->txtBox();
    if (box.text().isEmpty()) box.setText(QString::fromStdString(owner_->NoData()));
    return StoreCell(static_cast<int16_t>(grid.Row()), static_cast<int16_t>(grid.Col()), box.text().toStdString(),
                     true);
}

bool clsDataGrid::StoreCell(int16_t row, int16_t col, std::string value, bool formatted) {
    bool accepted = false;
    owner_->EditData(col, row, value, accepted);
    if (!accepted) return false;
    // The cell shows what the owner kept (a negative count shows as the 0 stored).
    float number = 0.0f;
    if (formatted && celltext::ParseNumber(value, number))
        value = vb::Format(static_cast<double>(number), owner_->FormatString());
    owner_->Grid()->setTextMatrix(row, col, value);
    return true;
}

void clsDataGrid::GridMouseDown(int16_t Button) {
    if (Button == 2) {
        owner_->GridPopUpMenu();
        return;
    }
    FlexGrid& grid = *owner_->Grid();
    const int32_t clickedRow = grid.Row(), clickedCol = grid.Col();
    if (!owner_->txtBox()->isVisible()) return;
    // The typed value goes into the cell it was typed for, then the clicked cell is selected.
    if (!IsValidData()) return;
    EditKeyCode(kEnter, 0);
    grid.setCurrentCell(clickedRow, clickedCol);
}

bool clsDataGrid::FinishEdit() {
    if (owner_->txtBox()->isVisible()) EditKeyCode(kEnter, 0);
    return !owner_->txtBox()->isVisible();
}

void clsDataGrid::GridMouseUp() {
    // Nothing is left to store here: the press stored a valid value already. A box still
    // open was refused by the press (its message shown once) or opened by a double click
    // since, and either stays open for the user.
}

// ---- clipboard ---------------------------------------------------------------------

std::string clsDataGrid::BlockText(bool cut) {
    FlexGrid& grid = *owner_->Grid();
    const std::string noData = owner_->NoData();
    std::string text;
    for (int16_t r = SelRowRange(false); r <= SelRowRange(true); ++r) {
        for (int16_t c = SelColRange(false); c <= SelColRange(true); ++c) {
            if (c > SelColRange(false)) text += '\t';
            text += grid.TextMatrix(r, c);
            if (cut) {
                grid.setTextMatrix(r, c, noData);
                std::string value = noData;
                bool accepted = false;
                owner_->EditData(c, r, value, accepted);
            }
        }
        text += "\r\n";
    }
    return text;
}

void clsDataGrid::CopyClick() {
    Clipboard().clear();
    QWidget* active = ActiveControl();
    if (auto* box = qobject_cast<QLineEdit*>(active)) {
        Clipboard().setText(box->selectedText());
    } else if (active == owner_->Grid()) {
        Clipboard().setText(QString::fromStdString(BlockText(false)));
    }
}

void clsDataGrid::CutClick() {
    Clipboard().clear();
    QWidget* active = ActiveControl();
    if (auto* box = qobject_cast<QLineEdit*>(active)) {
        Clipboard().setText(box->selectedText());
        box->setText(QString());  // the whole text, not only the selection
    } else if (active == owner_->Grid()) {
        Clipboard().setText(QString::fromStdString(BlockText(true)));
    }
}

void clsDataGrid::PasteClick() {
    QWidget* active = ActiveControl();
    if (auto* box = qobject_cast<QLineEdit*>(active)) {
        box->insert(Clipboard().text());
        return;
    }
    if (active != owner_->Grid()) return;
    // The whole text is read and checked first: a paste stores all of it or nothing.
    celltext::Block block;
    celltext::Refusal refusal;
    if (!celltext::ReadBlock(Clipboard().text().toStdString(), block, refusal)) {
        // The grid's message; for a block, which cell and why.
        PasteRefused(block.single ? std::string() : "Data must be numeric.\r" + celltext::Describe(refusal));
        return;
    }
    std::vector<IDataGrid::CellValue> cells;
    std::string outside;
    if (block.single) SelectionCells(block.values.front(), cells);
    else if (!BlockCells(block, cells, outside)) {
        PasteRefused(outside);
        return;
    }
    std::size_t first = 0;
    std::string why;
    if (!owner_->CanTakeValues(cells, first, why)) {
        const IDataGrid::CellValue& bad = cells[first];
        const FlexGrid& grid = *owner_->Grid();
        const std::string where =
            block.single ? "The cell at row " + std::to_string(bad.row) + ", column " + std::to_string(bad.col)
                         : "Row " + std::to_string(bad.row - grid.Row() + 1) + ", column " +
                               std::to_string(bad.col - grid.Col() + 1) + " of the pasted block";
        PasteRefused(where + " cannot be stored: " + why + ".");
        return;
    }
    const FlexGrid::QuietCells quiet(*owner_->Grid());
    for (const IDataGrid::CellValue& cell : cells)
        StoreCell(cell.row, cell.col, vb::CStr(static_cast<double>(cell.value)), false);
}

void clsDataGrid::SelectionCells(float value, std::vector<IDataGrid::CellValue>& cells) const {
    // One value fills the whole selection, rows outer.
    const int16_t r0 = SelRowRange(false), r1 = SelRowRange(true);
    const int16_t c0 = SelColRange(false), c1 = SelColRange(true);
    for (int16_t r = r0; r <= r1; ++r)
        for (int16_t c = c0; c <= c1; ++c) cells.push_back({c, r, value});
}

bool clsDataGrid::BlockCells(const celltext::Block& block, std::vector<IDataGrid::CellValue>& cells,
                             std::string& outside) const {
    // The block goes from the current cell and must lie inside the grid, all of it.
    const FlexGrid& grid = *owner_->Grid();
    const int32_t row0 = grid.Row(), col0 = grid.Col();
    cells.reserve(block.values.size());
    for (int32_t r = 0; r < block.Rows(); ++r) {
        const int32_t length = block.RowLength(r);
        const bool rowInside = row0 + r < grid.Rows();
        if (!rowInside || col0 + length > grid.Cols()) {
            const int32_t col = rowInside ? grid.Cols() - col0 + 1 : 1;
            outside = "Row " + std::to_string(r + 1) + ", column " + std::to_string(col) +
                      " of the pasted block falls outside the grid: the block has " + std::to_string(block.Rows()) +
                      (block.Rows() == 1 ? " row" : " rows") + " and " + std::to_string(block.Width()) +
                      (block.Width() == 1 ? " column." : " columns.");
            return false;
        }
        const std::size_t start = block.RowStart(r);
        for (int32_t c = 0; c < length; ++c)
            cells.push_back({static_cast<int16_t>(col0 + c), static_cast<int16_t>(row0 + r),
                             block.values[start + static_cast<std::size_t>(c)]});
    }
    return true;
}

void clsDataGrid::PasteRefused(const std::string& why) {
    const std::string prompt = why.empty() ? "Data must be numeric." : why + "\rNothing was pasted.";
    forms::Forms().MsgBox(prompt, forms::vbExclamation + forms::vbOKOnly, forms::kAppTitle);
}

// ---- formats -----------------------------------------------------------------------

void clsDataGrid::SelectWholeColumns() {
    FlexGrid& grid = *owner_->Grid();
    const int16_t c0 = SelColRange(false), c1 = SelColRange(true);
    grid.setCurrentCell(grid.FixedRows(), c0);
    grid.setRowSel(grid.Rows() - 1);
    grid.setColSel(c1);
}

void clsDataGrid::FormatNumber() {
    FlexGrid& grid = *owner_->Grid();
    auto dialog = std::make_unique<frmNumberFormat>(grid.window());
    const float stored = owner_->Data(static_cast<int16_t>(grid.Col()), static_cast<int16_t>(grid.Row()));
    SelectWholeColumns();

    // The dialog starts from the way the stored value writes itself.
    const std::string text = vb::CStr(stored);
    const std::size_t e = text.find('E'), point = text.find('.');
    int16_t places = 0;
    if (e != std::string::npos) places = point == std::string::npos ? 0 : static_cast<int16_t>(e - point - 1);
    else if (point != std::string::npos) places = static_cast<int16_t>(text.size() - point - 1);
    const int32_t kind = e != std::string::npos ? 3 : text.find(',') != std::string::npos ? 2 : 1;
    dialog->setDecPlaces(places);
    dialog->setTFormat(kind);
    dialog->setSample(static_cast<double>(stored));
    dialog->exec();
    if (!dialog->OK()) return;

    grid.setFocus(Qt::OtherFocusReason);
    const std::string format = dialog->NumFormat();
    const int16_t c0 = SelColRange(false), c1 = SelColRange(true);
    for (int32_t r = grid.FixedRows(); r < grid.Rows(); ++r) {
        for (int16_t c = c0; c <= c1; ++c) {
            const auto row = static_cast<int16_t>(r);
            owner_->ChangeOfNumberFormat(c, row, format);
            grid.setTextMatrix(row, c, vb::Format(static_cast<double>(owner_->Data(c, row)), format));
        }
    }
}

void clsDataGrid::FormatCol() {
    FlexGrid& grid = *owner_->Grid();
    SelectWholeColumns();
    const QFont current = grid.CellFont(grid.Row(), grid.Col());
    forms::FontChoice font;
    font.name = current.family().toStdString();
    font.size = static_cast<float>(current.pointSizeF());
    font.bold = current.bold();
    font.italic = current.italic();
    if (!forms::Forms().ShowFont(font, 1, 20)) return;  // cancelled: the columns stay selected

    const int16_t c0 = SelColRange(false), c1 = SelColRange(true);
    for (int16_t c = c0; c <= c1; ++c) {
        for (int32_t r = grid.FixedRows(); r < grid.Rows(); ++r) {
            QFont cellFont = grid.CellFont(r, c);
            cellFont.setFamily(QString::fromStdString(font.name));
            cellFont.setPointSizeF(font.size);
            cellFont.setBold(font.bold);
            cellFont.setItalic(font.italic);
            grid.setCellFont(r, c, cellFont);
            owner_->ChangeOfTextFormat(c, static_cast<int16_t>(r), font);
        }
    }
}
