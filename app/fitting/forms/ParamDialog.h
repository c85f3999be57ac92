#ifndef PARAMDIALOG_H
#define PARAMDIALOG_H
// What the fitting dialogs share about their number boxes: entering a box selects its
// text; leaving it runs the box's check (not when the focus goes to Cancel, leaves the
// dialog, or the dialog is cancelling), and a failed check puts the focus back; OK runs
// every enabled box's check again in tab order, so Enter or a click cannot pass a text
// that was never checked. One action shows one message (BoxChecks).
#include <QDialog>
#include <functional>
#include <string>

#include "BoxChecks.h"

class QHBoxLayout;
class QLineEdit;
class QPushButton;

class ParamDialog : public QDialog {
    Q_OBJECT
public:
    explicit ParamDialog(QWidget* parent = nullptr);

    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;

protected:
    // Makes the OK, Cancel and Help buttons: OK is the default button, and moving the
    // focus to Cancel checks nothing. The dialog lays them out itself.
    void MakeButtons(const QString& okCaption, const QString& cancelCaption);
    // The three buttons in a row at the right, for dialogs that put them under their boxes.
    QHBoxLayout* ButtonRow();
    // Hides the dialog, ends its modal run as accepted or not, and lets pending events run.
    void Finish(bool accepted);

    // Registers a box and its check (which shows its own message); boxes are checked in
    // the order they were registered. The dialog's eventFilter sees the box's events too.
    void AddBox(QLineEdit* box, std::function<bool()> check);
    // Checks every enabled box; the first that fails gets the focus.
    bool CheckAllBoxes();
    // Checks one box; on failure the focus goes back into it.
    bool CheckBox(QLineEdit* box);
    // A range whose upper bound is below its lower one is refused: a beep, "Invalid range
    // specified", and the focus into the upper box. Both boxes must hold numbers.
    bool CheckRangeOrder(QLineEdit* lo, QLineEdit* hi);
    // A beep, the message in an exclamation box, and the focus back into the box.
    void Refuse(QLineEdit* box, const std::string& message);

    QPushButton* cancelButton_ = nullptr;
    bool cancelling_ = false;

private:
    BoxChecks checks_;
};

#endif
