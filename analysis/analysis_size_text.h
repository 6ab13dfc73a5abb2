#pragma once
// A byte count as the analysis grid shows it: "#0 Bytes", or "#.0 KB" / "#.0 MB" once it
// passes 1024 (there is no larger unit; a negative count stays in bytes).
#include <string>

namespace pellmaris {

std::string analysis_size_text(double bytes);

} // namespace pellmaris
