#ifndef VBERROR_H
#define VBERROR_H
// The one error type of the program: what the original runtime called a raised error,
// carrying its number, source and description. Component errors are numbered from
// vbObjectError; the runtime's own numbers (6 overflow, 9 subscript, 11 division by
// zero, 13 type mismatch, 53 file not found, ...) are used as they are.
#include <cstdint>
#include <stdexcept>
#include <string>

inline constexpr int32_t vbObjectError = static_cast<int32_t>(0x80040000u);

class VbError : public std::runtime_error {
public:
    VbError(int32_t number, std::string source, std::string description,
            std::string helpFile = {}, int32_t helpContext = 0)
        : std::runtime_error(description), Number(number), Source(std::move(source)),
          Description(std::move(description)), HelpFile(std::move(helpFile)),
          HelpContext(helpContext) {}

    int32_t Number;
    std::string Source;
    std::string Description;
    std::string HelpFile;
    int32_t HelpContext;
};

// An error caught as a std::exception, as the program's one error type: a VbError as it
// stands, anything else as the unidentified error (vbObjectError + 2251) of `source`.
inline VbError AsVbError(const std::exception& e, const std::string& source) {
    if (const auto* err = dynamic_cast<const VbError*>(&e)) return *err;
    return VbError(vbObjectError + 2251, source, e.what());
}

#endif
