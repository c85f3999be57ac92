// Edit > Paste in the main window of a block of 4 MB as a spreadsheet copies it (TAB
// between cells, CR LF after rows): read whole, checked, and stored into the data set and
// the grid; and the same block refused, once for a bad last cell and once for not fitting.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "FlexGrid.h"
#include "ILogView.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmVorn.h"

namespace {

constexpr int16_t kSamples = 200;
constexpr int16_t kClasses = 4300;
constexpr std::size_t kBlockBytes = 4u << 20;

// Rows of kSamples cells ("123.4", "56", "1,234.5"...) until the text holds 4 MB.
std::string Block() {
    std::mt19937 random(5);
    const char* const forms[] = {"%u.%u", "%u", "1,%03u.%u"};
    std::string text;
    while (text.size() < kBlockBytes) {
        for (int c = 0; c < kSamples; ++c) {
            char cell[16];
            const unsigned v = random() % 1000, d = random() % 10;
            std::snprintf(cell, sizeof cell, forms[random() % 3], v, d);
            text += cell;
            text += c + 1 < kSamples ? "\t" : "\r\n";
        }
    }
    return text;
}

// The main window with an opened data set of kSamples by kClasses, in edit mode, in a
// folder of its own (the program writes its run log into the current folder).
class Window {
public:
    Window() {
        folder_ = std::filesystem::temp_directory_path() / ("vorn-bench-paste-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(folder_);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
        clsVorn data;
        data.NewDataSet("paste", 10.0f, 0.5f, kClasses);
        data.setsTime(1, 0.0f);
        for (int16_t i = 2; i <= kSamples; ++i) data.InsertDist(0.01f * static_cast<float>(i));
        for (int16_t i = 1; i <= kSamples; ++i) data.setDists(i, 1, 1.0f);
        data.ExportFile((folder_ / "paste.txt").string());
        window_ = std::make_unique<frmVorn>();
        window_->show();
        ui_->openAnswers.push_back((folder_ / "paste.txt").string());
        ui_->saveAnswers.push_back("");  // no Save As for the text file
        Choose("mnuOpen");
        Choose("mnuEditMode");
        QApplication::setActiveWindow(window_.get());
        window_->flxMain->setFocus(Qt::OtherFocusReason);
    }
    ~Window() {
        window_->LFD().setIsDirty(false);
        ui_->msgBoxAnswers.assign(4, forms::vbYes);
        window_->close();
        window_.reset();
        std::filesystem::current_path(previous_);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    void Choose(const char* item) {
        for (const char* top : {"mnuFile", "mnuEdit"}) emit window_->TopMenu(top)->aboutToShow();
        window_->MenuItem(item)->trigger();
    }
    // Edit > Paste of the clipboard at (row, col); true when it was stored.
    bool Paste(int row, int col) {
        ui_->messages.clear();
        window_->flxMain->setCurrentCell(row, col);
        Choose("mnuPaste");
        return ui_->messages.empty();
    }
    frmVorn& window() { return *window_; }

private:
    std::filesystem::path folder_, previous_;
    forms::ScopedHeadlessForms ui_;
    ScopedHeadlessLogViews logViews_;
    std::unique_ptr<frmVorn> window_;
};

Window* theWindow = nullptr;

enum Kind { kStored, kBadLastCell, kOutsideGrid };

void BM_Paste4MB(benchmark::State& state, Kind kind) {
    std::string text = Block();
    if (kind == kBadLastCell) text.replace(text.size() - 3, 1, "x");
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    const int row = kind == kOutsideGrid ? kClasses - 10 : 1;
    for (auto _ : state) {
        const bool stored = theWindow->Paste(row, 1);
        if (stored != (kind == kStored)) state.SkipWithError("the paste did not end as it should");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK_CAPTURE(BM_Paste4MB, stored, kStored)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paste4MB, refused_bad_last_cell, kBadLastCell)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Paste4MB, refused_outside_grid, kOutsideGrid)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vorn 5.0");
    benchmark::Initialize(&argc, argv);
    Window window;
    theWindow = &window;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
