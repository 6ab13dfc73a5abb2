#pragma once
// The analysis results window: the files of one area of the analysis grid in four lists by
// class (plain, read-only, hidden, hidden read-only), each with its count, whether the clean
// option for it is selected, and an "Enlarge" label that shows that list alone until "Back".
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form8 : public rt::Form {
public:
    explicit Form8(Program& app);

    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"}, Label3{*this, "Label3"}, Label4{*this, "Label4"};   // titles
    rt::Label Label5{*this, "Label5"}, Label6{*this, "Label6"}, Label7{*this, "Label7"}, Label8{*this, "Label8"};   // counts
    rt::Label Label9{*this, "Label9"}, Label10{*this, "Label10"}, Label11{*this, "Label11"},
        Label12{*this, "Label12"};   // options
    rt::Label Label13{*this, "Label13"}, Label14{*this, "Label14"}, Label15{*this, "Label15"},
        Label16{*this, "Label16"};   // Enlarge
    rt::Label Label17{*this, "Label17"}, Label18{*this, "Label18"}, Label19{*this, "Label19"},
        Label20{*this, "Label20"};   // Back
    rt::Label Label21{*this, "Label21"}, Label22{*this, "Label22"}, Label23{*this, "Label23"},
        Label24{*this, "Label24"};   // markers: visible while their row is enlarged
    rt::ListBox List1{*this, "List1"}, List2{*this, "List2"}, List3{*this, "List3"}, List4{*this, "List4"};

    void Label13_Click(); void Label14_Click(); void Label15_Click(); void Label16_Click();
    void Label17_Click(); void Label18_Click(); void Label19_Click(); void Label20_Click();

protected:
    void design() override;
    void Form_Load() override;
    void Form_Resize() override;

private:
    // The controls of one row (1 to 4).
    struct Row {
        rt::ListBox& list;
        rt::Label &title, &count, &option, &enlarge, &back, &marker;
    };
    Row row(int r);
    void enlarge(int r);
    void back(int r);
    bool any_row_enlarged();

    Program& app;
};

} // namespace pellmaris
