#include "MultiPickTable.h"

#include "vb/VbRuntime.h"

void MultiPickTable::setiNumRows(int16_t n) {
    if (n < 0) vb::Raise(9, "clsMultiPickList.iNumRows");
    rows_.assign(static_cast<std::size_t>(n), Row{});
}

std::size_t MultiPickTable::Index(int16_t i, const char* proc) const {
    if (i < 1 || i > iNumRows()) vb::Raise(9, std::string("clsMultiPickList.") + proc);
    return static_cast<std::size_t>(i - 1);
}

bool MultiPickTable::bMasterFlag(int16_t i) const { return rows_[Index(i, "bMasterFlag")].chosen; }

void MultiPickTable::setbMasterFlag(int16_t i, bool bData) { rows_[Index(i, "bMasterFlag")].chosen = bData; }

const std::string& MultiPickTable::vMasterData(int16_t i) const { return rows_[Index(i, "vMasterData")].value; }

void MultiPickTable::setvMasterData(int16_t i, const std::string& vData) {
    rows_[Index(i, "vMasterData")].value = vData;
}

std::vector<int16_t> MultiPickTable::RowsFlagged(bool chosen) const {
    std::vector<int16_t> out;
    for (std::size_t k = 0; k < rows_.size(); ++k)
        if (rows_[k].chosen == chosen) out.push_back(static_cast<int16_t>(k + 1));
    return out;
}
