#include "frmResTable.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QToolBar>
#include <exception>

#include "FlexGrid.h"
#include "KeyedStatusBar.h"
#include "MVornGlobs.h"
#include "files/WholeFile.h"
#include "forms/FormsService.h"
#include "print/Printer.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

frmResTable::frmResTable(QWidget* owner) : QMainWindow(owner) {
    setObjectName("frmResTable");
    setWindowFlag(Qt::Window, true);
    flxGrid = new FlexGrid(this);
    flxGrid->setObjectName("flxGrid");
    // The grid fills the window between the toolbar and the status bar.
    setCentralWidget(flxGrid);
    tlbBar = addToolBar("tlbBar");
    tlbBar->setObjectName("tlbBar");
    tlbBar->setMovable(false);
    for (const char* key : {"Print", "Copy", "Save"}) {
        QAction* button = tlbBar->addAction(key);
        button->setObjectName(key);
        connect(button, &QAction::triggered, this, [this, key] { tlbBar_ButtonClick(key); });
    }
    stsBar = new KeyedStatusBar(this);
    stsBar->setObjectName("stsBar");
    stsBar->AddPanel("Text", 1);
    setStatusBar(stsBar);
    resize(520, 320);
}

void frmResTable::setStatusText(const std::string& text) {
    stsBar->SetPanelText("Text", text);
    forms::Forms().DoEvents();
}

std::string frmResTable::StatusText() const { return stsBar->PanelText("Text"); }

void frmResTable::tlbBar_ButtonClick(const std::string& key) {
    if (key == "Print") PrintTable();
    else if (key == "Copy") CopyTable();
    else if (key == "Save") SaveTable();
}

std::string frmResTable::CopyText() const {
    std::string text;
    for (int r = 0; r < flxGrid->Rows(); ++r) {
        std::string row;
        for (int c = 0; c < flxGrid->Cols(); ++c) row += flxGrid->TextMatrix(r, c) + "\t";
        if (!row.empty()) row.pop_back();
        text += row + "\r\n";
    }
    return text;
}

print::Table frmResTable::CellTable(const char* pattern) const {
    print::Table table;
    table.after = "\t";
    for (int r = 0; r < flxGrid->Rows(); ++r) {
        std::vector<std::string>& row = table.rows.emplace_back();
        for (int c = 0; c < flxGrid->Cols(); ++c) {
            const std::string cell = flxGrid->TextMatrix(r, c);
            // Column 0 holds the row labels (ages, or parameter values such as -0.50): written
            // as shown, so they are not rounded away.
            if (c == 0 || !vb::IsNumeric(cell)) {
                row.push_back(cell);
                continue;
            }
            try {
                row.push_back(vb::Format(vb::CDbl(cell), pattern));
            } catch (const VbError&) {
                row.push_back(cell);
            }
        }
    }
    return table;
}

std::string frmResTable::SaveText() const {
    std::string text = windowTitle().toStdString() + "\r\n" + StatusText() + "\r\n";
    for (const std::string& line : CellTable("0.000").Lines()) text += line + "\r\n";
    return text;
}

void frmResTable::CopyTable() {
    try {
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        clipboard->setText(QString::fromStdString(CopyText()));
    } catch (const std::exception&) {
        // Copy ends without a message when it fails.
    }
}

void frmResTable::SaveTable() {
    try {
        forms::FileDialogRequest request;
        request.fileName = std::string("Results") + ".dat";
        request.title = "Save Data";
        request.filter = "Data (*.dat)|*.dat";
        request.flags = 6;
        const std::string path = forms::Forms().ShowSave(request);
        if (path.empty()) return;  // Cancel writes nothing
        files::WriteWholeFile(path, SaveText());
    } catch (const std::exception& e) {
        // The user must not take the table for saved; the old file is as it was.
        forms::Forms().MsgBox("The table could not be saved." "\r\n" + AsVbError(e, "frmResTable.SaveTable").Description,
                              forms::vbExclamation, forms::kAppTitle);
    }
}

void frmResTable::PrintTable() {
    try {
        forms::Forms().DoEvents();
        print::Printer& printer = print::ThePrinter();
        MVornGlobs::PrintPageNumber();
        printer.Print(windowTitle().toStdString());
        printer.Print(StatusText());
        printer.Print();
        print::PrintTable(printer, CellTable("0.00"));
        printer.EndDoc();
    } catch (const VbError& e) {
        forms::Forms().MsgBox("The table could not be printed.\r" + e.Description, forms::vbExclamation,
                              forms::kAppTitle);
    }
}

void frmResTable::closeEvent(QCloseEvent* event) {
    // The user's close only hides the table; the owner may show it again.
    if (event->spontaneous()) {
        event->ignore();
        hide();
        return;
    }
    QMainWindow::closeEvent(event);
}
