#pragma once
// The engine's hidden work lists: file names, their sizes, failed paths and the walked folders.
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form4 : public rt::Form {
public:
    explicit Form4(Program& app);

    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"},
        Label4{*this, "Label4"};
    rt::ListBox List1{*this, "List1"};   // FILENAME
    rt::ListBox List2{*this, "List2"};   // SIZE IN BYTES
    rt::ListBox List3{*this, "List3"};   // EXCEPTIONS LIST
    rt::ListBox List4{*this, "List4"};   // SUB FOLDERS
    rt::ProgressBar ProgressBar1{*this, "ProgressBar1"};

protected:
    void design() override;

private:
    Program& app;
};

} // namespace pellmaris
