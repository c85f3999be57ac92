#include "modObjIO.h"

#include <filesystem>

#include "Hald_Error.h"
#include "MUtility.h"
#include "vb/VbError.h"
#include "vb/VbFile.h"

namespace modObjIO {
namespace {

Hald_Error& ErrorHandler() {
    static Hald_Error handler;  // made on first use
    return handler;
}

}  // namespace

std::string& SharedSource() {
    static std::string source;
    return source;
}

std::string& SharedTarget() {
    static std::string target;
    return target;
}

IOStatus ObjIO(IObjectIO& obj, bool bRead) { return bRead ? ReadObj(obj) : WriteObj(obj); }

IOStatus ReadObj(IObjectIO& obj) {
    const std::string path = obj.Source();
    vb::FileNumber f;
    obj.setFNo(f);
    if (obj.BinaryIO()) vb::Open(path, vb::OpenMode::Binary, f, vb::OpenAccess::Read);
    else vb::Open(path, vb::OpenMode::Input, f);
    const IOStatus status = obj.ReadMe();
    f.Close();
    if (status == eioAbort) {
        const VbError err(vbObjectError + 2253, "ReadObj", kReadObjFailure);
        ErrorHandler().HandleError(err, std::string("ReadObj"), Hald_Error::ShowOnly);
        throw err;
    }
    return status;
}

IOStatus WriteObj(IObjectIO& obj) {
    std::string path = obj.Target();
    if (path.empty()) path = MUtility::TempFileName("KT3", std::filesystem::current_path().string());
    vb::FileNumber f;
    obj.setFNo(f);
    if (obj.BinaryIO()) vb::Open(path, vb::OpenMode::Binary, f, vb::OpenAccess::Write);
    else vb::Open(path, vb::OpenMode::Output, f);
    const IOStatus status = obj.WriteMe();
    f.Close();  // a failed flush raises: the data did not reach the disk
    if (status == eioAbort) {
        const VbError err(vbObjectError + 2254, "WriteObj", kWriteObjFailure);
        ErrorHandler().HandleError(err, std::string("WriteObj"), Hald_Error::ShowOnly);
        throw err;
    }
    return status;
}

}  // namespace modObjIO
