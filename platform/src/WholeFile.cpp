#include "files/WholeFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace files {

bool WriteWholeFile(const std::string& path, std::string_view contents) {
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        // Closed before it counts as written: closing can still fail to store the data.
        out.close();
        written = !out.fail();
    }
    std::error_code ec;
    if (written) fs::rename(temp, path, ec);
    if (written && !ec) return true;
    fs::remove(temp, ec);
    return false;
}

}  // namespace files
