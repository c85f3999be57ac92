#ifndef USERACTIONS_H
#define USERACTIONS_H
// What a user does to a dialog's text box, for the form tests: retyping its text and the
// ways of leaving it.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace useractions {

// Into the box, its text selected and typed over, key by key.
inline void Retype(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

enum class Leaving { Tab, ClickOk, SlowClickOk };
constexpr Leaving kEveryWayOut[] = {Leaving::Tab, Leaving::ClickOk, Leaving::SlowClickOk};

inline const char* Name(Leaving how) {
    switch (how) {
        case Leaving::Tab: return "Tab";
        case Leaving::ClickOk: return "a click on OK";
        case Leaving::SlowClickOk: return "a slow click on OK";
    }
    return "";
}

// Leaves `box` for the next control or for `ok`, and lets what follows run. A slow click
// lets the focus change be handled before the button is let go, as a hand does; a quick
// one sends both at once.
inline void Leave(QLineEdit* box, QPushButton* ok, Leaving how) {
    switch (how) {
        case Leaving::Tab:
            QTest::keyClick(box, Qt::Key_Tab);
            break;
        case Leaving::ClickOk:
            QTest::mouseClick(ok, Qt::LeftButton);
            break;
        case Leaving::SlowClickOk:
            QTest::mousePress(ok, Qt::LeftButton);
            QApplication::processEvents();
            QTest::mouseRelease(ok, Qt::LeftButton);
            break;
    }
    QApplication::processEvents();
    QApplication::processEvents();
}

}  // namespace useractions

#endif
