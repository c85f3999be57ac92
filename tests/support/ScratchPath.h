#ifndef VORN_TESTS_SCRATCHPATH_H
#define VORN_TESTS_SCRATCHPATH_H

#include <filesystem>
#include <string>

#include <unistd.h>

namespace testsupport {

// A path under the temporary folder that carries the test process's id, so two runs of the
// same test at once (several engineers, or ctest -j) never share, or delete, each other's folder.
inline std::filesystem::path ScratchPath(const std::string& stem) {
    return std::filesystem::temp_directory_path() / (stem + "_" + std::to_string(::getpid()));
}

}  // namespace testsupport

#endif
