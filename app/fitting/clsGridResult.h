#ifndef CLSGRIDRESULT_H
#define CLSGRIDRESULT_H
// The result of a grid search over two growth parameters and of the simplex maximisations
// that follow it, held without a window. The result windows share its shape:
// - the computation runs here, and a result found is written into the shared growth
//   parameters, where the next command starts from;
// - the report is ordered lists of lines: Header, Labels with their Values (pairs), and the
//   grid as a table. The window shows Labels/Values in its labels and passes LogLines to
//   the run log, SaveLines to the .dat file and PrintReport to the printer;
// - the window keeps the dialogs, draws the plots (through Method()) and shows the lines.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "clsLFDSearch.h"
#include "print/PrintLayout.h"

class IMeth;
class clsGrowthParams;
class clsVorn;

class clsGridResult {
public:
    clsGridResult();
    ~clsGridResult();
    clsGridResult(const clsGridResult&) = delete;
    clsGridResult& operator=(const clsGridResult&) = delete;

    // Stores the inputs and makes the scoring method of MethType (0 SLCA, 1 PROJMAT,
    // 2 ELEFAN), set up from the growth parameters. No result is held afterwards.
    void Create(clsGrowthParams& GrowthParams, float P1Lo, float P1Hi, int32_t P1Evals, float P2Lo,
                float P2Hi, int32_t P2Evals, int32_t MethType, clsVorn& DataSet);
    // The grid search, with its progress window. True: the best node is written into the
    // growth parameters and the report is built. False: cancelled, nothing held or written.
    // Errors of the search pass to the caller.
    bool RunGrid();
    // Simplex maximisation over the two parameters of the held grid. True when a run
    // converged: the maximum is written into the growth parameters and the report rebuilt.
    // A cancel left from an earlier command is cleared first, and again at the end.
    bool Maximise(float P1Lo, float P1Hi, float P2Lo, float P2Hi);
    // No result held any more (after a failed search); the method stays.
    void Abandon();
    // Forgets the result and everything it points at (the data set is about to go).
    void Release();

    bool Defined() const { return defined_; }
    bool Maximised() const { return maximised_; }
    int32_t MethType() const { return methType_; }
    int32_t P1Evals() const { return p1Evals_; }
    int32_t P2Evals() const { return p2Evals_; }
    IMeth* Method() const { return method_.get(); }
    const clsLFDSearch& Search() const { return search_; }
    clsGrowthParams* GrowthParams() const { return params_; }

    // The grid as text: the values of parameter 1 ("0.00") across, of parameter 2 down, and
    // the score of node (i, j) ("0.000") in row j, column i (both from 1).
    const std::vector<std::string>& P1Labels() const { return p1Labels_; }
    const std::vector<std::string>& P2Labels() const { return p2Labels_; }
    const std::string& Cell(int32_t j, int32_t i) const { return cells_.at(j - 1).at(i - 1); }
    // Status line of the grid table: grid type, method and growth curve.
    std::string TableStatus() const;

    // The report, rebuilt after the grid search and after each maximisation.
    void BuildOutputStrings();
    const std::vector<std::string>& Header() const { return header_; }
    const std::vector<std::string>& Labels() const { return labels_; }
    const std::vector<std::string>& Values() const { return values_; }
    // The grid as the report lays it out: a first row of as many blanks as cell (1, 1) has
    // characters, then the parameter 1 labels; one row per parameter 2 value, its label
    // first; every cell followed by a blank. GridData holds its rows as lines.
    print::Table GridTable() const;
    std::vector<std::string> GridData() const { return GridTable().Lines(); }
    // The run log's block: the title, an empty line, "label TAB value" lines, an empty line.
    std::vector<std::string> LogLines() const;
    // The header, then "label TAB value" lines when WithRes, then the grid when
    // WithGridData; the printout puts two TABs between label and value.
    std::vector<std::string> SaveLines(bool WithRes, bool WithGridData) const;
    print::Report PrintReport(bool WithRes, bool WithGridData) const;

private:
    // A best point as the search left it.
    struct Best {
        float score = 0, p1 = 0, p2 = 0, t0 = 0;
    };

    std::string Res(int n) const;
    Best SearchBest() const;
    void StoreBestParams();
    void FillGridTexts();
    print::Report Report(bool WithRes, bool WithGridData, const std::string& tabs) const;

    bool defined_ = false;
    bool maximised_ = false;
    int32_t methType_ = 0;
    Best grid_, max_;  // of the grid, of the last successful maximisation
    clsLFDSearch search_;
    std::unique_ptr<IMeth> method_;
    clsGrowthParams* params_ = nullptr;
    clsVorn* data_ = nullptr;
    float p1Lo_ = 0, p1Hi_ = 0, p2Lo_ = 0, p2Hi_ = 0;
    int32_t p1Evals_ = 0, p2Evals_ = 0;
    std::vector<std::vector<std::string>> cells_;  // [j - 1][i - 1]
    std::vector<std::string> p1Labels_, p2Labels_;
    std::vector<std::string> header_, labels_, values_;
    int16_t strBase_ = 800;
};

#endif
