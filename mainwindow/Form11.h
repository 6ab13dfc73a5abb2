#pragma once
// The Windows-tools window: six icons that start maintenance programs of Windows.
#include <string>
#include "common/settings_file.h"
#include "runtime/forms.h"

namespace pellmaris {

class Program;

// The Windows-tools icon size of settings line 14, in twips. A line that holds no usable
// size (no number, less than a twip, or one past the icons' design height, where the two
// rows would cover each other) gives the shipped size.
long tool_icon_size(const Settings& settings);

class Form11 : public rt::Form {
public:
    explicit Form11(Program& app);

    rt::Frame Frame1{*this, "Frame1"};   // "Windows Tools"
    rt::Image Image1{*this, "Image1"}, Image2{*this, "Image2"}, Image3{*this, "Image3"},
        Image4{*this, "Image4"}, Image5{*this, "Image5"}, Image6{*this, "Image6"};

    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();
    void Image6_Click();

protected:
    void design() override;
    void Form_Load() override;

private:
    void start_tool(int index);
    Program& app;
};

} // namespace pellmaris
