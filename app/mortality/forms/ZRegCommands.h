#ifndef ZREGCOMMANDS_H
#define ZREGCOMMANDS_H
// The main window's catch-curve and Powell-Wetherall commands: build the estimator on the
// current data set and show it in the regression window, modal and owned by the main
// window (so it stays above it). A data set the estimator cannot fit gets a message and no
// window; nothing is logged until the user presses Log in the window.
#include <functional>
#include <string>

class QWidget;
class clsLog;
class clsVorn;

namespace ZRegCommands {

// Functions > Catch Curve: asks for K and Linf (starting from the given values) in a
// dialog owned by `owner`, which owns the regression window too; Cancel ends the command
// with nothing changed.
void CatchCurve(QWidget* owner, const clsVorn& DataSet, float K, float Linf, clsLog& Log);

// Functions > Powell-Wetherall Z: "Calculating..." in the status bar with the hourglass
// while the estimator is built, "Ready..." afterwards on every path.
void PowellWetherall(QWidget* owner, const clsVorn& DataSet, clsLog& Log,
                     const std::function<void(const std::string&)>& StatusText);

}  // namespace ZRegCommands

#endif
