#pragma once
// The own-locations editor: folders to empty and single files to delete, kept in PMuser.lst.
#include <string>
#include <vector>
#include "common/user_locations.h"
#include "runtime/forms.h"

namespace pellmaris {

class Program;

class Form6 : public rt::Form {
public:
    explicit Form6(Program& app);

    rt::DriveListBox Drive1{*this, "Drive1"};
    rt::DirListBox Dir1{*this, "Dir1"};
    rt::FileListBox File1{*this, "File1"};
    rt::OptionButton Option1{*this, "Option1"};   // "Clean Folder"
    rt::OptionButton Option2{*this, "Option2"};   // "Clean File Only"
    rt::Label Label1{*this, "Label1"};            // add
    rt::Label Label3{*this, "Label3"};            // remove the selected rows
    rt::Label Label2{*this, "Label2"};            // "USER Own Locations"
    rt::ListBox List1{*this, "List1"};            // one row per entry of PMuser.lst

    void Drive1_Change();
    void Dir1_Change();
    void Label1_Click();
    void Label3_Click();
    void Label1_MouseMove(int button, int shift, float x, float y);
    void Label3_MouseMove(int button, int shift, float x, float y);
    void Form_MouseMove(int button, int shift, float x, float y) override;

protected:
    void design() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    // The row caption of a file entry: as loaded or added, and as reloaded after a removal.
    enum class FileLabel { AfterLoad, AfterRemoval };
    void read_entries(FileLabel file_label);
    void add_row(const std::string& line, const std::string& caption);
    bool chosen_location(UserLocation& location);
    bool rows_match_file();
    void delete_list_when_empty();

    Program& app;
    // The lines of PMuser.lst behind the rows, as read, one per row.
    std::vector<std::string> entry_lines_;
};

// Why the editor refuses a location (a message for the user), or "" when it takes it.
std::string own_location_refusal(const UserLocation& location, const std::string& program_folder);

} // namespace pellmaris
