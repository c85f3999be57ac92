#include "frmLog.h"
#include "clsLog.h"

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "TempFolder.h"
#include "forms/HeadlessForms.h"

namespace {

struct QtWindows {
    QtWindows() { InstallQtLogWindows(); }
    ~QtWindows() { SetLogViewFactory({}); }
};

frmLog* LogWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<frmLog*>(w); f && f->isVisible()) return f;
    return nullptr;
}

}  // namespace

TEST(frmLogTest, ModelessWindowShowsTheLogAndTypedTextIsNeverSaved) {
    QtWindows qt;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("Vorn Log Start Date: today");
    log.View(false);
    frmLog* window = LogWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle().toStdString(), log.Filename());
    EXPECT_EQ(window->textBox()->toPlainText(), "Vorn Log Start Date: today");

    QTest::keyClicks(window->textBox(), " typed");
    window->saveAction()->trigger();
    EXPECT_EQ(TempFolder::read(log.Filename()), "Vorn Log Start Date: today\r\n");
    EXPECT_TRUE(log.IsSaved());

    window->exitAction()->trigger();
    EXPECT_EQ(LogWindow(), nullptr);
    EXPECT_EQ(log.Buffer(), "Vorn Log Start Date: today");
}

TEST(frmLogTest, ClearLogInTheModalWindowEmptiesTheBuffer) {
    QtWindows qt;
    forms::ScopedHeadlessForms ui;
    TempFolder dir;
    clsLog log(dir.path());
    log.LogText("results");
    bool wasModal = false;
    QString shownText;
    QTimer::singleShot(0, [&] {
        frmLog* window = LogWindow();
        ASSERT_NE(window, nullptr);
        wasModal = window->isModal();
        shownText = window->textBox()->toPlainText();
        window->clearAction()->trigger();
        EXPECT_EQ(window->textBox()->toPlainText(), "");
        window->exitAction()->trigger();
    });
    log.View();
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(shownText, "results");
    EXPECT_EQ(log.Buffer(), "");
    EXPECT_FALSE(log.IsSaved());
}
