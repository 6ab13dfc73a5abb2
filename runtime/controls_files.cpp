// Drive, folder and file list boxes. Their lists are read from the file system on demand;
// a drive that is not ready raises 68 (the process has critical-error dialogs off).
#include <algorithm>
#include <cctype>
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/forms.h"
#include "runtime/forms_internal.h"

namespace rt {

namespace {

std::string lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool same_text(const std::string& a, const std::string& b) { return lower(a) == lower(b); }

void sort_names(std::vector<std::string>& names)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
}

// "c:" and " [label]" for a fixed drive with a label.
std::string drive_text(char letter)
{
    std::string text = std::string(1, static_cast<char>(std::tolower(letter))) + ":";
    const std::string label = fixed_drive_label(letter);
    return label.empty() ? text : text + " [" + label + "]";
}

std::vector<std::string> drive_texts()
{
    std::vector<std::string> texts;
    for (char letter = 'a'; letter <= 'z'; ++letter)
        if (drive_present(letter))
            texts.push_back(drive_text(letter));
    return texts;
}

char current_drive()
{
    std::string path = rt::current_folder();
    if (path.size() < 2 || path[1] != ':' || !drive_present(path[0]))
        path = System::exe_folder();
    return static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
}

bool is_folder(const std::string& path)
{
    try {
        return (get_attr(path) & attrDirectory) != 0;
    } catch (const RuntimeError&) {
        return false;
    }
}

// Full path of a folder without a trailing backslash (but "c:\" for a root); raises 76,
// or 68 for a drive that is not ready.
std::string existing_folder(const std::string& path)
{
    const std::optional<std::string> full = full_path(path);
    if (!full)
        raise(errPathNotFound);
    std::string result = *full;
    if (result.size() > 3 && result.back() == '\\')
        result.pop_back();
    if (!is_folder(result))
        raise(result.size() >= 2 && result[1] == ':' && drive_not_ready(result[0]) ? errDeviceUnavailable
                                                                                    : errPathNotFound);
    return result;
}

std::string join(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

// The current folder, or the program's own when the current one is gone or unreachable.
std::string current_or_program_folder()
{
    const std::string dir = rt::current_folder();
    if (!dir.empty() && is_folder(dir))
        return existing_folder(dir);
    return existing_folder(folder_path(System::exe_folder()));
}

// Fills a plain list box window with the rows and selects one (-1 none).
void fill_list(HWND hwnd, const std::vector<std::string>& rows, long selected)
{
    if (!hwnd)
        return;
    SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
    SendMessageW(hwnd, LB_RESETCONTENT, 0, 0);
    for (const std::string& row : rows)
        SendMessageW(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide_text(row).c_str()));
    SendMessageW(hwnd, LB_SETCURSEL, selected, 0);
    SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

// The entries of a folder that match the pattern, "." and ".." left out; a folder that
// cannot be read lists nothing.
template <class F> void find_entries(const std::string& folder, const std::string& pattern, F&& each)
{
    std::vector<DirEntry> entries;
    try {
        entries = list_dir(join(folder, pattern), attrReadOnly | attrHidden | attrSystem | attrDirectory);
    } catch (const RuntimeError&) {
        return;
    }
    for (const DirEntry& entry : entries)
        if (entry.name != "." && entry.name != "..")
            each(entry.name, entry.attributes);
}

constexpr DWORD kListBoxStyle = WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;

} // namespace

// ---- DriveListBox ----

void DriveListBox::create_window(HWND parent)
{
    create_child(parent, "COMBOBOX", nullptr, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP);
    fill_window();
}

void DriveListBox::reset()
{
    Control::reset();
    drive_.clear();
}

void DriveListBox::fill_window()
{
    if (!hwnd_)
        return;
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> texts = drive_texts();
    std::string current = Drive();
    for (size_t i = 0; i < texts.size(); ++i) {
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide_text(texts[i]).c_str()));
        if (texts[i] == current)
            SendMessageW(hwnd_, CB_SETCURSEL, i, 0);
    }
}

std::string DriveListBox::Drive()
{
    touch();
    return drive_text(drive_.empty() ? current_drive() : drive_[0]);
}

void DriveListBox::Drive(const std::string& d)
{
    touch();
    if (d.empty() || !drive_reachable(d[0]))
        raise(errDeviceUnavailable);
    char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(d[0])));
    char before = drive_.empty() ? current_drive() : drive_[0];
    drive_ = std::string(1, letter) + ":";
    fill_window();
    if (before != letter)
        raise_from_code(on_change);
}

