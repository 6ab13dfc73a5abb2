// The own-locations editor: the list of PMuser.lst, adding a folder or a file, removing rows.
#include "mainwindow/Form6.h"
#include <windows.h>
#include "common/file_io.h"
#include "common/paths.h"
#include "app/Program.h"
#include "mainwindow/link_highlight.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/text.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

const char* const kFolderRow = "Clean Folder :";
const char* const kFileRowAfterLoad = "Clean File       :";
const char* const kFileRowAfterRemoval = "Clean File        :";

const char* const kChooseKind = "Select if the [FOLDER] is to be cleaned or the individual [FILE] is to be deleted";
const char* const kChooseFile = "Select the [FILE] to be deleted in the list of files";
const char* const kNeverCleaned =
    "Pellmaris never cleans a drive itself, the Windows, Program Files or user profile folders, its own folder "
    "or files, nor a folder that holds one of them.";
const char* const kListNotSaved = "The Custom Cleaning List could not be saved";
const char* const kListNotRead = "The Custom Cleaning List could not be read";
const char* const kListChanged =
    "The Custom Cleaning List has changed since it was shown, so nothing was removed.\r\n"
    "It now shows the list as it is: select the locations to remove again.";

// A file named in a drive root comes as "E:\\name": one backslash is enough.
std::string collapse_root_backslash(std::string path)
{
    if (path.size() >= 4 && path[2] == '\\' && path[3] == '\\')
        path.erase(3, 1);
    return path;
}

