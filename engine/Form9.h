#pragma once
// The result window of a scheduled full clean; it closes itself after nine seconds.
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form9 : public rt::Form {
public:
    explicit Form9(Program& app);

    rt::Label Label3{*this, "Label3"};   // "Schedule Clean Results"
    rt::Label Label1{*this, "Label1"};   // files removed
    rt::Label Label2{*this, "Label2"};   // space freed
    rt::Label Label4{*this, "Label4"};   // "X"
    rt::Timer Timer1{*this, "Timer1"};

    void Label4_Click();
    void Timer1_Timer();

protected:
    void design() override;
    void Form_Load() override;

private:
    Program& app;
};

} // namespace pellmaris
