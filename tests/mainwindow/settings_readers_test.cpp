// Readers of settings.ini compare the number as read: a fraction is no 1 however it rounds.
#include "form1_fixture.h"
#include "common/settings_file.h"

using namespace pellmaris;

namespace {

class SettingsReaders : public form1test::Form1Test {};

TEST_F(SettingsReaders, TheClosePromptAsksUnlessLine22IsExactlyOne)
{
    const std::pair<const char*, bool> cases[] = {{"1.4", true}, {"0.6", true}, {" 1 ", false}, {"1.0", false}};
    for (const auto& [line, asks] : cases) {
        SCOPED_TRACE(line);
        set_line(kHideClosePrompt, line);
        fakes.dialogs->prompts.clear();
        fakes.dialogs->answers = {rt::vbNo};
        const int ends_before = fakes.program_end->calls;
        SendMessageA(form().hWnd(), WM_CLOSE, 0, 0);   // the close box
        EXPECT_EQ(prompts_starting("Are You Sure You Want To Exit?"), asks ? 1 : 0);
        EXPECT_EQ(fakes.program_end->calls - ends_before, asks ? 0 : 1);
    }
}

} // namespace
