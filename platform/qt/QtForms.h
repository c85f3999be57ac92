#ifndef QTFORMS_H
#define QTFORMS_H
// The forms service on Qt widgets: QMessageBox, QInputDialog, QFileDialog, the beep,
// processEvents and the override cursor. main() installs one with forms::SetForms.
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "forms/FormsService.h"

namespace forms {

class QtForms : public FormsService {
public:
    using HelpHandler = std::function<void(const std::string& helpFile, int32_t command, int32_t context)>;

    int16_t MsgBox(const std::string& prompt, int32_t buttons, const std::string& title,
                   const std::string& helpFile, int32_t context) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    void Beep() override;
    void DoEvents() override;
    void SetHourglass(bool on) override;
    std::string ShowOpen(const FileDialogRequest& request) override;
    std::string ShowSave(const FileDialogRequest& request) override;
    bool ShowFont(FontChoice& font, int32_t minSize, int32_t maxSize) override;
    // Forwards to the help handler (the help viewer); without one, nothing is shown.
    void ShowHelp(const std::string& helpFile, int32_t command, int32_t context) override;

    void setHelpHandler(HelpHandler handler) { help_ = std::move(handler); }

private:
    HelpHandler help_;
    bool hourglass_ = false;
};

// The conversions behind QtForms, kept apart so they can be checked without a dialog.
namespace qtforms {

// The standard buttons of a button code (its low three bits), in the order shown.
std::vector<QMessageBox::StandardButton> ButtonsFor(int32_t code);
QMessageBox::Icon IconFor(int32_t code);
// The button Esc presses: Cancel when the box has one, OK in an OK-only box, else none
// (Esc and the close box then do nothing, as in a Yes/No box).
QMessageBox::StandardButton EscapeFor(int32_t code);
// The default button: the first, or the second/third with +256/+512.
QMessageBox::StandardButton DefaultFor(int32_t code);
// The result code (1 OK ... 7 No) of a pressed button; 0 for any other.
int16_t ResultFor(QMessageBox::StandardButton button);
// CR LF, CR and LF all become a line break.
QString PromptText(const std::string& prompt);
// An empty title gives the application title.
QString TitleText(const std::string& title);

// A box ready to exec(): buttons, icon, default and escape set; Help (+16384) opens
// `onHelp` and leaves the box open. The caller owns it.
std::unique_ptr<QMessageBox> BuildMessageBox(const std::string& prompt, int32_t buttons,
                                             const std::string& title, std::function<void()> onHelp,
                                             QWidget* parent = nullptr);
// The result of a box after exec().
int16_t ResultOf(const QMessageBox& box, int32_t code);

// "Vorn 5.0 (*.vn5)|*.vn5|Text (*.txt)|*.txt" -> {"Vorn 5.0 (*.vn5 *.VN5)", "Text (*.txt *.TXT)"}.
// Patterns are matched case-sensitively here, so each gets its upper- and lower-case form;
// "*.*" means every file.
QStringList NameFilters(const std::string& vbFilter);
// The suffix QFileDialog adds to a name without extension: "VN5" for ".VN5" or "VN5".
QString DefaultSuffix(const std::string& defaultExt);

}  // namespace qtforms
}  // namespace forms

#endif
