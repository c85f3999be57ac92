#include "ReportFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>

#include "MUtility.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace reportfile {

void Write(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.flush();
        written = static_cast<bool>(out);
    }
    std::error_code ec;
    if (written) fs::rename(temp, path, ec);
    if (!written || ec) {
        fs::remove(temp, ec);
        vb::Raise(75, "reportfile.Write");
    }
}

bool SaveAs(const std::string& dataFileName, const std::vector<std::string>& lines) {
    forms::FileDialogRequest request;
    request.fileName = MUtility::BaseNameOf(dataFileName) + ".dat";
    request.title = "Save Results";
    request.filter = "Data (*.dat)|*.dat";
    request.flags = 6;
    const std::string path = forms::Forms().ShowSave(request);
    if (path.empty()) return false;
    try {
        Write(path, lines);
    } catch (const VbError&) {
        // The user must not take the report for saved.
        forms::Forms().MsgBox("The results could not be saved to " + path + ".", forms::vbExclamation,
                              forms::kAppTitle);
        return false;
    }
    return true;
}

}  // namespace reportfile
