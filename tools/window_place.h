#pragma once
// Where the tool windows open.
#include "runtime/forms.h"

namespace pellmaris {

// In the middle of the screen's work area.
void centre_on_screen(rt::Form& form);

} // namespace pellmaris
