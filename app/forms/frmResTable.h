#ifndef FRMRESTABLE_H
#define FRMRESTABLE_H
// A table of results (a grid search's scores, age slicing's ages by sample) that its owner
// fills through Grid and StatusText and shows modeless. The toolbar prints, copies and
// saves the whole table as shown; the close box only hides the window, so the owner can
// show it again with the same contents.
#include <QMainWindow>
#include <string>

#include "print/PrintLayout.h"

class FlexGrid;
class KeyedStatusBar;
class QToolBar;
class QAction;

class frmResTable : public QMainWindow {
    Q_OBJECT
public:
    explicit frmResTable(QWidget* owner = nullptr);

    FlexGrid* Grid() const { return flxGrid; }
    void setStatusText(const std::string& text);
    std::string StatusText() const;

    // The toolbar's commands, by button key ("Print", "Copy", "Save"; others do nothing).
    void tlbBar_ButtonClick(const std::string& key);

    // The table as the clipboard gets it and as the save file holds it.
    std::string CopyText() const;
    std::string SaveText() const;

    FlexGrid* flxGrid;
    QToolBar* tlbBar;
    KeyedStatusBar* stsBar;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CopyTable();
    void SaveTable();
    void PrintTable();
    // The grid's cells, each followed by a TAB; numbers outside column 0 in `pattern`.
    print::Table CellTable(const char* pattern) const;
};

#endif
