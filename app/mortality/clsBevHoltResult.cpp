#include "clsBevHoltResult.h"

#include "MVornGlobs.h"
#include "clsVorn.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace G = MVornGlobs;

clsBevHoltResult::clsBevHoltResult(const clsVorn& data) { bh_.InitialiseMe(data); }

void clsBevHoltResult::Clear() {
    defined_ = false;
    list_.clear();
    report_ = {};
}

bool clsBevHoltResult::Calculate(const std::string& K, const std::string& Linf, const std::string& Lc) {
    Clear();
    failReason_.clear();
    float k = 0, linf = 0, lc = 0;
    const std::string* texts[] = {&K, &Linf, &Lc};
    float* values[] = {&k, &linf, &lc};
    const char* names[] = {"K", "Linf", "Lc"};
    for (int i = 0; i < 3; ++i) {
        try {
            *values[i] = vb::CSng(*texts[i]);
        } catch (const VbError&) {
            failReason_ = std::string(names[i]) + " must be a number.";
            return false;
        }
    }
    if (!bh_.CalculateMortality(k, linf, lc)) {
        failReason_ = bh_.FailReason();
        return false;
    }
    defined_ = true;
    BuildLines(K, Linf, Lc);
    return true;
}

std::string clsBevHoltResult::MeanZText() const { return vb::Format(bh_.meanZ(), "0.000"); }

std::string clsBevHoltResult::StdErrText() const { return vb::Format(bh_.StdErrZ(), "0.0000"); }

void clsBevHoltResult::BuildLines(const std::string& K, const std::string& Linf, const std::string& Lc) {
    list_.clear();
    // The samples with a Z over their Z, a column each.
    print::Table zs{{{}, {}}, "\t", false};
    for (int16_t i = 1; i <= bh_.NumDists(); ++i) {
        const std::string number = vb::CStr(static_cast<int32_t>(i));
        // A sample without Z shows a dash and stays out of the report.
        if (!bh_.HasZ(i)) {
            list_.push_back(number + std::string(8, ' ') + "-");
            continue;
        }
        const std::string z = vb::Format(bh_.ZVals(i), "0.000");
        list_.push_back(number + std::string(8, ' ') + z);
        zs.rows[0].push_back("Dist.#" + number);
        zs.rows[1].push_back(z);
    }
    report_ = {};
    report_.AddLines({"BEVERTON-HOLT Z", G::ParamNames[0] + " = " + K, G::ParamNames[1] + " = " + Linf, "Lc = " + Lc, "\r"})
        .AddTable(zs)
        .AddLines({"\r", "Mean Z = " + MeanZText() + "\r", "Standard Error Z = " + StdErrText() + "\r"});
}
