#ifndef FLEXGRID_H
#define FLEXGRID_H
// A grid with the model the program's windows were written against: the fixed header
// row and column are ordinary cells of the grid (row 0 and column 0), positions count
// from 0 including them, Row/Col is the current cell and RowSel/ColSel the other end of
// the selection, TextMatrix addresses any cell, and widths are in twips (mapped to pixels
// from the grid's font, Twips.h). Cells are not edited in place: whoever owns the grid
// lays its own edit box over the current cell (CellLeft, CellTop, CellWidth, CellHeight).
// As in a spreadsheet, marking a block (dragging, Shift with a click or an arrow key)
// leaves the current cell where the block started and moves only the other end, and
// select-all marks the data cells; the fixed cells are never part of a block.
#include <QTableWidget>
#include <cstdint>
#include <map>
#include <string>

class FlexGrid : public QTableWidget {
    Q_OBJECT
public:
    // Colour values are 0x00BBGGRR; this one means "the system's window background".
    static constexpr int32_t kSystemWindowColour = static_cast<int32_t>(0x80000005u);

    explicit FlexGrid(QWidget* parent = nullptr);

    int32_t Rows() const { return rowCount(); }
    void setRows(int32_t n);
    int32_t Cols() const { return columnCount(); }
    void setCols(int32_t n);
    int32_t FixedRows() const { return fixedRows_; }
    void setFixedRows(int32_t n);
    int32_t FixedCols() const { return fixedCols_; }
    void setFixedCols(int32_t n);

    // The current cell. Setting it also collapses the selection onto it.
    int32_t Row() const;
    void setRow(int32_t r);
    int32_t Col() const;
    void setCol(int32_t c);
    // The other end of the selection (equal to Row/Col when one cell is selected).
    int32_t RowSel() const;
    void setRowSel(int32_t r);
    int32_t ColSel() const;
    void setColSel(int32_t c);

    std::string TextMatrix(int32_t row, int32_t col) const;
    void setTextMatrix(int32_t row, int32_t col, const std::string& text);
    // The text of the current cell.
    std::string Text() const { return TextMatrix(Row(), Col()); }
    void setText(const std::string& text) { setTextMatrix(Row(), Col(), text); }

    int32_t ColWidth(int32_t col) const;
    void setColWidth(int32_t col, int32_t width);
    int32_t RowHeight(int32_t row) const;

    // The current cell's rectangle, in twips from the grid's top-left corner.
    int32_t CellLeft() const;
    int32_t CellTop() const;
    int32_t CellWidth() const;
    int32_t CellHeight() const;
    QRect CellRect() const;  // the same in pixels, in the grid's coordinates

    // Per-cell looks: colour 0x00BBGGRR, bold.
    void setCellForeColor(int32_t row, int32_t col, int32_t bgr);
    void setCellFontBold(int32_t row, int32_t col, bool bold);
    bool CellFontBold(int32_t row, int32_t col) const;
    QFont CellFont(int32_t row, int32_t col) const;
    void setCellFont(int32_t row, int32_t col, const QFont& font);

    int32_t BackColor() const { return backColor_; }
    void setBackColor(int32_t bgr);

    static QColor ColorFromBgr(int32_t bgr);

    // While one lives, cell texts change without a word to the view, which is redrawn
    // once at its end: for setting many cells at once.
    class QuietCells {
    public:
        explicit QuietCells(FlexGrid& grid);
        ~QuietCells();
        QuietCells(const QuietCells&) = delete;
        QuietCells& operator=(const QuietCells&) = delete;

    private:
        FlexGrid& grid_;
        bool wasBlocked_;
    };

signals:
    // The current cell changed (leave fires for the old cell first).
    void LeaveCell(int row, int col);
    void EnterCell(int row, int col);
    void GotFocus(Qt::FocusReason reason);
    // A character typed on the grid (its code), Enter as 13 and Backspace as 8.
    void KeyPress(int keyAscii);
    void DblClick();
    // A press of the left button has made the clicked cell current first; the right
    // button leaves the current cell and the selection alone (its menu acts on them).
    void MouseDown(int button);
    void MouseUp(int button);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void selectAll() override;
    // The fixed header cells are never the current cell, by keys or by clicks.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    QTableWidgetItem* ItemAt(int32_t row, int32_t col);
    void StyleFixedCells();
    void SelectRange(int32_t row1, int32_t col1, int32_t row2, int32_t col2);
    // Moves the other end of the block to (row, col), kept inside the data cells.
    void ExtendSelection(int32_t row, int32_t col);
    QTableWidgetSelectionRange CurrentRange() const;

    int32_t fixedRows_ = 1;
    int32_t fixedCols_ = 1;
    int32_t backColor_ = kSystemWindowColour;
    bool dragging_ = false;  // the left button went down on a data cell and is held
    std::map<int32_t, int32_t> colTwips_;  // widths as set, so they read back exactly
};

#endif