long DriveListBox::ListCount()
{
    touch();
    return static_cast<long>(drive_texts().size());
}

std::string DriveListBox::List(long i)
{
    touch();
    std::vector<std::string> texts = drive_texts();
    return i >= 0 && i < static_cast<long>(texts.size()) ? texts[static_cast<size_t>(i)] : std::string();
}

bool DriveListBox::handle_command(WPARAM wp, LPARAM)
{
    if (HIWORD(wp) != CBN_SELCHANGE)
        return false;
    long row = static_cast<long>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
    std::string chosen = List(row);
    raise_event([this, chosen] {
        try {
            Drive(chosen);
        } catch (...) {
            fill_window();   // back to the drive that was chosen before
            throw;
        }
    });
    return true;
}

// ---- DirListBox: row 0 is the folder itself, then its sub-folders ----

void DirListBox::create_window(HWND parent)
{
    create_child(parent, "LISTBOX", nullptr, kListBoxStyle, WS_EX_CLIENTEDGE);
    fill_window();
}

void DirListBox::reset()
{
    Control::reset();
    path_.clear();
    folders_.clear();
    list_index_ = -1;
}

void DirListBox::read_folder()
{
    if (path_.empty())
        path_ = current_or_program_folder();
    folders_.clear();
    find_entries(path_, "*", [this](const std::string& name, DWORD attributes) {
        if (attributes & attrDirectory)
            folders_.push_back(name);
    });
    sort_names(folders_);
}

void DirListBox::fill_window()
{
    if (!hwnd_)
        return;
    if (path_.empty())
        read_folder();
    std::vector<std::string> rows{path_};
    for (const std::string& f : folders_)
        rows.push_back("   " + f);
    fill_list(hwnd_, rows, list_index_ + 1);
}

std::string DirListBox::Path()
{
    touch();
    if (path_.empty())
        read_folder();
    return path_;
}

void DirListBox::Path(const std::string& p)
{
    touch();
    std::string full = existing_folder(p);
    bool changed = !same_text(full, Path());
    path_ = full;
    list_index_ = -1;
    read_folder();
    fill_window();
    if (changed)
        raise_from_code(on_change);
}

long DirListBox::ListCount()
{
    touch();
    if (path_.empty())
        read_folder();
    return static_cast<long>(folders_.size());
}

// 0.. the sub-folders; -1 the folder itself, -2 its parent and so on.
std::string DirListBox::List(long i)
{
    touch();
    std::string path = Path();
    if (i >= 0)
        return i < static_cast<long>(folders_.size()) ? join(path, folders_[static_cast<size_t>(i)]) : std::string();
    for (long up = -1; up > i; --up) {
        size_t slash = path.find_last_of('\\');
        if (slash == std::string::npos || path.size() <= 3)
            return {};
        path = slash <= 2 ? path.substr(0, 3) : path.substr(0, slash);
    }
    return path;
}

long DirListBox::ListIndex()
{
    touch();
    return list_index_;
}

void DirListBox::ListIndex(long i)
{
    touch();
    if (i < -1 || i >= ListCount())
        raise(errInvalidProperty);
    list_index_ = i;
    if (hwnd_)
        SendMessageW(hwnd_, LB_SETCURSEL, i + 1, 0);
}

bool DirListBox::handle_command(WPARAM wp, LPARAM)
{
    long row = hwnd_ ? static_cast<long>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)) : -1;
    switch (HIWORD(wp)) {
    case LBN_SELCHANGE:
        list_index_ = row - 1;
        raise_event(on_click);
        return true;
    case LBN_DBLCLK:
        open_row(row);
        return true;
    default: return false;
    }
}

// Row 0 is the folder itself: opening it goes up to its parent.
void DirListBox::open_row(long row)
{
    std::string target = row <= 0 ? List(-2) : List(row - 1);
    if (!target.empty())
        raise_event([this, target] { Path(target); });
}

bool DirListBox::own_key(UINT virtual_key)
{
    if (virtual_key != VK_RETURN)
        return false;
    const long row = hwnd_ ? static_cast<long>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)) : -1;
    if (row >= 0)
        open_row(row);
    return true;
}

// ---- FileListBox ----

void FileListBox::create_window(HWND parent)
{
    create_child(parent, "LISTBOX", nullptr, kListBoxStyle, WS_EX_CLIENTEDGE);
    fill_window();
}

