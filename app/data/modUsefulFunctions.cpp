#include "modUsefulFunctions.h"

#include "forms/FormsService.h"

namespace modUsefulFunctions {
void Hourglass(bool on) { forms::Forms().SetHourglass(on); }
}  // namespace modUsefulFunctions
