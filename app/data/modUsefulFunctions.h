#ifndef MODUSEFULFUNCTIONS_H
#define MODUSEFULFUNCTIONS_H
// Collection and pointer helpers.

namespace modUsefulFunctions {

// Removes the first item until the collection is empty.
template <typename Collection>
void ClearCollection(Collection& col) {
    while (!col.empty()) col.erase(col.begin());
}

// Hourglass pointer on while on is true; switching off restores the previous pointer.
void Hourglass(bool on);

}  // namespace modUsefulFunctions

#endif
