#include "StringTable.h"

#include <map>

#include "vb/VbError.h"

namespace {
// One file per block of ids, owned by the window or module whose texts they are.
const std::map<int32_t, std::string>& table() {
    static const std::map<int32_t, std::string> t = {
#include "strings/0001_new_data_set.inc"
#include "strings/0101_simulation_wizard.inc"
#include "strings/0201_shared.inc"
#include "strings/0300_main_window.inc"
#include "strings/0401_misc.inc"
#include "strings/0501_grid_evaluation.inc"
#include "strings/0601_number_format.inc"
#include "strings/0701_grid_options.inc"
#include "strings/0801_grid_results.inc"
#include "strings/0901_age_slicing.inc"
#include "strings/1001_mortality.inc"
#include "strings/1101_automatic_fit.inc"
#include "strings/1201_dialogs.inc"
#include "strings/1301_catch_curve_params.inc"
#include "strings/1401_print_options.inc"
#include "strings/1800_program.inc"
    };
    return t;
}
}  // namespace

namespace res {
std::string LoadResString(int32_t id) {
    const auto& t = table();
    auto it = t.find(id);
    if (it == t.end())
        throw VbError(326, "Vorn5.LoadResString", "Resource with identifier '" + std::to_string(id) + "' not found");
    return it->second;
}

bool HasResString(int32_t id) { return table().count(id) != 0; }
}  // namespace res
