// Vorn 5.0: binds the Qt services and shows the main window; closing it ends the program.
#include <QApplication>

#include "HelpViewer.h"
#include "ObjectsWindows.h"
#include "PrintQt.h"
#include "QtForms.h"
#include "frmAutoFind.h"
#include "frmAutoRes.h"
#include "frmGraph.h"
#include "frmLog.h"
#include "frmProgress.h"
#include "frmProgressUnknown.h"
#include "frmSimData2.h"
#include "frmVorn.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vorn 5.0");

    forms::QtForms qtForms;
    qtForms.setHelpHandler([](const std::string& helpFile, int32_t command, int32_t context) {
        HelpViewer::Instance().ShowHelp(helpFile, command, context);
    });
    forms::SetForms(&qtForms);
    printqt::InstallQtPrinter();
    frmGraph::InstallCanvases();
    InstallQtLogWindows();
    InstallQtProgressWindows();
    InstallQtProgressUnknownWindows();
    InstallQtObjectsWindows();
    frmSimData2::Install();
    frmAutoFind::Install();
    frmAutoRes::Install();

    int result = 0;
    {
        frmVorn window;
        window.show();
        result = app.exec();
    }
    forms::SetForms(nullptr);
    return result;
}
