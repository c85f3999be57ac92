#ifndef BOXCHECKS_H
#define BOXCHECKS_H
// The checks of a dialog's text boxes as the user meets them. Entering a box selects its
// text. Leaving it runs the box's check once the focus change is over, so that the check
// can see where the focus went: nothing is checked when it went to a control that checks
// nothing (Cancel), left the dialog, or moved only because another window was activated
// or a menu opened. A failed check shows its own message and puts the focus back.
//
// One action shows one message: a check still waiting for its focus change is dropped
// when the box is checked by other means first. Clicking OK takes the focus from the box
// and has OK check every box itself, and a message box lets window events (that waiting
// check among them) run while it is up.
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

class BoxChecks : public QObject {
public:
    // `dialog` holds the boxes. `checksNothing` says whether leaving a box for the widget
    // that now has the focus (null when none has) is to go unchecked.
    BoxChecks(QWidget* dialog, std::function<bool(QWidget* focus)> checksNothing);

    // Registers a box and its check, which shows its own message and says whether the
    // text passes; an error it raises is shown as its message. CheckAll goes through the
    // boxes in this order. A box without a check only has its text selected on entry.
    void Add(QLineEdit* box, std::function<bool()> check = {});

    // Checks one box; on failure the focus goes back into it. True when the text passes.
    bool Check(QLineEdit* box);
    // Checks every enabled box in order; the first that fails gets the focus.
    bool CheckAll();
    // Puts the focus into `box` with its text selected; the boxes it leaves on the way
    // check nothing.
    void Refocus(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Left(QLineEdit* box);

    struct Entry {
        QLineEdit* box;
        std::function<bool()> check;
    };
    QWidget* dialog_;
    std::function<bool(QWidget*)> checksNothing_;
    std::vector<Entry> boxes_;
    std::vector<QPointer<QLineEdit>> waiting_;  // left, their checks not yet run
    bool refocusing_ = false;
};

#endif
