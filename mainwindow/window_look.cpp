#include "mainwindow/window_look.h"
#include "runtime/errors.h"

namespace pellmaris::look {

namespace {

const char* const kFont = "Tahoma";

} // namespace

void window(rt::Form& form, const char* background_resource)
{
    form.BackColor(kWindowBack);
    form.SetIcon("1");
    form.LoadResourcePicture(background_resource);
}

void text(rt::Label& label, const std::string& caption)
{
    label.Caption(caption);
    label.Transparent(true);
    label.ForeColor(kInk);
    label.Font(kFont, 8);
}

void link(rt::Label& label, const std::string& caption, const std::string& tip)
{
    text(label, caption);
    label.ForeColor(kLink);
    label.FontBold(true);
    label.ToolTipText(tip);
}

void skin_picture(rt::Form& form, const std::string& path)
{
    try {
        form.LoadPicture(path);
    } catch (const rt::RuntimeError&) {
    }
}

} // namespace pellmaris::look
