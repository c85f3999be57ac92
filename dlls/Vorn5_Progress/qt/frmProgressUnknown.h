#ifndef FRMPROGRESSUNKNOWN_H
#define FRMPROGRESSUNKNOWN_H
// The wait window on screen: a text, a dot that moves from left to right and starts
// again, and Cancel. Modeless without an owner; the dot moves only while the running
// computation lets window events run.
#include <QDialog>

#include "IProgressUnknownView.h"

class QLabel;
class QPushButton;
class QTimer;

class frmProgressUnknown : public QDialog, public IProgressUnknownView {
    Q_OBJECT
public:
    explicit frmProgressUnknown(QWidget* parent = nullptr);

    void ShowWindow() override;
    void HideWindow() override;
    void SetCaption(const std::string& text) override;
    void SetLabel(const std::string& text) override;
    bool CancelFlag() const override { return cancelFlag; }

    // One timer tick: the dot moves 100 twips right, or back to 100 at the right edge.
    void Timer1_Timer();
    // The dot's left edge and the window's width, in twips (Twips.h).
    int DotLeftTwips() const { return dotLeft_; }
    int WidthTwips() const;
    // Where the dot goes after a tick from `left` in a window `width` wide (twips).
    static int NextDotLeft(int left, int width);

    QPushButton* cancelButton() const { return cmdCancel; }
    QLabel* labelText() const { return Label; }

    bool cancelFlag = false;

protected:
    // The close box does what Cancel does, so the computation hears of it.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void cmdCancel_Click();
    void PlaceDot();
    int px(int width) const;  // twips in pixels of the window font

    QLabel* Label;
    QLabel* lblDot;
    QTimer* Timer1;
    QPushButton* cmdCancel;
    int dotLeft_ = 100;
};

// Makes clsProgressUnknown use frmProgressUnknown windows.
void InstallQtProgressUnknownWindows();

#endif
