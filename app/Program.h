#pragma once
// One run of Pellmaris: the system services and every window, each a single instance.
#include <memory>
#include "runtime/system.h"
#include "analysis/Form7.h"
#include "analysis/Form8.h"
#include "engine/Form2.h"
#include "engine/Form4.h"
#include "engine/Form5.h"
#include "engine/Form9.h"
#include "engine/frmSplash.h"
#include "mainwindow/Form1.h"
#include "mainwindow/Form3.h"
#include "mainwindow/Form6.h"
#include "tools/Form12.h"
#include "tools/Form12_status.h"
#include "tools/Form13.h"
#include "mainwindow/Form10.h"
#include "mainwindow/Form11.h"
#include "mainwindow/Form14.h"
#include "mainwindow/Form15.h"
#include "mainwindow/info1.h"
#include "tools/FormSearch.h"
#include "tools/FrmShadow.h"
#include "tools/SearchSplash.h"

namespace pellmaris {

class Program {
public:
    // Takes the system services to use (tests pass fakes); null means the real ones.
    explicit Program(std::unique_ptr<rt::System> system = nullptr);
    ~Program();

    // Loads the start-up window, which runs the start-up sequence and shows itself.
    void start();
    // Ends the process, from whichever window ends it: what an open area selection holds is
    // saved as its own closing would save it, and a running search's batch is ended.
    void end();

private:
    std::unique_ptr<rt::System> system_;

public:
    rt::System& sys;
    // The hidden string stores come first: the windows that follow use them.
    Form5 Form5;
    Form4 Form4;
    Form2 Form2;
    Form9 Form9;
    Form1 Form1;
    Form3 Form3;
    Form6 Form6;
    Form10 Form10;
    Form11 Form11;
    Form14 Form14;
    Form15 Form15;
    info1 info1;
    Form8 Form8;
    Form7 Form7;
    frmSplash frmSplash;
    Form13 Form13;
    // The zero-length scanner and its status windows.
    labelscreen labelscreen;
    search search;
    Form12 Form12;
    FormSearch FormSearch;
    SearchSplash SearchSplash;
    FrmShadow FrmShadow;
};

// Starts the program through its start-up window and runs the message loop.
int run_program();

} // namespace pellmaris