void FileListBox::reset()
{
    Control::reset();
    path_.clear();
    pattern_ = "*.*";
    hidden_ = system_ = false;
    files_.clear();
    selected_.clear();
    list_index_ = -1;
}

// Normal, archive and read-only files; hidden and system files only when asked for.
void FileListBox::read_folder()
{
    if (path_.empty())
        path_ = current_or_program_folder();
    DWORD left_out = attrDirectory;
    if (!hidden_)
        left_out |= attrHidden;
    if (!system_)
        left_out |= attrSystem;
    files_.clear();
    size_t start = 0;
    while (start <= pattern_.size()) {
        size_t end = pattern_.find(';', start);
        std::string one = pattern_.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!one.empty())
            find_entries(path_, one, [this, left_out](const std::string& name, DWORD attributes) {
                if (!(attributes & left_out) &&
                    std::find(files_.begin(), files_.end(), name) == files_.end())
                    files_.push_back(name);
            });
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    sort_names(files_);
    selected_.assign(files_.size(), 0);
    list_index_ = -1;
}

void FileListBox::fill_window()
{
    if (!hwnd_)
        return;
    if (path_.empty())
        read_folder();
    fill_list(hwnd_, files_, list_index_);
}

std::string FileListBox::Path()
{
    touch();
    if (path_.empty())
        read_folder();
    return path_;
}

void FileListBox::Path(const std::string& p)
{
    touch();
    std::string full = existing_folder(p);
    bool changed = !same_text(full, Path());
    path_ = full;
    read_folder();
    fill_window();
    if (changed)
        raise_from_code(on_change);
}

bool FileListBox::Hidden()
{
    touch();
    return hidden_;
}

void FileListBox::Hidden(bool h)
{
    touch();
    hidden_ = h;
    Refresh();
}

bool FileListBox::System()
{
    touch();
    return system_;
}

void FileListBox::System(bool s)
{
    touch();
    system_ = s;
    Refresh();
}

std::string FileListBox::Pattern()
{
    touch();
    return pattern_;
}

void FileListBox::Pattern(const std::string& p)
{
    touch();
    pattern_ = p.empty() ? "*.*" : p;
    read_folder();
    fill_window();
}

std::string FileListBox::FileName()
{
    touch();
    return list_index_ >= 0 && list_index_ < static_cast<long>(files_.size()) ? files_[static_cast<size_t>(list_index_)]
                                                                              : std::string();
}

void FileListBox::FileName(const std::string& f)
{
    touch();
    if (f.find_first_of("*?") != std::string::npos) {
        Pattern(f);
        return;
    }
    std::string name = f;
    size_t slash = f.find_last_of('\\');
    if (slash != std::string::npos) {
        Path(slash <= 2 ? f.substr(0, slash + 1) : f.substr(0, slash));
        name = f.substr(slash + 1);
    }
    for (size_t i = 0; i < files_.size(); ++i)
        if (same_text(files_[i], name))
            ListIndex(static_cast<long>(i));
}

long FileListBox::ListCount()
{
    touch();
    if (path_.empty())
        read_folder();
    return static_cast<long>(files_.size());
}

std::string FileListBox::List(long i)
{
    touch();
    if (path_.empty())
        read_folder();
    return i >= 0 && i < static_cast<long>(files_.size()) ? files_[static_cast<size_t>(i)] : std::string();
}

long FileListBox::ListIndex()
{
    touch();
    return list_index_;
}

void FileListBox::ListIndex(long i)
{
    touch();
    if (i < -1 || i >= ListCount())
        raise(errInvalidProperty);
    list_index_ = i;
    if (hwnd_)
        SendMessageW(hwnd_, LB_SETCURSEL, i, 0);
}

bool FileListBox::Selected(long i)
{
    touch();
    if (i < 0 || i >= ListCount())
        raise(errInvalidIndex);
    return i == list_index_;
}

void FileListBox::Selected(long i, bool s)
{
    touch();
    if (i < 0 || i >= ListCount())
        raise(errInvalidIndex);
    if (s)
        ListIndex(i);
    else if (i == list_index_)
        ListIndex(-1);
}

void FileListBox::Refresh()
{
    touch();
    read_folder();
    fill_window();
}

bool FileListBox::handle_command(WPARAM wp, LPARAM)
{
    if (HIWORD(wp) != LBN_SELCHANGE)
        return false;
    list_index_ = static_cast<long>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0));
    raise_event(on_click);
    return true;
}

} // namespace rt
