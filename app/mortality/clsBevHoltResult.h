#ifndef CLSBEVHOLTRESULT_H
#define CLSBEVHOLTRESULT_H
// The result of the Beverton-Holt window without the window: the calculation from the
// parameters as the user typed them, and the report. The window shows the list and the two
// labels, passes ReportLines to the run log and the .dat file and prints Report; a failed
// calculation holds no result and no lines.
#include <string>
#include <vector>

#include "clsBevHoltZ.h"
#include "print/PrintLayout.h"

class clsVorn;

class clsBevHoltResult {
public:
    // The data set must outlive this object.
    explicit clsBevHoltResult(const clsVorn& data);

    // K, Linf and Lc as typed. True: Z calculated and the lines rebuilt. False: no result
    // held; FailReason says why.
    bool Calculate(const std::string& K, const std::string& Linf, const std::string& Lc);
    // No result held any more (a parameter is about to change).
    void Clear();

    bool Defined() const { return defined_; }
    const std::string& FailReason() const { return failReason_; }
    const clsBevHoltZ& Estimator() const { return bh_; }

    // The result list: the sample number, eight blanks and its Z ("0.000"), or "-" for a
    // sample without Z.
    const std::vector<std::string>& ListLines() const { return list_; }
    std::string MeanZText() const;   // "0.000"
    std::string StdErrText() const;  // "0.0000"
    // The report, for the run log, the .dat file and the printer alike: the title, the
    // parameters as typed, the samples with a Z and their Z (a table of two rows), the mean
    // and the standard error. Some lines are a lone carriage return, so that the report
    // spaces out in the log and the file as it always did. ReportLines holds it as lines.
    const print::Report& Report() const { return report_; }
    std::vector<std::string> ReportLines() const { return report_.Lines(); }

private:
    void BuildLines(const std::string& K, const std::string& Linf, const std::string& Lc);

    clsBevHoltZ bh_;
    bool defined_ = false;
    std::string failReason_;
    std::vector<std::string> list_;
    print::Report report_;
};

#endif
