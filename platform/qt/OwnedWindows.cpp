#include "OwnedWindows.h"

#include <QApplication>
#include <QPointer>
#include <QWindow>

namespace owned {
namespace {

QPointer<QWidget>& mainWindow() {
    static QPointer<QWidget> window;
    return window;
}

// The window system's window of a top-level widget, made now if it has none yet.
QWindow* HandleOf(QWidget& window) {
    if (!window.windowHandle()) window.winId();
    return window.windowHandle();
}

}  // namespace

void SetOwner(QWidget& window, QWidget* owner) {
    const bool shown = window.isVisible();
    // Shown again, a dialog would centre itself anew: it stays where the user had it.
    const QPoint at = window.pos();
    // X11 window managers learn a window's owner only for windows of the dialog kind, so an
    // owned plain window becomes one, keeping its buttons (which hides it).
    if (owner && window.windowType() == Qt::Window)
        window.setWindowFlags((window.windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog |
                              Qt::WindowMinMaxButtonsHint);
    QWindow* parent = owner ? HandleOf(*owner->window()) : nullptr;
    QWindow* handle = HandleOf(window);
    if (handle && handle != parent && handle->transientParent() != parent) {
        // The window system reads the transient parent when a window is shown.
        window.hide();
        handle->setTransientParent(parent);
    }
    if (shown) {
        window.show();
        window.move(at);
    }
}

void ShowOwned(QWidget& window, QWidget* owner) {
    SetOwner(window, owner);
    window.show();
    window.raise();
}

void SetMainWindow(QWidget* window) { mainWindow() = window; }

QWidget* MainWindow() { return mainWindow().data(); }

QWidget* AskingWindow() {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return MainWindow();
}

}  // namespace owned
