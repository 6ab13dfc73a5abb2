#pragma once
// The search window of a whole program on recording fakes, its program folder a scratch folder,
// driven as a user drives it: clicks on buttons and list rows, the close box, the message loop.
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "app/Program.h"
#include "support/fakes.h"
#include "support/scratch.h"
#include "support/user_clicks.h"

namespace searchtest {

class SearchTest : public testing::Test {
protected:
    testsupport::ScratchDir dir;
    testsupport::Fakes fakes;
    std::string folder;
    std::unique_ptr<pellmaris::Program> app;

    void SetUp() override { start_in(dir.path()); }

    // A new program whose folder is the given one.
    void start_in(const std::string& program_folder)
    {
        app.reset();
        folder = program_folder;
        app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(folder, fakes));
    }

    pellmaris::FormSearch& form() { return app->FormSearch; }
    std::string file(const std::string& name) const { return folder + "\\" + name; }

    void pump_for(int ms)
    {
        const DWORD end = GetTickCount() + ms;
        while (GetTickCount() < end) {
            app->sys.DoEvents();
            Sleep(5);
        }
    }

    bool pump_until(const std::function<bool()>& done, int ms)
    {
        const DWORD end = GetTickCount() + ms;
        while (!done()) {
            if (GetTickCount() > end)
                return false;
            app->sys.DoEvents();
            Sleep(5);
        }
        return true;
    }

    // Waits for the search's end. A search for zero length files then opens the scanner,
    // which would walk every drive of the test prefix (the build tree P: too): it is closed
    // before its first tick.
    bool wait_until_finished(int ms = 5000)
    {
        if (!pump_until([&] { return form().search_state == 3; }, ms))
            return false;
        scanner_opened = app->Form12.is_loaded() && IsWindowVisible(app->Form12.hWnd());
        app->Form12.Unload();
        return true;
    }
    bool scanner_opened = false;

    // Clicks the button as the mouse would; a disabled button takes no click.
    bool click(rt::CommandButton& button)
    {
        if (!IsWindowEnabled(button.hWnd()))
            return false;
        testsupport::click_button(button);
        return true;
    }

    // A click on a row of a multi-selection list turns its selection over.
    static void click_row(rt::ListBox& list, long row) { testsupport::click_row(list, row); }

    void click_rows(rt::ListBox& list, const std::vector<std::string>& texts)
    {
        for (const auto& text : texts)
            click_row(list, row_of(list, text));
    }

    void close_box() { SendMessageA(form().hWnd(), WM_CLOSE, 0, 0); }

    static long row_of(rt::ListBox& list, const std::string& text)
    {
        for (long i = 0; i < list.ListCount(); ++i)
            if (list.List(i) == text)
                return i;
        ADD_FAILURE() << "no row " << text;
        return -1;
    }

    static std::vector<std::string> rows(rt::ListBox& list)
    {
        std::vector<std::string> all;
        for (long i = 0; i < list.ListCount(); ++i)
            all.push_back(list.List(i));
        return all;
    }

    static std::vector<long> selected(rt::ListBox& list)
    {
        std::vector<long> found;
        for (long i = 0; i < list.ListCount(); ++i)
            if (list.Selected(i))
                found.push_back(i);
        return found;
    }

    // The names of the controls that a user can use now.
    std::vector<std::string> enabled_controls()
    {
        std::vector<std::string> names;
        for (rt::Control* c : form().screen_controls())
            if (c->Enabled())
                names.push_back(c->Name());
        return names;
    }

    std::vector<long> tops()
    {
        std::vector<long> all;
        for (rt::Control* c : form().screen_controls())
            all.push_back(c->Top());
        return all;
    }

    std::vector<std::string> prompt_texts() const
    {
        std::vector<std::string> texts;
        for (const auto& p : fakes.dialogs->prompts)
            texts.push_back(p.text);
        return texts;
    }
};

} // namespace searchtest
