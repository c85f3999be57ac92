#ifndef IOBJECTIO_H
#define IOBJECTIO_H
// How an object saves itself to, or loads itself from, a file that its caller opens and
// closes. The caller sets BinaryIO and Source (load) or Target (save), opens the file
// under a free file number (vb/VbFile.h), hands the number over in FNo and calls ReadMe
// or WriteMe; the object reads or writes from the current position and never opens or
// closes the file itself.
#include <cstdint>
#include <string>

enum IOStatus : int16_t {
    eioAbort = 0,    // the operation failed
    eioFail = 1,
    eioSkip = 2,
    eioSuccess = 3,
};

class IObjectIO {
public:
    virtual ~IObjectIO();

    // Number of the open file lent to the object; valid only during ReadMe and WriteMe.
    virtual void setFNo(int16_t value) = 0;
    virtual int16_t FNo() const = 0;
    // True: the file is open in binary mode; False: as text.
    virtual void setBinaryIO(bool bData) = 0;
    virtual bool BinaryIO() const = 0;
    // Path to read from.
    virtual std::string Source() const = 0;
    virtual void setSource(const std::string& sData) = 0;
    // Path to write to.
    virtual std::string Target() const = 0;
    virtual void setTarget(const std::string& sData) = 0;

    virtual IOStatus WriteMe() = 0;
    virtual IOStatus ReadMe() = 0;
};

#endif
