#pragma once
// A small borderless window showing one file's name, location and size; it is as wide as
// its widest value needs.
#include <string>
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class SearchSplash : public rt::Form {
public:
    explicit SearchSplash(Program& app);

    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"};   // headings
    rt::Label Label4{*this, "Label4"}, Label5{*this, "Label5"}, Label6{*this, "Label6"};   // values

    void Label4_Change();
    void Label5_Change();
    void Label6_Change();

    // Shows the file with the shadow beneath: the values first, so that the shadow takes
    // the window's final place and size.
    void show_file(const std::string& name, const std::string& location, const std::string& size);

protected:
    void design() override;

private:
    void fit_width_to(rt::Label& changed, rt::Label& other1, rt::Label& other2);
    Program& app;
    bool designing_ = false;   // design captions are no changes
};

} // namespace pellmaris
