#pragma once
// The scanner's two status windows: a strip over the main window's bottom edge and an
// animation window.
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class labelscreen : public rt::Form {
public:
    explicit labelscreen(Program& app);

    rt::Label Label1{*this, "Label1"};   // the drive or folder being searched
    rt::Label Label2{*this, "Label2"};   // the folder or file just found

protected:
    void design() override;
    void Form_Load() override;

private:
    Program& app;
};

class search : public rt::Form {
public:
    explicit search(Program& app);

    rt::Animation Animation1{*this, "Animation1"};
    rt::Label Label1{*this, "Label1"};   // what the scan is doing
    rt::Label Label2{*this, "Label2"};   // the long-time note

protected:
    void design() override;
    void Form_Load() override;

private:
    Program& app;
};

// The clip the animation window plays, in the program folder.
inline constexpr const char* kSearchClipFile = "SEARCH.AVI";

} // namespace pellmaris
