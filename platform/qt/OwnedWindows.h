#ifndef OWNEDWINDOWS_H
#define OWNEDWINDOWS_H
// Owned windows. A window shown with an owner stays above it: the owner's window becomes its
// transient parent, which is what the window manager stacks it by, and which lets it take
// input while its owner runs modally. A Qt parent would do the same, but it also carries a
// disabled state down, and several owners (the main window above all) are disabled while
// the windows they own are open.
#include <QWidget>

namespace owned {

// Makes `owner`'s window the transient parent of the top-level `window`, which becomes a
// window of the dialog kind if it is a plain one; nullptr takes the owner away. A window on
// screen is shown again, so that the window system learns of it. Not for a window in its
// own modal run.
void SetOwner(QWidget& window, QWidget* owner);
// SetOwner, then shows the window and raises it.
void ShowOwned(QWidget& window, QWidget* owner);

// The window that lives for the whole run, the owner of the windows that have no owner of
// their own on screen (the chart pages). nullptr until one is set.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

// The window a request comes from now: the modal window that runs, else the active
// window, else the main window.
QWidget* AskingWindow();

}  // namespace owned

#endif
