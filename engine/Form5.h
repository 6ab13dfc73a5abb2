#pragma once
// The hidden window that holds the decoded location database, one line per item.
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form5 : public rt::Form {
public:
    explicit Form5(Program& app);

    rt::ListBox List1{*this, "List1"};   // the decoded lines of PMlist.lst

protected:
    void design() override;
};

} // namespace pellmaris
