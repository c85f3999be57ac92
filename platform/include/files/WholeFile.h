#ifndef WHOLEFILE_H
#define WHOLEFILE_H
// The one way the program writes a file (a log that only grows aside): whole or not at all. The new contents go to a
// temporary file ".vorn-XXXXXX.tmp" in the target's folder, are flushed and synced, and
// replace the target by a rename, after which the folder is synced too (unless it cannot
// be: a file system that cannot sync folders, or a folder the user may not read). Any failure
// before the rename leaves the old file as it was; every failure removes the temporary
// file and raises a VbError with the runtime's file-error number and text, naming the file.
//
// A file the user may not write is refused with "Permission denied", also for the
// superuser when no one has a write bit on it (a file marked read-only stays so). The old
// file's mode (and, where allowed, its owner) carries over; a symbolic link is followed
// and the file it points to is replaced in its own folder, so the link stays a link.
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace files {

// Name pattern of the temporary files: short, so any legal file name can be saved
// beside it, and telling a user who finds one left by a killed save whose it is.
inline constexpr std::string_view kTempPattern = ".vorn-XXXXXX.tmp";

// Makes `contents` the whole of the file at `path`.
void WriteWholeFile(const std::string& path, std::string_view contents);

// As above, with the contents written by `fill` into the temporary file whose path it is
// given: it opens, writes and closes that file itself and throws when a write or its flush
// fails. What it throws passes through unchanged, after the temporary file is removed.
void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temp)>& fill);

// Adds `text` at the end of the file at `path`, made when missing (0666 less the umask),
// for a log that only grows: nothing already in the file is rewritten and nothing is
// synced, so a crash or a full disk can lose at most this text. A write that fails part-
// way cuts the file back to its old length, unless something else was added to it since. Raises as above, naming the file; a file the
// user may not read or write, or that is no plain file, is refused and left as it is.
void AppendToFile(const std::string& path, std::string_view text);

// True when a new file can be made in `folder` (tried with a temporary file of the
// pattern above, not guessed from permission bits, which say nothing for the superuser
// or on read-only volumes).
bool CanCreateFilesIn(const std::string& folder);

// The system calls of the steps that can fail once the temporary file exists. Tests
// replace one to make that step fail; the writer uses whatever is installed.
struct WriterCalls {
    std::function<ssize_t(int fd, const void* data, size_t count)> write;  // also AppendToFile's
    std::function<int(int fd)> fsync;  // the temporary file, then the folder
    std::function<int(int fd)> close;  // the temporary file
    std::function<int(const char* from, const char* to)> rename;
};
WriterCalls& TheWriterCalls();

// Puts back the calls in use when it was made.
class ScopedWriterCalls {
public:
    ScopedWriterCalls() : saved_(TheWriterCalls()) {}
    ~ScopedWriterCalls() { TheWriterCalls() = saved_; }
    ScopedWriterCalls(const ScopedWriterCalls&) = delete;
    ScopedWriterCalls& operator=(const ScopedWriterCalls&) = delete;

private:
    WriterCalls saved_;
};

}  // namespace files

#endif
