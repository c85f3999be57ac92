#ifndef CLSDATAGRID_H
#define CLSDATAGRID_H
// The grid editor: in-cell editing with an edit box laid over the current cell, the keys
// and mouse while editing, Cut, Copy and Paste of single values and rectangular blocks as
// tab-separated lines ending in CR LF, and the number format and font of whole columns.
// It works on the grid only through its owner (IDataGrid); every value reaches the data
// through the owner's EditData. Whether editing is allowed at all is the owner's business.
#include <cstdint>
#include <string>
#include <vector>

#include "IDataGrid.h"

class QWidget;
namespace celltext {
struct Block;
}

class clsDataGrid {
public:
    void Create(IDataGrid* owner);
    int16_t OldRow() const { return oldRow_; }
    int16_t OldCol() const { return oldCol_; }

    // Edit menu.
    void CopyClick();
    void CutClick();
    void PasteClick();
    void FormatNumber();
    void FormatCol();

    // Grid events.
    void GridGotFocus();
    // A character typed on the grid, or 13 for Enter and a double click: starts an edit.
    void GridEdit(int16_t KeyAscii);
    void GridMouseDown(int16_t Button);
    void GridMouseUp();

    // Edit box events (key codes: 13 Enter, 27 Esc, 38 Up, 40 Down act).
    void TextGotFocus();
    void TextKeyPress(int16_t& KeyAscii);
    void TextKeyDown(int16_t KeyCode, int16_t Shift);
    void TextLostFocus();
    void EditKeyCode(int16_t KeyCode, int16_t Shift);
    bool IsValidData();
    // Stores an open edit as Enter does; false when its value was refused (the box stays).
    bool FinishEdit();

private:
    QWidget* ActiveControl() const;
    int16_t SelRowRange(bool upper) const;
    int16_t SelColRange(bool upper) const;
    // Selects the whole of the selected columns.
    void SelectWholeColumns();
    // Stores the edit box's text into the current cell; true when the owner accepted it.
    bool CommitEdit();
    // Stores `value` into cell (row, col) and shows what the owner kept, in the owner's
    // display format when `formatted` (a typed value) or as it is (a pasted one); false
    // when the owner refused it.
    bool StoreCell(int16_t row, int16_t col, std::string value, bool formatted);
    std::string BlockText(bool cut);
    // The cells a paste would fill: every selected cell with one value, or the block from
    // the current cell (false, with which cell and why, when it does not fit the grid).
    void SelectionCells(float value, std::vector<IDataGrid::CellValue>& cells) const;
    bool BlockCells(const celltext::Block& block, std::vector<IDataGrid::CellValue>& cells, std::string& outside) const;
    // Nothing was pasted: the grid's message, or `why` when it says more.
    void PasteRefused(const std::string& why);

    IDataGrid* owner_ = nullptr;
    int16_t oldRow_ = 0;
    int16_t oldCol_ = 0;
};

#endif
