#ifndef MODOBJIO_H
#define MODOBJIO_H
// The read and write drivers for objects that persist themselves through IObjectIO:
// they open the object's Source or Target file under a free file number, lend it to the
// object, and close it again.
#include <string>

#include "IObjectIO.h"

namespace modObjIO {

// The Source and Target file names shared by every persisting object of the program
// (the data set and the simulation parameters): setting one object's sets them for all.
std::string& SharedSource();
std::string& SharedTarget();

inline constexpr const char* kReadObjFailure = "ReadObj Failure.";
inline constexpr const char* kWriteObjFailure = "WriteObj Failure.";

// ReadObj when bRead, else WriteObj.
IOStatus ObjIO(IObjectIO& obj, bool bRead);
// Reads obj from obj.Source() (binary read access, or text input). Returns the object's
// status; eioAbort is reported through the error handler and raised as
// vbObjectError + 2253 "ReadObj Failure.". Errors opening the file propagate.
IOStatus ReadObj(IObjectIO& obj);
// Writes obj to obj.Target() (binary write access, or text output, which empties the
// file); an empty Target means a new "KT3" temporary file in the current folder.
// eioAbort is raised as vbObjectError + 2254 "WriteObj Failure.".
IOStatus WriteObj(IObjectIO& obj);

}  // namespace modObjIO

#endif
