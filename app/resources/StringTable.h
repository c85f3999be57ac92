#ifndef STRINGTABLE_H
#define STRINGTABLE_H
// The program's interface texts, addressed by number (LangBase + id).
#include <cstdint>
#include <string>

namespace res {
// The text of string `id`; raises error 326 when there is none.
std::string LoadResString(int32_t id);
bool HasResString(int32_t id);
}  // namespace res

#endif
