#include "modObjIO.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "Hald_Error.h"
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
    if (path.empty()) path = CreateTempFile(std::filesystem::current_path().string(), "KT3");
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

std::string CreateTempFile(const std::string& folder, const std::string& prefix) {
    const std::filesystem::path dir = folder.empty() ? std::filesystem::current_path()
                                                     : std::filesystem::path(folder);
    std::string templ = (dir / (prefix + "XXXXXX")).string();
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    const int fd = ::mkstemp(buf.data());
    if (fd < 0) {
        const int e = errno;
        throw VbError(e == ENOENT || e == ENOTDIR ? 76 : 75, "TempFileName",
                      "Cannot create a file in " + dir.string() + ": " + std::strerror(e));
    }
    ::close(fd);
    return std::string(buf.data());
}

}  // namespace modObjIO
