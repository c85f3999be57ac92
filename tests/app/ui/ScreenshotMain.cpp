// Shows the main window with a data set loaded and saves a picture of it, for looking at
// the layout: vorn_screenshot <data file> <picture.png>. Run it on a real display (the
// screenshot script starts a virtual one); dialogs are answered without showing them.
#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "FlexGrid.h"
#include "forms/HeadlessForms.h"
#include "frmGraph.h"
#include "frmLog.h"
#include "frmProgress.h"
#include "frmVorn.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vorn 5.0");
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorn_screenshot <data file> <picture.png>\n");
        return 2;
    }
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
        window.resize(760, 520);
        window.move(0, 0);
        window.show();
        window.MenuItem("mnuOpen")->trigger();
        window.flxMain->setCurrentCell(3, 2);
        window.flxMain->setFocus();
        for (int i = 0; i < 20; ++i) {
            QApplication::processEvents();
            QThread::msleep(25);
        }
        if (!window.DataLoaded()) {
            std::fprintf(stderr, "vorn_screenshot: %s did not open\n", argv[1]);
        } else {
            // Taken from the display, as the user sees it.
            const QPixmap shot = window.screen()->grabWindow(window.winId());
            if (!shot.isNull() && shot.save(QString::fromLocal8Bit(argv[2]), "PNG")) result = 0;
            else std::fprintf(stderr, "vorn_screenshot: could not save %s\n", argv[2]);
        }
    }
    forms::SetForms(nullptr);
    return result;
}
