#include "MortalityForms.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>

namespace mortalityforms {

bool EditsText(const QKeyEvent& key) {
    for (QKeySequence::StandardKey k : {QKeySequence::Cut, QKeySequence::Paste, QKeySequence::Undo, QKeySequence::Redo})
        if (key.matches(k)) return true;
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) return true;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key.text();
    return !text.isEmpty() && text.at(0).isPrint();
}

void GuardEdits(QLineEdit& box) {
    box.setContextMenuPolicy(Qt::NoContextMenu);
    box.setAcceptDrops(false);
}

}  // namespace mortalityforms