// A folder list names a drive root with its backslash (E:\ ) and other folders without one.
std::string folder_with_backslash(const std::string& folder)
{
    return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

// The full, long form of a folder, without a trailing backslash.
std::wstring full_folder(const std::string& folder)
{
    const std::string full = rt::full_path(folder).value_or(folder);
    std::wstring wide = rt::utf16(rt::long_path(full).value_or(full));
    while (wide.size() > 3 && wide.back() == L'\\')
        wide.pop_back();
    return wide;
}

bool same_text(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The folder itself or any folder below it.
bool lies_in(const std::string& path, const std::string& folder)
{
    const std::wstring inner = full_folder(path), outer = full_folder(folder);
    if (inner.size() < outer.size())
        return false;
    return same_text(inner.substr(0, outer.size()), outer) &&
           (inner.size() == outer.size() || inner[outer.size()] == L'\\');
}

std::string folder_of(const std::string& file_path) { return file_path.substr(0, file_path.find_last_of('\\') + 1); }

std::string refused(const char* what, const std::string& path)
{
    return std::string("This ") + what + " cannot be added to the Custom Cleaning List:\r\n" + path + "\r\n\r\n" +
           kNeverCleaned;
}

void beep_three_times()
{
    for (int i = 0; i < 3; ++i)
        MessageBeep(MB_OK);
}

} // namespace

std::string own_location_refusal(const UserLocation& location, const std::string& program_folder)
{
    // By the kind the user chose: a file entry that names a folder by now is refused.
    if (location.is_folder)
        return may_be_cleaned(location, program_folder) ? "" : refused("folder", location.path);
    const bool wildcards = location.path.find_first_of("*?") != std::string::npos;
    if (wildcards || lies_in(folder_of(location.path), program_folder) || !may_be_cleaned(location, program_folder))
        return refused("file", location.path);
    return "";
}

Form6::Form6(Program& program) : rt::Form(program.sys, "Form6"), app(program)
{
    Drive1.on_change = [this] { Drive1_Change(); };
    Dir1.on_change = [this] { Dir1_Change(); };
    Label1.on_click = [this] { Label1_Click(); };
    Label3.on_click = [this] { Label3_Click(); };
    Label1.on_mouse_move = [this](int b, int s, float x, float y) { Label1_MouseMove(b, s, x, y); };
    Label3.on_mouse_move = [this](int b, int s, float x, float y) { Label3_MouseMove(b, s, x, y); };
}

// ---- the list ----

void Form6::Form_Load()
{
    try {
        Drive1.Drive("C");
    } catch (const rt::RuntimeError&) {
    }
    List1.Clear();
    entry_lines_.clear();
    read_entries(FileLabel::AfterLoad);
}

// A missing or unreadable file leaves the list as far as it was read.
void Form6::read_entries(FileLabel file_label)
{
    const char* file_row = file_label == FileLabel::AfterLoad ? kFileRowAfterLoad : kFileRowAfterRemoval;
    for (const std::string& line : read_user_location_lines(sys().path(kUserLocationsFile))) {
        const bool folder = parse_user_location(line).is_folder;
        add_row(line, (folder ? kFolderRow : file_row) + rt::Mid(line, 2));
    }
}

void Form6::add_row(const std::string& line, const std::string& caption)
{
    List1.AddItem(caption);
    entry_lines_.push_back(line);
}

// ---- add ----

// The folder of Dir1, or the current file of File1 in it; false (after saying why) when
// the choice is incomplete.
bool Form6::chosen_location(UserLocation& location)
{
    if (!Option1.Value() && !Option2.Value()) {
        MsgBox(kChooseKind, rt::vbInformation, rt::AppTitle);
        return false;
    }
    location.is_folder = Option1.Value();
    if (location.is_folder) {
        location.path = folder_with_backslash(Dir1.Path());
        return true;
    }
    const std::string name = File1.FileName();
    if (name.empty()) {
        MsgBox(kChooseFile, rt::vbInformation, rt::AppTitle);
        return false;
    }
    location.path = collapse_root_backslash(Dir1.Path() + "\\" + name);
    return true;
}

// Written first: the row appears only once the entry is in the file.
void Form6::Label1_Click()
{
    UserLocation location;
    if (!chosen_location(location))
        return;
    const std::string refusal = own_location_refusal(location, sys().program_folder);
    if (!refusal.empty()) {
        MsgBox(refusal, rt::vbExclamation, rt::AppTitle);
        return;
    }
    try {
        append_user_location(sys().path(kUserLocationsFile), location);
    } catch (const rt::RuntimeError& e) {
        MsgBox(std::string(kListNotSaved) + " (" + e.description() + ").\r\nThe list stays as it was.",
               rt::vbExclamation, rt::AppTitle);
        return;
    }
    add_row(format_user_location(location),
            std::string(location.is_folder ? kFolderRow : kFileRowAfterLoad) + " " + location.path);
    Option1.Value(false);
    Option2.Value(false);
    beep_three_times();
}

// ---- remove ----

// The kept entries are written as they were read; the list is rebuilt from the file.
void Form6::Label3_Click()
{
    if (!rows_match_file())
        return;
    std::vector<std::string> kept;
    for (long row = 0; row < List1.ListCount(); ++row)
        if (!List1.Selected(row))
            kept.push_back(entry_lines_.at(static_cast<size_t>(row)));
    try {
        write_user_location_lines(sys().path(kUserLocationsFile), kept);
    } catch (const rt::RuntimeError& e) {
        MsgBox(std::string(kListNotSaved) + " (" + e.description() + ").\r\nNothing was removed.",
               rt::vbExclamation, rt::AppTitle);
        return;
    }
    List1.Clear();
    entry_lines_.clear();
    read_entries(FileLabel::AfterRemoval);
}

// A file that could not be read at load, or that changed since, holds entries the rows do
// not show: rewriting it from the rows would drop them. It is shown afresh instead.
bool Form6::rows_match_file()
{
    try {
        if (read_lines_strict(sys().path(kUserLocationsFile)) == entry_lines_)
            return true;
    } catch (const rt::RuntimeError& e) {
        MsgBox(std::string(kListNotRead) + " (" + e.description() + ").\r\nNothing was removed.", rt::vbExclamation,
               rt::AppTitle);
        return false;
    }
    MsgBox(kListChanged, rt::vbExclamation, rt::AppTitle);
    List1.Clear();
    entry_lines_.clear();
    read_entries(FileLabel::AfterLoad);
    return false;
}

// ---- drives and folders ----

// A drive that is not ready is refused; the lists stay on the drive they showed. The
// drive list names drives in lower case; paths carry the letter in upper case.
void Form6::Drive1_Change()
{
    const std::string shown = rt::UCase(rt::Left(Dir1.Path(), 2));
    const std::string chosen = rt::UCase(rt::Left(Drive1.Drive(), 2));
    if (chosen == shown)
        return;
    try {
        Dir1.Path(chosen);
    } catch (const rt::RuntimeError&) {
        MsgBox("Drive " + chosen + " is not ready.", rt::vbExclamation, rt::AppTitle);
        Drive1.Drive(shown);
    }
}

void Form6::Dir1_Change() { File1.Path(Dir1.Path()); }

// ---- closing ----

void Form6::Form_Unload(int& /*cancel*/)
{
    if (List1.ListCount() == 0)
        delete_list_when_empty();
    app.Form3.Show();
}

// Only a file that holds no entries goes: one that could not be read at load stays.
void Form6::delete_list_when_empty()
{
    const std::string path = sys().path(kUserLocationsFile);
    try {
        if (read_lines_strict(path).empty() && rt::file_exists(path))
            rt::kill_file(path);
    } catch (const rt::RuntimeError&) {
    }
}

// ---- highlights ----

void Form6::Label1_MouseMove(int, int, float, float)
{
    highlight_link(Label1);
    normal_link(Label3);
}

void Form6::Label3_MouseMove(int, int, float, float)
{
    normal_link(Label1);
    highlight_link(Label3);
}

void Form6::Form_MouseMove(int, int, float, float)
{
    normal_link(Label1);
    normal_link(Label3);
}

} // namespace pellmaris
