// The about box and the citation window, driven as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "frmAbout.h"
#include "frmCitation.h"

TEST(frmAbout, ShowsVersionTextsAndButtons) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About Vorn 5.0");
    EXPECT_EQ(about.lblVersion->text(), "Vorn Version 5.0");
    EXPECT_EQ(frmAbout::VersionText(5, 0), "Vorn Version 5.0");
    EXPECT_TRUE(about.lblDescription->text().contains("length-frequency"));
    EXPECT_TRUE(about.lblDescription->text().contains("mortality"));
    EXPECT_TRUE(about.lblDescription->text().contains('\n'));  // credits on lines of their own
    EXPECT_FALSE(about.lblDisclaimer->text().isEmpty());
    EXPECT_EQ(about.cmdCitation->text(), "&Citation");
    EXPECT_FALSE(about.Picture1->pixmap().isNull());
}

TEST(frmAbout, CitationOpensModallyOverTheAboutBoxAndClosesBackToIt) {
    frmAbout about;
    about.show();
    QString caption, reference;
    QWidget* owner = nullptr;
    bool modal = false;
    int shown = 0;
    for (int round = 0; round < 2; ++round) {  // a new citation window each time
        QTimer::singleShot(0, [&] {
            auto* c = dynamic_cast<CitationsForm*>(QApplication::activeModalWidget());
            if (!c) {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* f = dynamic_cast<CitationsForm*>(w); f && f->isVisible()) c = f;
            }
            ASSERT_NE(c, nullptr);
            ++shown;
            caption = c->windowTitle();
            reference = c->Text1->toPlainText();
            owner = c->parentWidget();
            modal = c->isModal() || c->windowModality() != Qt::NonModal;
            EXPECT_TRUE(c->Text1->isReadOnly());
            QTest::mouseClick(c->cmdOK, Qt::LeftButton);
        });
        QTest::mouseClick(about.cmdCitation, Qt::LeftButton);  // returns when the citation closes
    }
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(caption, "Citation");
    EXPECT_EQ(reference, QString::fromUtf8(CitationsForm::kReference));
    EXPECT_EQ(owner, &about);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(about.isVisible());  // still open

    QTest::mouseClick(about.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
}
