#include "engine/Program.h"

namespace pellmaris {

int run_program() { return 0; }

} // namespace pellmaris
