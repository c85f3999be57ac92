#ifndef REPORTFILE_H
#define REPORTFILE_H
// Result reports saved as ".dat" text files: every line followed by CR LF, written whole
// or not at all.
#include <string>
#include <vector>

namespace reportfile {

// Writes the lines to `path` through the one file writer: a failure raises its VbError,
// which names the file, and leaves an existing file as it was.
void Write(const std::string& path, const std::vector<std::string>& lines);

// Asks where to save the report on the data set in `dataFileName`: the save dialog
// ("Save Results", "Data (*.dat)|*.dat", asking before overwriting) proposes the data
// file's name without folder and extension followed by ".dat". Cancel writes nothing and
// says nothing; a file that could not be written is told to the user. True when saved.
bool SaveAs(const std::string& dataFileName, const std::vector<std::string>& lines);

}  // namespace reportfile

#endif
