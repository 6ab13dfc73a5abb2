#pragma once
// The area-selection window and the editor on a whole program of fakes.
#include <string>
#include "form1_fixture.h"
#include "support/user_clicks.h"

namespace areatest {

// pmdb.lst as the window writes it: "[LIST1]", a " d " per area, "[LIST2]", a " d " per option.
inline std::string pmdb(const std::string& areas, const std::string& options)
{
    std::string text = "[LIST1]\r\n";
    for (char c : areas)
        text += std::string(" ") + c + " ";
    text += "\r\n[LIST2]\r\n";
    for (char c : options)
        text += std::string(" ") + c + " ";
    return text;
}

class AreaWindowTest : public form1test::Form1Test {
protected:
    pellmaris::Form3& area() { return app->Form3; }

    // The main window loaded first, as it is whenever the area selection opens.
    void SetUp() override
    {
        Form1Test::SetUp();
        form().Load();
        fakes.dialogs->prompts.clear();
    }

    void pump() { app->sys.DoEvents(); }

    // The selection the window's list holds ("1" selected, "0" not).
    static std::string held(rt::ListBox& list)
    {
        std::string rows;
        for (long i = 0; i < list.ListCount(); ++i)
            rows += list.Selected(i) ? '1' : '0';
        return rows;
    }

    // ADVANCED on the main window, through the click its hover picture carries.
    void open_advanced()
    {
        form().Show();
        form().Picture9.on_mouse_move(0, 0, 60, 60);
        form().Picture10.on_click();
        pump();
    }

    void put_user_locations(const std::string& bytes, const std::string& name = "PMuser.lst")
    {
        testsupport::write_bytes(dir / name, bytes);
    }
};

} // namespace areatest
