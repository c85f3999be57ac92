// Runs a grid search on a data set and saves pictures of the results window, the score
// table and the contour plot: vorn_grid_screenshot <data file> <folder>. Run it on a real
// display (scripts/screenshot.sh starts a virtual one); dialogs are answered without
// showing them.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <cstdio>

#include "GridSearchWindows.h"
#include "forms/HeadlessForms.h"
#include "frmGraph.h"
#include "frmGridEval.h"
#include "frmGridOptions.h"
#include "frmGridRes.h"
#include "frmLog.h"
#include "frmProgress.h"
#include "frmResTable.h"
#include "frmVorn.h"

namespace {

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(25);
    }
}

bool Save(QWidget* w, const QString& path) {
    // The window's own rendering: the windows overlap on the small virtual screen.
    const QPixmap shot = w->grab();
    if (shot.isNull() || !shot.save(path, "PNG")) {
        std::fprintf(stderr, "vorn_grid_screenshot: could not save %s\n", qPrintable(path));
        return false;
    }
    std::printf("Saved %s\n", qPrintable(path));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vorn 5.0");
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorn_grid_screenshot <data file> <folder>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    forms::HeadlessForms answers;
    answers.openAnswers.push_back(argv[1]);
    answers.msgBoxAnswers.push_back(forms::vbNo);
    forms::SetForms(&answers);
    frmGraph::InstallCanvases();
    InstallQtLogWindows();
    InstallQtProgressWindows();

    int result = 1;
    {
        frmVorn window;
        window.move(0, 0);
        window.show();
        window.MenuItem("mnuOpen")->trigger();
        if (!window.DataLoaded()) {
            std::fprintf(stderr, "vorn_grid_screenshot: %s did not open\n", argv[1]);
            forms::SetForms(nullptr);
            return 1;
        }
        // Fit > Score Function Grid: ELEFAN, K vs Linf, 12 x 12, with contours and the fit.
        window.MenuItem("mnuGrid")->trigger();
        GridSearchWindows& grid = window.GridWindows();
        frmGridEval& eval = *grid.GridEval();
        eval.optMeth[2]->click();
        frmGridOptions& opts = *eval.Options();
        opts.txtEvals[0]->setText("12");
        opts.txtEvals[1]->setText("12");
        opts.chkContour->setChecked(true);
        opts.chkFit->setChecked(true);
        opts.cmdOK->click();
        eval.cmdOK->click();
        frmGridRes& res = grid.GridRes();
        if (!res.GridDefined()) {
            std::fprintf(stderr, "vorn_grid_screenshot: the grid search gave no result\n");
        } else {
            res.move(40, 40);
            res.mnuGridData->trigger();
            res.ResTable()->resize(760, 360);
            res.ResTable()->move(80, 380);
            Settle();
            bool ok = Save(&res, out.filePath("grid-results.png"));
            ok = Save(res.ResTable(), out.filePath("grid-table.png")) && ok;
            // The chart pages are windows of their own; the contour page is the newest.
            int n = 0;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (!w->isVisible() || w == &window || w == &res || w == res.ResTable()) continue;
                if (w->windowTitle().contains("Contour", Qt::CaseInsensitive))
                    ok = Save(w, out.filePath("grid-contour.png")) && ok;
                else
                    ok = Save(w, out.filePath(QString("grid-chart-%1.png").arg(++n))) && ok;
            }
            if (ok) result = 0;
        }
        res.cmdOK->click();
    }
    forms::SetForms(nullptr);
    return result;
}
