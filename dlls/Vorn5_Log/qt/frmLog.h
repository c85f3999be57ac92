#ifndef FRMLOG_H
#define FRMLOG_H
// The run-log window: the log text in a box, and a File menu with Save, Save As, Print,
// Clear Log and Exit. Resizable; shown modal from the main window's menu or modeless.
#include <QDialog>

#include "ILogView.h"

class LogDocument;
class QAction;
class QMenuBar;
class QPlainTextEdit;

class frmLog : public QDialog, public ILogView {
    Q_OBJECT
public:
    explicit frmLog(LogDocument& document, QWidget* parent = nullptr);
    ~frmLog() override;

    void Show(bool modal) override;

    QPlainTextEdit* textBox() const { return txtText; }
    QAction* saveAction() const { return mnuSave; }
    QAction* saveAsAction() const { return mnuSaveAs; }
    QAction* printAction() const { return mnuPrint; }
    QAction* clearAction() const { return mnuClear; }
    QAction* exitAction() const { return mnuExit; }

private:
    // model -> UI
    void ShowText();
    void ShowCaption();

    LogDocument& document_;
    QMenuBar* menuBar_;
    QPlainTextEdit* txtText;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuPrint;
    QAction* mnuClear;
    QAction* mnuExit;
};

// Makes clsLog use frmLog windows (the program calls this once at start).
void InstallQtLogWindows();

#endif
