#ifndef READERCHECKS_H
#define READERCHECKS_H
// What must hold for every data set a reader accepts: it keeps the rule of what a set may
// hold, with its samples in ascending time order; it is saved and opened again to the same
// values (or Save refuses it, writing nothing, where the data file cannot hold it); it is
// exported as text and imported into a fresh set again to the same shape and to the same
// values within the seven digits the text carries (or Export refuses it, writing nothing,
// where the text cannot carry it); and each scoring method can be made on it and scores it.
// A broken promise aborts the run with a message, so the fuzzer keeps the input.
#include <string>

class clsVorn;

namespace readerchecks {

// A fresh folder for the files of the checks (made on first use, removed at exit).
const std::string& WorkFolder();

// Runs every check on a set that a reader has just accepted.
void CheckAccepted(clsVorn& set);

}  // namespace readerchecks

#endif
