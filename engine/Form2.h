#pragma once
// The report window: the lines of the last clean the user started.
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form2 : public rt::Form {
public:
    explicit Form2(Program& app);

    rt::ListBox List1{*this, "List1"};   // the report
    rt::ListBox List2{*this, "List2"};   // emptied by every clean, never filled; lies below the client area

protected:
    void design() override;
    void Form_Unload(int& cancel) override;

private:
    Program& app;
};

} // namespace pellmaris
