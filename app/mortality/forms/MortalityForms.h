#ifndef MORTALITYFORMS_H
#define MORTALITYFORMS_H
// What the Beverton-Holt and age slicing windows share: noticing the keys that change a
// parameter box while a result is shown.
class QKeyEvent;
class QLineEdit;

namespace mortalityforms {

// Whether the key would change the text of a box: a character, Backspace, Delete, or a
// cut, paste, undo or redo.
bool EditsText(const QKeyEvent& key);

// A box whose text changes only through keys: no context menu and no drops, so every
// change passes EditsText first.
void GuardEdits(QLineEdit& box);

}  // namespace mortalityforms

#endif
