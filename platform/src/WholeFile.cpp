#include "files/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "vb/VbError.h"
#include "vb/VbFile.h"
#include "vb/VbRuntime.h"

namespace fs = std::filesystem;

namespace files {
namespace {

[[noreturn]] void Fail(int err, const std::string& path) {
    const int32_t number = vb::FileErrorNumber(err);
    throw VbError(number, "WriteWholeFile", vb::ErrorText(number) + ": " + path);
}

// The file a chain of symbolic links ends at (the path itself when it is no link). It
// need not exist: saving through a dangling link creates the file the link names.
fs::path FinalTarget(const std::string& path) {
    fs::path p(path);
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
        std::error_code ec;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) Fail(ec.value(), path);
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    Fail(ELOOP, path);
}

// Whether the user may replace an existing file. The kernel's own check comes first
// (ACLs, read-only volumes). It lets the superuser write anything, but a file on which no
// one has a write bit was marked read-only on purpose, and that holds for the superuser too.
bool MayReplace(const fs::path& file, const struct stat& st) {
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0) return false;
    return ::geteuid() != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
}

// The mode a newly made file gets: 0666 less the umask. The umask is read from the
// process status, as setting it to read it back would race with other threads.
mode_t NewFileMode() {
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
            break;
        }
    }
    return 0666 & ~mask;
}

// A new empty file of the temporary pattern in `folder`, opened for writing.
int MakeTempFile(const fs::path& folder, std::string& name) {
    name = (folder / std::string(kTempPattern)).string();
    constexpr int kSuffix = 4;  // ".tmp" after the X's
    return ::mkostemps(name.data(), kSuffix, O_CLOEXEC);
}

// Writes all of `contents`; `done` counts what reached the file, also when a write fails.
void WriteAll(int fd, std::string_view contents, const std::string& path, std::size_t& done) {
    done = 0;
    while (done < contents.size()) {
        const ssize_t n = TheWriterCalls().write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) Fail(n < 0 ? errno : EIO, path);
        done += static_cast<std::size_t>(n);
    }
}

void WriteAll(int fd, std::string_view contents, const std::string& path) {
    std::size_t done = 0;
    WriteAll(fd, contents, path, done);
}

void SyncFolder(const fs::path& folder, const std::string& path) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Opening a folder needs read permission, which making and renaming a file in it do
    // not: a folder the user may write but not list (0333) is treated as one that cannot
    // be synced, since the file is in place.
    if (fd < 0 && (errno == EACCES || errno == EPERM)) return;
    if (fd < 0) Fail(errno, path);
    const int rc = TheWriterCalls().fsync(fd);
    const int err = errno;
    ::close(fd);
    // Some file systems cannot sync a folder at all (EINVAL); there is nothing to wait for.
    if (rc != 0 && err != EINVAL) Fail(err, path);
}

void Replace(const std::string& path, const std::function<void(int fd, const std::string& temp)>& fill) {
    if (path.empty()) throw VbError(vb::errBadFileNumber, "WriteWholeFile", "No file name is given.");
    const fs::path target = FinalTarget(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");

    // Refuse before anything is made: a folder or device in the way, or a file the user
    // may not write.
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) Fail(errno, path);
    if (exists && !S_ISREG(old.st_mode)) Fail(EISDIR, path);
    if (exists && !MayReplace(target, old)) Fail(EACCES, path);

    std::string temp;
    int fd = MakeTempFile(folder, temp);
    if (fd < 0) Fail(errno == ENOENT ? ENOTDIR : errno, path);  // no such folder
    try {
        fill(fd, temp);
        // The old file's owner where the user may give it (a group they belong to, or any
        // owner for the superuser); then its mode, as changing the owner may clear bits.
        if (exists) {
            if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
                ::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
                // Not allowed: the new file is the user's own, as any file they make.
            }
            if (::fchmod(fd, old.st_mode & 07777) != 0) Fail(errno, path);
        } else if (::fchmod(fd, NewFileMode()) != 0) {
            Fail(errno, path);
        }
        if (TheWriterCalls().fsync(fd) != 0) Fail(errno, path);
        const int closed = TheWriterCalls().close(fd);
        fd = -1;  // closed even when closing reports an error
        if (closed != 0) Fail(errno, path);
        if (TheWriterCalls().rename(temp.c_str(), target.c_str()) != 0) Fail(errno, path);
    } catch (...) {
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        throw;
    }
    // The rename is on disk only once the folder is: until then a crash may bring back
    // the old file. The new one is in place already, so a failure here is reported as such.
    SyncFolder(folder, path);
}

}  // namespace

WriterCalls& TheWriterCalls() {
    static WriterCalls calls{::write, ::fsync, ::close, ::rename};
    return calls;
}

void WriteWholeFile(const std::string& path, std::string_view contents) {
    Replace(path, [&](int fd, const std::string&) { WriteAll(fd, contents, path); });
}

void WriteWholeFile(const std::string& path, const std::function<void(const std::string& temp)>& fill) {
    Replace(path, [&](int, const std::string& temp) { fill(temp); });
}

void AppendToFile(const std::string& path, std::string_view text) {
    if (path.empty()) throw VbError(vb::errBadFileNumber, "WriteWholeFile", "No file name is given.");
    // Opened for reading too, so a file the user may not read is refused like one they
    // may not write.
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) Fail(errno == ENOENT ? ENOTDIR : errno, path);  // no such folder
    try {
        struct stat st {};
        if (::fstat(fd, &st) != 0) Fail(errno, path);
        if (!S_ISREG(st.st_mode)) Fail(EISDIR, path);
        if (!MayReplace(path, st)) Fail(EACCES, path);
        std::size_t done = 0;
        try {
            WriteAll(fd, text, path, done);
        } catch (...) {
            // Cut off what part of the text reached the file, so the next text starts on a
            // line of its own; but only when nothing else was added meanwhile (another copy
            // of the program writing the same log), which the cut would take away.
            struct stat now {};
            if (done > 0 && ::fstat(fd, &now) == 0 &&
                now.st_size == st.st_size + static_cast<off_t>(done) && ::ftruncate(fd, st.st_size) != 0) {
                // Nothing more to do: the error of the write is the one to report.
            }
            throw;
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (::close(fd) != 0) Fail(errno, path);
}

bool CanCreateFilesIn(const std::string& folder) {
    if (folder.empty()) return false;
    std::string name;
    const int fd = MakeTempFile(folder, name);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(name.c_str());
    return true;
}

}  // namespace files
