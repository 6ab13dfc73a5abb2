#pragma once
// The system status window: physical memory, the running programs (any of which can be
// ended) and the space of a chosen drive, in three frames that a scroll bar moves.
#include <cstdint>
#include <string>
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form13 : public rt::Form {
public:
    explicit Form13(Program& app);

    rt::VScrollBar VScroll1{*this, "VScroll1"};
    rt::Frame Frame1{*this, "Frame1"};            // "Hard Drive Space"
    rt::Label Label3{*this, "Label3"};            // the drive's space
    rt::DriveListBox Drive1{*this, "Drive1"};
    rt::Frame Frame2{*this, "Frame2"};            // "System Memory"
    rt::Label Label1{*this, "Label1"};            // total memory
    rt::Label Label2{*this, "Label2"};            // available memory
    rt::Frame Frame3{*this, "Frame3"};            // "Running Programs"
    rt::ListBox List1{*this, "List1"};            // executable names of the running processes
    rt::CommandButton Command1{*this, "Command1"};   // "Kill Process"
    // The banner; painted over the frames (declared after them), which scroll beneath it.
    rt::PictureBox Picture1{*this, "Picture1"};

    int16_t last_scroll_value = 0;

    void Drive1_Change();
    void Command1_Click();
    void VScroll1_Change();
    void VScroll1_Scroll();
    void scroll_frames();

protected:
    void design() override;
    void Form_Load() override;

private:
    void show_memory();
    void list_processes();
    void show_drive_space();
    // Ends every process of that name through taskkill; true when taskkill says it did.
    bool end_processes_named(const std::string& name);
    void remove_rows_named(const std::string& name);

    class KillWait {
    public:
        explicit KillWait(Form13& window);
        ~KillWait();
        KillWait(const KillWait&) = delete;
        KillWait& operator=(const KillWait&) = delete;

    private:
        Form13& window_;
        HWND focus_;
    };

    Program& app;
    bool kill_running_ = false;
};

// Digits grouped in threes with the separator: 1000204886016 and "," give "1,000,204,886,016".
std::string grouped_digits(uint64_t n, const std::string& separator);
// The user's locale's thousands separator.
std::string thousands_separator();

// How long Kill Process waits for taskkill's answer.
inline constexpr unsigned long kTaskkillWaitMs = 5000;

} // namespace pellmaris
