#ifndef HANDLERGUARD_H
#define HANDLERGUARD_H
// Form event handlers run through RunHandler, so no error leaves one: a raised error
// (VbError) is shown with its description in an exclamation box titled "Vorn 5.0", any
// other in a critical box.
#include <functional>

namespace forms {

void RunHandler(const std::function<void()>& handler);

}  // namespace forms

#endif
