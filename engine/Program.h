#pragma once
// One run of Pellmaris: the system services and every window, each a single instance.
#include <memory>
#include "runtime/system.h"
#include "mainwindow/Form1.h"

namespace pellmaris {

class Program {
public:
    // Takes the system services to use (tests pass fakes); null means the real ones.
    explicit Program(std::unique_ptr<rt::System> system = nullptr);
    ~Program();

private:
    std::unique_ptr<rt::System> system_;

public:
    rt::System& sys;
    Form1 Form1;
};

// Starts the program through its start-up window and runs the message loop.
int run_program();

} // namespace pellmaris
