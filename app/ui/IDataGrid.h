#ifndef IDATAGRID_H
#define IDATAGRID_H
// What the grid editor asks of the window that owns the grid: the grid and its edit box,
// the data behind a cell, and the one way a value reaches the data (EditData). Columns
// come first and rows second, both as grid positions (the fixed header row and column
// included).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "forms/FormsService.h"

class FlexGrid;
class QLineEdit;

class IDataGrid {
public:
    virtual ~IDataGrid() = default;

    // The text written into a cell that is emptied.
    virtual std::string NoData() = 0;
    // The edit box laid over the cell being edited.
    virtual QLineEdit* txtBox() = 0;
    // The display format of a typed value.
    virtual std::string FormatString() = 0;
    // The stored value behind a cell.
    virtual float Data(int16_t col, int16_t row) = 0;
    // The grid (named so, not FlexGrid, to keep the type's name free).
    virtual FlexGrid* Grid() = 0;
    // Shows the owner's context menu.
    virtual void GridPopUpMenu() = 0;
    // Stores one value into the data behind cell (row, col). The owner may rewrite the
    // value in place, and sets `accepted` when it was stored.
    virtual void EditData(int16_t col, int16_t row, std::string& value, bool& accepted) = 0;
    // The cell now shows this number format / font.
    virtual void ChangeOfNumberFormat(int16_t col, int16_t row, const std::string& format) = 0;
    virtual void ChangeOfTextFormat(int16_t col, int16_t row, const forms::FontChoice& font) = 0;
    virtual int16_t OldCol() = 0;
    virtual int16_t OldRow() = 0;
    // Checks the edit box's text; the owner shows its own message when it is bad.
    virtual bool IsValidData() = 0;

    // A cell and the value meant for it.
    struct CellValue {
        int16_t col;
        int16_t row;
        float value;
    };
    // Whether the data can take all these values together, as a paste stores them. False
    // with the index of the first one it cannot take and why ("it would make ..."). Stores
    // nothing and shows nothing.
    virtual bool CanTakeValues(const std::vector<CellValue>& values, std::size_t& first, std::string& why) = 0;
};

#endif
