#pragma once
// The run-time error number a call raises, or 0 when it raises none.
#include <functional>
#include "runtime/errors.h"

inline int error_of(const std::function<void()>& call)
{
    try {
        call();
    } catch (const rt::RuntimeError& e) {
        return e.number();
    }
    return 0;
}
