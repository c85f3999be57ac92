// Vorn 5.0: binds the Qt services and shows the main window; closing it ends the program.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

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

namespace {

// Exit code of a start without a desktop session (the "service unavailable" of sysexits).
constexpr int kNoDisplay = 69;
constexpr const char* kNoDisplayText =
    "Vorn 5.0 is a desktop program and needs a desktop session (a display), but none is set: "
    "start it from a terminal or menu of your desktop.";
constexpr const char* kDisplayFailedText =
    "Vorn 5.0 is a desktop program and needs a desktop session (a display), but the display "
    "it was given could not be opened.";

bool DisplayNamed() {
    // A platform chosen on purpose (offscreen, vnc, ...) needs no display of its own.
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* v = std::getenv(name);
        if (v && *v) return true;
    }
    return false;
}

// While the window system starts, a display that cannot be opened is a fatal message
// (and an abort): say plainly what is missing instead.
void StartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    // The messages before the fatal one name the display that failed.
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", kDisplayFailedText);
        std::_Exit(kNoDisplay);
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

}  // namespace

int main(int argc, char** argv) {
    if (!DisplayNamed()) {
        std::fprintf(stderr, "%s\n", kNoDisplayText);
        return kNoDisplay;
    }
    const QtMessageHandler previous = qInstallMessageHandler(StartupMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(previous);
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
