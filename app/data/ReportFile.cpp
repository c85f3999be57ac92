#include "ReportFile.h"

#include "MUtility.h"
#include "files/WholeFile.h"
#include "forms/FormsService.h"
#include "vb/VbError.h"

namespace reportfile {

void Write(const std::string& path, const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    files::WriteWholeFile(path, text);
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
    } catch (const VbError& e) {
        // The user must not take the report for saved.
        forms::Forms().MsgBox("The results could not be saved to " + path + "." + "\r\n" + e.Description,
                              forms::vbExclamation, forms::kAppTitle);
        return false;
    }
    return true;
}

}  // namespace reportfile
