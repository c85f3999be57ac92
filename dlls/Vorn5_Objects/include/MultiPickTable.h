#ifndef MULTIPICKTABLE_H
#define MULTIPICKTABLE_H
// The master table of the multiple pick list: rows 1..iNumRows, each a value shown as
// text and a chosen flag. Rows outside 1..iNumRows raise error 9.
#include <cstdint>
#include <string>
#include <vector>

class MultiPickTable {
public:
    int16_t iNumRows() const { return static_cast<int16_t>(rows_.size()); }
    // Sizes the table to rows 1..n, all empty and not chosen.
    void setiNumRows(int16_t n);

    bool bMasterFlag(int16_t i) const;
    void setbMasterFlag(int16_t i, bool bData);
    const std::string& vMasterData(int16_t i) const;
    void setvMasterData(int16_t i, const std::string& vData);

    // The rows whose flag is `chosen`, in row order.
    std::vector<int16_t> RowsFlagged(bool chosen) const;

private:
    struct Row {
        std::string value;
        bool chosen = false;
    };
    std::size_t Index(int16_t i, const char* proc) const;

    std::vector<Row> rows_;
};

#endif
