#ifndef EDITINGFIXTURE_H
#define EDITINGFIXTURE_H
// The main window active on the offscreen screen with the pick-list windows in place, for
// the tests of data editing: keys typed as the user does, into whatever has the focus.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "FlexGrid.h"
#include "KeyedStatusBar.h"
#include "MainWindowRoad.h"
#include "ObjectsViewFactory.h"
#include "ObjectsWindows.h"
#include "vb/VbRuntime.h"

class EditingFixture : public MainWindowRoad {
protected:
    void SetUp() override {
        InstallQtObjectsWindows();
        MainWindowRoad::SetUp();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        MainWindowRoad::TearDown();
        SetObjectsViewFactory({});
    }

    // sample.vn5: samples at 0.25 and 1.25 over five classes from 10 by 2.5.
    void OpenSample() {
        ui->openAnswers.push_back(folder.fixture("sample.vn5", "sample.vn5"));
        Choose("mnuOpen");
        ASSERT_TRUE(window->DataLoaded());
    }
    void EnterEditMode() {
        Choose("mnuEditMode");
        ASSERT_TRUE(window->EditMode());
    }
    void OpenMenu(const std::string& name) { emit window->TopMenu(name)->aboutToShow(); }

    FlexGrid& grid() { return *window->flxMain; }
    QLineEdit& box() { return *window->txtEdit; }
    std::string Cell(int row, int col) { return grid().TextMatrix(row, col); }
    float Count(int sample, int cls) {
        return window->LFD().Dists(static_cast<int16_t>(sample), static_cast<int16_t>(cls));
    }

    // The grid takes the focus with the cell current, as after the user moved to it.
    void GoTo(int row, int col) {
        // A modal dialog that closed leaves no window active on the offscreen screen.
        QApplication::setActiveWindow(window.get());
        grid().setFocus(Qt::OtherFocusReason);
        grid().setCurrentCell(row, col);
    }
    void ClickCell(int row, int col) {
        QApplication::setActiveWindow(window.get());
        const QRect r = grid().visualRect(grid().model()->index(row, col));
        QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, r.center());
    }
    void SelectBlock(int row1, int col1, int row2, int col2) {
        GoTo(row1, col1);
        grid().setRowSel(row2);
        grid().setColSel(col2);
    }
    // Keys go where the focus is, as the user's typing does.
    void Type(const QString& text) {
        for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    std::vector<std::string> Prompts() {
        std::vector<std::string> p;
        for (const auto& m : ui->messages) p.push_back(m.prompt);
        return p;
    }
    static std::string ClipboardText() { return QGuiApplication::clipboard()->text().toStdString(); }
    static void SetClipboard(const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    }

};

#endif
