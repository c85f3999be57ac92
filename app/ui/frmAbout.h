#ifndef FRMABOUT_H
#define FRMABOUT_H
// The about box: version, what the program does, credits and the disclaimer; its Citation
// button shows how the program is to be cited.
#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog {
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QLabel* picIcon;
    QLabel* Picture1;
    QLabel* Label1;
    QPushButton* cmdCitation;
    QPushButton* cmdOK;

    // The version line for a major and minor version ("Vorn Version 5.0").
    static QString VersionText(int major, int minor);

private:
    void cmdCitation_Click();
};

#endif
