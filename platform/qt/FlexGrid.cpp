#include "FlexGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <algorithm>
#include <optional>

#include "Twips.h"
#include "vb/VbRuntime.h"

namespace {

int ButtonCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton: return 1;
        case Qt::RightButton: return 2;
        case Qt::MiddleButton: return 4;
        default: return 0;
    }
}

}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(twips::ToPixels(700, font()));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setRowCount(2);
    setColumnCount(2);
    StyleFixedCells();
    setCurrentCell(1, 1);

    // The owner hears of cell changes as leave-then-enter.
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int oldRow, int oldCol) {
        if (oldRow >= 0 && oldCol >= 0) emit LeaveCell(oldRow, oldCol);
        if (row >= 0 && col >= 0) emit EnterCell(row, col);
    });
}

QColor FlexGrid::ColorFromBgr(int32_t bgr) {
    const uint32_t v = static_cast<uint32_t>(bgr);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QTableWidgetItem* FlexGrid::ItemAt(int32_t row, int32_t col) {
    QTableWidgetItem* it = item(row, col);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, col, it);
        if (row < fixedRows_ || col < fixedCols_) {
            it->setBackground(palette().button());
            it->setForeground(palette().buttonText());
            it->setFlags(Qt::ItemIsEnabled);
        } else {
            it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
    return it;
}

void FlexGrid::StyleFixedCells() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem* it = item(r, c);
            if (!it) continue;
            const bool fixed = r < fixedRows_ || c < fixedCols_;
            it->setBackground(fixed ? palette().button() : QBrush());
            it->setForeground(fixed ? palette().buttonText() : QBrush());
            it->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        }
    }
    for (int r = 0; r < rowCount(); ++r)
        for (int c = 0; c < columnCount(); ++c)
            if ((r < fixedRows_ || c < fixedCols_) && !item(r, c)) ItemAt(r, c);
}

void FlexGrid::setRows(int32_t n) {
    const int old = rowCount();
    setRowCount(std::max(n, 0));
    if (rowCount() != old) StyleFixedCells();
}

void FlexGrid::setCols(int32_t n) {
    const int old = columnCount();
    setColumnCount(std::max(n, 0));
    for (int c = old; c < columnCount(); ++c) {
        auto it = colTwips_.find(c);
        setColumnWidth(c, twips::ToPixels(it != colTwips_.end() ? it->second : 700, font()));
    }
    if (columnCount() != old) StyleFixedCells();
}

void FlexGrid::setFixedRows(int32_t n) {
    fixedRows_ = std::max(n, 0);
    StyleFixedCells();
}

void FlexGrid::setFixedCols(int32_t n) {
    fixedCols_ = std::max(n, 0);
    StyleFixedCells();
}

int32_t FlexGrid::Row() const { return std::max(currentRow(), 0); }
int32_t FlexGrid::Col() const { return std::max(currentColumn(), 0); }

void FlexGrid::setRow(int32_t r) { setCurrentCell(r, Col()); }
void FlexGrid::setCol(int32_t c) { setCurrentCell(Row(), c); }

QTableWidgetSelectionRange FlexGrid::CurrentRange() const {
    const auto ranges = selectedRanges();
    const int r = Row(), c = Col();
    for (const auto& range : ranges)
        if (r >= range.topRow() && r <= range.bottomRow() && c >= range.leftColumn() && c <= range.rightColumn())
            return range;
    return QTableWidgetSelectionRange(r, c, r, c);
}

int32_t FlexGrid::RowSel() const {
    const auto range = CurrentRange();
    return Row() == range.topRow() ? range.bottomRow() : range.topRow();
}

int32_t FlexGrid::ColSel() const {
    const auto range = CurrentRange();
    return Col() == range.leftColumn() ? range.rightColumn() : range.leftColumn();
}

void FlexGrid::SelectRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2) {
    clearSelection();
    setRangeSelected(QTableWidgetSelectionRange(std::min(row1, row2), std::min(col1, col2),
                                                std::max(row1, row2), std::max(col1, col2)),
                     true);
}

void FlexGrid::setRowSel(int32_t r) { SelectRange(Row(), Col(), r, ColSel()); }
void FlexGrid::setColSel(int32_t c) { SelectRange(Row(), Col(), RowSel(), c); }

FlexGrid::QuietCells::QuietCells(FlexGrid& grid) : grid_(grid), wasBlocked_(grid.model()->blockSignals(true)) {}

FlexGrid::QuietCells::~QuietCells() {
    grid_.model()->blockSignals(wasBlocked_);
    grid_.viewport()->update();
}

std::string FlexGrid::TextMatrix(int32_t row, int32_t col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text().toStdString() : std::string();
}

void FlexGrid::setTextMatrix(int32_t row, int32_t col, const std::string& text) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;
    QTableWidgetItem* it = ItemAt(row, col);
    it->setText(QString::fromStdString(text));
    // Numbers line up on the right in the data cells, as in a spreadsheet.
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    const Qt::Alignment alignment =
        Qt::AlignVCenter | (!fixed && vb::IsNumeric(text) ? Qt::AlignRight : Qt::AlignLeft);
    if (Qt::Alignment(it->textAlignment()) != alignment) it->setTextAlignment(alignment);
}

int32_t FlexGrid::ColWidth(int32_t col) const {
    auto it = colTwips_.find(col);
    const int px = columnWidth(col);
    if (it != colTwips_.end() && twips::ToPixels(it->second, font()) == px) return it->second;
    return twips::FromPixels(px, font());
}

void FlexGrid::setColWidth(int32_t col, int32_t width) {
    colTwips_[col] = width;
    setColumnWidth(col, twips::ToPixels(std::max(width, 0), font()));
}

