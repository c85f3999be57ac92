#ifndef FRMPROGRESS_H
#define FRMPROGRESS_H
// The progress window on screen: caption "Progress...", a bar, the elapsed and remaining
// times and Cancel. Modeless and without an owner, so that it stays usable while the
// main window is disabled by a running command.
#include <QDialog>

#include "IProgressView.h"

class QLabel;
class QProgressBar;
class QPushButton;

class frmProgress : public QDialog, public IProgressView {
    Q_OBJECT
public:
    explicit frmProgress(QWidget* parent = nullptr);

    void SetCaption(const std::string& text) override;
    std::string Caption() const override;
    void SetMin(int16_t value) override;
    void SetMax(int16_t value) override;
    int16_t Max() const override;
    void SetValue(int16_t value) override;
    int16_t Value() const override;
    void SetElapsedText(const std::string& text) override;
    void SetTimeLeftText(const std::string& text) override;
    std::string TimeLeftText() const override;
    void ShowWindow() override;
    void Repaint() override;
    bool CancelFlag() const override { return blnCancelPressed; }

    QPushButton* cancelButton() const { return cmdCancel; }
    QProgressBar* bar() const { return prgProgress; }
    QLabel* elapsedLabel() const { return lblTimeElapsed; }
    QLabel* timeLeftLabel() const { return lblTimeLeft; }

    bool blnCancelPressed = false;

protected:
    // The close box counts as Cancel: the loop that owns the window ends it.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QProgressBar* prgProgress;
    QLabel* lblTimeElapsed;
    QLabel* lblTimeLeft;
    QPushButton* cmdCancel;
};

// Makes clsProgress use frmProgress windows (the program calls this once at start).
void InstallQtProgressWindows();

#endif
