#ifndef MDEBUG_H
#define MDEBUG_H
// The debug trace: messages meant for the developer, never shown to the user.
#include <string>

namespace MDebug {
inline void DebugTrace(bool /*flag*/, const std::string& /*text*/) {}
}  // namespace MDebug

#endif
