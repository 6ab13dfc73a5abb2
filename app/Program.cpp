#include "app/Program.h"

namespace pellmaris {

namespace {

std::unique_ptr<rt::System> real_system_unless(std::unique_ptr<rt::System> system)
{
    return system ? std::move(system) : std::make_unique<rt::System>();
}

} // namespace

Program::Program(std::unique_ptr<rt::System> system)
    : system_(real_system_unless(std::move(system))),
      sys(*system_),
      Form5(*this),
      Form4(*this),
      Form2(*this),
      Form9(*this),
      Form1(*this),
      Form3(*this),
      Form6(*this),
      Form10(*this),
      Form11(*this),
      Form14(*this),
      Form15(*this),
      info1(*this),
      Form8(*this),
      Form7(*this),
      frmSplash(*this),
      Form13(*this),
      labelscreen(*this),
      search(*this),
      Form12(*this),
      FormSearch(*this),
      SearchSplash(*this),
      FrmShadow(*this)
{
}

Program::~Program() = default;

void Program::start() { frmSplash.start(); }

// The process ends without unloading its windows: their closing would not run.
void Program::end()
{
    if (Form3.is_loaded())
        Form3.write_area_options_file();
    FormSearch.end_batch();
    sys.End();
}

int run_program()
{
    rt::start_ui();
    int exit_code = 0;
    {
        Program program;
        program.start();
        exit_code = rt::run_message_loop();
    }
    rt::stop_ui();
    return exit_code;
}

} // namespace pellmaris
