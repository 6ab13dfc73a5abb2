#pragma once
// The settings window: the 23 settings of settings.ini, the start-with-Windows value and the
// password of the lock.
#include <string>
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form10 : public rt::Form {
public:
    explicit Form10(Program& app);

    rt::Frame Frame1{*this, "Frame1"};   // "Settings"
    rt::Frame Frame2{*this, "Frame2"};   // icon size and preview
    rt::CheckBox Check1{*this, "Check1"}, Check2{*this, "Check2"}, Check3{*this, "Check3"},
        Check4{*this, "Check4"}, Check5{*this, "Check5"}, Check6{*this, "Check6"}, Check7{*this, "Check7"};
    rt::Slider Slider1{*this, "Slider1"};   // transparency alpha
    rt::OptionButton Option1{*this, "Option1"}, Option2{*this, "Option2"}, Option3{*this, "Option3"},
        Option4{*this, "Option4"};
    rt::CheckBox Check8{*this, "Check8"}, Check9{*this, "Check9"}, Check10{*this, "Check10"},
        Check11{*this, "Check11"};
    rt::Slider Slider2{*this, "Slider2"};   // Windows-tools icon size
    rt::CheckBox Check12{*this, "Check12"}, Check13{*this, "Check13"}, Check14{*this, "Check14"},
        Check15{*this, "Check15"}, Check16{*this, "Check16"}, Check17{*this, "Check17"},
        Check18{*this, "Check18"}, Check19{*this, "Check19"};
    rt::Label Label3{*this, "Label3"};   // "Change Password"
    rt::TextBox Text1{*this, "Text1"};   // the new password
    rt::CommandButton Command3{*this, "Command3"}, Command4{*this, "Command4"};   // Apply, Cancel
    rt::Label Label1{*this, "Label1"}, Label2{*this, "Label2"};
    rt::Image Image1{*this, "Image1"};   // icon preview
    rt::CommandButton Command1{*this, "Command1"}, Command2{*this, "Command2"};   // Ok, Cancel

    // Shows the window, in the classic theme's layout when asked (the main window's own
    // settings label of that theme).
    void open(bool classic_layout);

    void Check4_Click();
    void Check12_Click();
    void Command1_Click();
    void Command2_Click();
    void Label3_Click();
    void Command3_Click();
    void Command4_Click();
    void Slider2_Click();

protected:
    void design() override;
    void Form_Load() override;

private:
    void apply_classic_layout();
    void restore_interval(int choice);
    int interval_choice();
    void save_settings();
    // A slider's line, written back as read unless the user moved the slider: the slider
    // holds a value beyond its ends at the nearer end, and the readers honour such values.
    struct SliderLine {
        std::string as_read;
        bool moved = false;
    };
    std::string slider_line(rt::Slider& slider, const SliderLine& line);
    void apply_startup_value();
    std::string settings_path() const;

    Program& app;
    SliderLine alpha_line_, icon_size_line_;
};

} // namespace pellmaris
