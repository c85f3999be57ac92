#ifndef VORN_TESTS_ERRORNUMBER_H
#define VORN_TESTS_ERRORNUMBER_H

#include <cstdint>

#include "vb/VbError.h"

namespace testsupport {

// The number of the VbError a call raises, or 0 when it raises none.
template <typename F>
int32_t ErrorNumberOf(F&& call) {
    try {
        call();
    } catch (const VbError& e) {
        return e.Number;
    }
    return 0;
}

}  // namespace testsupport

#endif
