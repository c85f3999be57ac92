#ifndef WHOLEFILE_H
#define WHOLEFILE_H
// Text files that are written whole or not at all: the contents go to a temporary file
// beside the target, which replaces the target by a rename only once it was all written.
// A failed write leaves an existing file as it was and no temporary file behind.
#include <string>
#include <string_view>

namespace files {

// False when the file could not be written (the old one, if any, is unchanged).
bool WriteWholeFile(const std::string& path, std::string_view contents);

}  // namespace files

#endif