int32_t FlexGrid::RowHeight(int32_t row) const { return twips::FromPixels(rowHeight(row), font()); }

QRect FlexGrid::CellRect() const {
    const QTableWidgetItem* it = item(Row(), Col());
    QRect r = it ? visualItemRect(it)
                 : QRect(columnViewportPosition(Col()), rowViewportPosition(Row()), columnWidth(Col()),
                         rowHeight(Row()));
    return r.translated(viewport()->pos());
}

int32_t FlexGrid::CellLeft() const { return twips::FromPixels(CellRect().left(), font()); }
int32_t FlexGrid::CellTop() const { return twips::FromPixels(CellRect().top(), font()); }
int32_t FlexGrid::CellWidth() const { return twips::FromPixels(CellRect().width(), font()); }
int32_t FlexGrid::CellHeight() const { return twips::FromPixels(CellRect().height(), font()); }

void FlexGrid::setCellForeColor(int32_t row, int32_t col, int32_t bgr) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;
    ItemAt(row, col)->setForeground(ColorFromBgr(bgr));
}

void FlexGrid::setCellFontBold(int32_t row, int32_t col, bool bold) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;
    QTableWidgetItem* it = ItemAt(row, col);
    QFont f = it->font();
    f.setBold(bold);
    it->setFont(f);
}

QFont FlexGrid::CellFont(int32_t row, int32_t col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->font() : font();
}

void FlexGrid::setCellFont(int32_t row, int32_t col, const QFont& font) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return;
    ItemAt(row, col)->setFont(font);
}

bool FlexGrid::CellFontBold(int32_t row, int32_t col) const {
    const QTableWidgetItem* it = item(row, col);
    return it && it->font().bold();
}

void FlexGrid::setBackColor(int32_t bgr) {
    backColor_ = bgr;
    QPalette p = palette();
    if (bgr == kSystemWindowColour) p.setColor(QPalette::Base, QPalette().color(QPalette::Base));
    else p.setColor(QPalette::Base, ColorFromBgr(bgr));
    setPalette(p);
}

void FlexGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    emit GotFocus(event->reason());
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    // The grid has no clipboard of its own: copying is its owner's command, which may be
    // off (the table view would copy the current cell).
    if (event->matches(QKeySequence::Copy)) return;
    const QString text = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    const bool typed = plain && !text.isEmpty() && text.at(0).unicode() >= 32 && text.at(0).unicode() != 127;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit KeyPress(13);
        return;
    }
    if (event->key() == Qt::Key_Backspace && plain) {
        emit KeyPress(8);
        return;
    }
    if (typed) {
        emit KeyPress(text.at(0).unicode());
        return;
    }
    if (event->modifiers() == Qt::ShiftModifier) {
        const auto action = [&]() -> std::optional<CursorAction> {
            switch (event->key()) {
                case Qt::Key_Up: return MoveUp;
                case Qt::Key_Down: return MoveDown;
                case Qt::Key_Left: return MoveLeft;
                case Qt::Key_Right: return MoveRight;
                case Qt::Key_Home: return MoveHome;
                case Qt::Key_End: return MoveEnd;
                case Qt::Key_PageUp: return MovePageUp;
                case Qt::Key_PageDown: return MovePageDown;
                default: return std::nullopt;
            }
        }();
        if (action) {
            // The key moves the block's end as it would move the current cell from there.
            const QModelIndex current = currentIndex();
            const QSignalBlocker quiet(selectionModel());
            selectionModel()->setCurrentIndex(model()->index(RowSel(), ColSel()), QItemSelectionModel::NoUpdate);
            const QModelIndex end = moveCursor(*action, Qt::NoModifier);
            selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
            if (end.isValid()) ExtendSelection(end.row(), end.column());
            return;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void FlexGrid::ExtendSelection(int32_t row, int32_t col) {
    if (rowCount() <= fixedRows_ || columnCount() <= fixedCols_) return;
    row = std::clamp(row, fixedRows_, rowCount() - 1);
    col = std::clamp(col, fixedCols_, columnCount() - 1);
    SelectRange(Row(), Col(), row, col);
    scrollTo(model()->index(row, col));
}

void FlexGrid::selectAll() {
    if (rowCount() <= fixedRows_ || columnCount() <= fixedCols_) return;
    setCurrentCell(fixedRows_, fixedCols_);
    SelectRange(fixedRows_, fixedCols_, rowCount() - 1, columnCount() - 1);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    emit DblClick();
}

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex at = indexAt(event->position().toPoint());
    const bool fixed = at.isValid() && (at.row() < fixedRows_ || at.column() < fixedCols_);
    const bool left = event->button() == Qt::LeftButton;
    dragging_ = left && at.isValid() && !fixed;
    if (dragging_ && (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
        setFocus(Qt::MouseFocusReason);
        ExtendSelection(at.row(), at.column());
    } else if (event->button() != Qt::RightButton && !fixed) {
        QTableWidget::mousePressEvent(event);
    }
    emit MouseDown(ButtonCode(event->button()));
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    // The view would make the cell under the pointer current; only the block's end moves.
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    const QPoint p = event->position().toPoint();
    const int r = rowAt(p.y()), c = columnAt(p.x());
    ExtendSelection(r < 0 ? RowSel() : r, c < 0 ? ColSel() : c);
}

QModelIndex FlexGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex next = QTableWidget::moveCursor(action, modifiers);
    if (!next.isValid()) return next;
    const int row = std::max(next.row(), std::min(fixedRows_, rowCount() - 1));
    const int col = std::max(next.column(), std::min(fixedCols_, columnCount() - 1));
    return model()->index(row, col);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
    QTableWidget::mouseReleaseEvent(event);
    emit MouseUp(ButtonCode(event->button()));
}
