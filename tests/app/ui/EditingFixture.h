#ifndef EDITINGFIXTURE_H
#define EDITINGFIXTURE_H
// The main window with a data set open, active on the offscreen screen, for the tests of
// data editing: menus chosen and keys typed as the user does, into whatever has the focus.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include "FlexGrid.h"
#include "ILogView.h"
#include "KeyedStatusBar.h"
#include "ObjectsViewFactory.h"
#include "ObjectsWindows.h"
#include "UiTestSupport.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmVorn.h"
#include "vb/VbRuntime.h"

class EditingFixture : public ::testing::Test {
protected:
    void SetUp() override {
        InstallQtObjectsWindows();
        window = std::make_unique<frmVorn>();
        window->show();
        QApplication::setActiveWindow(window.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override {
        window->LFD().setIsDirty(false);
        ui->msgBoxAnswers = {forms::vbYes};
        window->close();
        window.reset();
        SetObjectsViewFactory({});
    }

    // sample.vn5: samples at 0.5 and 1.25 over five classes from 10 by 2.5.
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
    void Choose(const std::string& item) {
        QAction* a = window->MenuItem(item);
        ASSERT_NE(a, nullptr) << item;
        for (const char* top : {"mnuFile", "mnuEdit", "mnuData", "mnuFit", "mnuFunctions", "mnuOptions"})
            if (window->TopMenu(top)->actions().contains(a)) OpenMenu(top);
        ASSERT_TRUE(a->isEnabled()) << item;
        a->trigger();
    }

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

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessLogViews logViews;
    std::unique_ptr<frmVorn> window;
};

#endif
