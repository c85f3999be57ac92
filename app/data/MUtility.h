#ifndef MUTILITY_H
#define MUTILITY_H
// Path, file and list helpers of the main program, and the file-name check used before
// opening and saving.
#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace MUtility {

// True when `path` names a file whose length can be read (not a folder, not missing).
bool FileExists(const std::string& path);
// s up to its first character 0.
std::string StripNulls(const std::string& s);
// True when an element of arr equals v.
template <typename T, typename Range>
bool InArray(const T& v, const Range& arr) {
    return std::find(std::begin(arr), std::end(arr), v) != std::end(arr);
}
// "/a/b/name.ext" -> "name"; FileNameOf -> "name.ext"; ExtensionOf -> ".ext" ("" without a dot).
std::string BaseNameOf(const std::string& path);
std::string FileNameOf(const std::string& path);
std::string ExtensionOf(const std::string& path);
// 1-based positions in `path`: where the folder part starts (after the leading "/" of an
// absolute path), where the file name starts (after the last "/") and where the extension
// starts (at the last "." of the name; 0 when the name has none).
void SplitPath(const std::string& path, int32_t& nameStart, int32_t& dirStart, int32_t& extStart);
// The absolute, normalised path and its SplitPath positions.
std::string ParsePath(const std::string& path, int32_t& nameStart, int32_t& extStart, int32_t& dirStart);
// A new, empty, uniquely named file in `folder` (empty: the temporary folder) whose name
// starts with `prefix`; returns its full path. Failure raises through MErrors::RaiseWinError.
std::string TempFileName(const std::string& prefix, const std::string& folder);
// The system's temporary folder.
std::string TempPath();
// The folder of the running program.
std::string AppPath();
// Hourglass pointer on while on is true; switching off restores the previous pointer.
void Hourglass(bool on);

// Before a file is opened (mode 2) or saved (mode 1): asks before overwriting, says when
// the file to open is missing; modes 4 and 5 just test that it exists. True to go on.
bool CheckFileName(const std::string& path, int16_t mode);
// Explains file error `number` in a "File Error" box and says what to do: 0 try the step
// again, 1 go on with the next step, 2 stop with what was found so far, 3 give up (raise).
int16_t FileErrorPrompt(int32_t number);

}  // namespace MUtility

#endif
