#ifndef MAINWINDOWROAD_H
#define MAINWINDOWROAD_H
// A main window in a private working folder, with headless message boxes and log window,
// and what a user does to it: open a data file with File > Open, choose a menu item.
#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ILogView.h"
#include "UiTestSupport.h"
#include "clsVorn.h"
#include "forms/HeadlessForms.h"
#include "frmVorn.h"

class MainWindowRoad : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<frmVorn>();
        window->show();
    }
    void TearDown() override {
        // Leave without questions: nothing to save, keep the log.
        window->LFD().setIsDirty(false);
        ui->msgBoxAnswers.clear();
        ui->msgBoxAnswers.push_back(forms::vbYes);
        window->close();
    }

    // Saves `data` as `name` in the working folder and opens it with File > Open.
    void OpenData(clsVorn& data, const std::string& name) {
        const std::string path = folder.file(name);
        data.setDataSource(0);
        data.setFileName(path);
        data.Save();
        ui->openAnswers.push_back(path);
        Choose("mnuOpen");
        ASSERT_TRUE(window->DataLoaded());
    }
    // Opens the item's menu (which brings its items up to date) and chooses the item,
    // which must be enabled.
    void Choose(const std::string& item) {
        QAction* a = window->MenuItem(item);
        ASSERT_NE(a, nullptr) << item;
        for (const char* top : {"mnuFile", "mnuEdit", "mnuData", "mnuFit", "mnuFunctions", "mnuOptions"})
            if (window->TopMenu(top)->actions().contains(a)) emit window->TopMenu(top)->aboutToShow();
        ASSERT_TRUE(a->isEnabled()) << item;
        a->trigger();
    }

    WorkingFolder folder;
    forms::ScopedHeadlessForms ui;
    ScopedHeadlessLogViews logViews;
    std::unique_ptr<frmVorn> window;
};

#endif
