#include "clsDataGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <algorithm>
#include <cctype>
#include <memory>

#include "FlexGrid.h"
#include "IDataGrid.h"
#include "forms/FormsService.h"
#include "frmNumberFormat.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace {

constexpr int16_t kEnter = 13, kEscape = 27, kUp = 38, kDown = 40;

QClipboard& Clipboard() { return *QGuiApplication::clipboard(); }

// Clipboard text with every line end (CR LF, LF or CR) made one LF.
std::string UnixLines(const QString& text) {
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t.toStdString();
}

}  // namespace

void clsDataGrid::Create(IDataGrid* owner) { owner_ = owner; }

bool clsDataGrid::ParseNumber(const std::string& text, float& value) {
    // Thousands separators between digits of the whole part, as a formatted cell shows them.
    std::string plain;
    bool whole = true;
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '.' || c == 'E' || c == 'e') whole = false;
        const bool separator = whole && c == ',' && k > 0 && k + 1 < text.size() &&
                               std::isdigit(static_cast<unsigned char>(text[k - 1])) &&
                               std::isdigit(static_cast<unsigned char>(text[k + 1]));
        if (!separator) plain += c;
    }
    if (!vb::IsNumeric(plain)) return false;
    try {
        value = vb::CSng(plain);
    } catch (const VbError&) {
        return false;  // beyond a single's range
    }
    return true;
}

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
    if (formatted && ParseNumber(value, number))
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

void clsDataGrid::DataMustBeNumeric() {
    forms::Forms().MsgBox("Data must be numeric.", forms::vbExclamation + forms::vbOKOnly, forms::kAppTitle);
}

void clsDataGrid::PasteClick() {
    QWidget* active = ActiveControl();
    if (auto* box = qobject_cast<QLineEdit*>(active)) {
        box->insert(Clipboard().text());
        return;
    }
    if (active != owner_->Grid()) return;
    const std::string text = UnixLines(Clipboard().text());
    const bool single = text.find('\t') == std::string::npos && std::count(text.begin(), text.end(), '\n') <= 1;
    if (!single) {
        PasteBlock(text);
        return;
    }
    // One value fills the whole selection.
    const std::string value = text.substr(0, text.find('\n'));
    float number = 0.0f;
    if (!ParseNumber(value, number)) {
        DataMustBeNumeric();
        return;
    }
    const int16_t r0 = SelRowRange(false), r1 = SelRowRange(true);
    const int16_t c0 = SelColRange(false), c1 = SelColRange(true);
    for (int16_t r = r0; r <= r1; ++r)
        for (int16_t c = c0; c <= c1; ++c) StoreCell(r, c, value, false);
}

void clsDataGrid::PasteBlock(std::string text) {
    FlexGrid& grid = *owner_->Grid();
    const int32_t startCol = grid.Col();
    int32_t row = grid.Row(), col = startCol;
    while (!text.empty()) {
        const std::size_t lineEnd = std::min(text.find('\n'), text.size());
        const std::size_t tab = text.find('\t');
        const bool moreInLine = tab < lineEnd;
        const std::size_t end = moreInLine ? tab : lineEnd;
        const std::string value = text.substr(0, end);
        text.erase(0, std::min(end + 1, text.size()));
        float number = 0.0f;
        if (!ParseNumber(value, number)) {
            DataMustBeNumeric();  // what was stored before stays
            return;
        }
        // Values beyond the grid are left out; the data set is never written outside.
        if (row < grid.Rows() && col < grid.Cols())
            StoreCell(static_cast<int16_t>(row), static_cast<int16_t>(col), value, false);
        if (moreInLine) {
            ++col;
        } else {
            ++row;
            col = startCol;
        }
    }
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
