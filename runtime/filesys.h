#pragma once
// The file system as the program's procedures use it. Paths and names are UTF-8; every
// call goes to the W functions through wide_path, so long paths and names Windows allows
// but the plain form cannot reach (a trailing dot or blank, "CON") work as they are.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace rt {

enum Attr : uint32_t {
    attrNormal = 0,
    attrReadOnly = 1,
    attrHidden = 2,
    attrSystem = 4,
    attrDirectory = 16,
    attrArchive = 32,
    attrReparsePoint = 1024,
    attrNotContentIndexed = 8192,
};

struct DirEntry {
    std::string name;        // bare name as listed; check is_usable before joining it to a path
    uint32_t attributes = 0;
    int64_t length = 0;      // 0 for folders
    bool exact_name = true;  // false: the name has no exact UTF-8 form (shown with U+FFFD)
};

// The form handed to the W functions, built here only: "\\?\C:\..." or "\\?\UNC\server\share\...".
// "/" counts as "\", doubled "\" as one, "." and ".." steps are resolved as text; a trailing "\"
// and the trailing dots and blanks of names are kept. A path that is not fully qualified is
// first made full against the current folder. "\\?\" and "\\.\" paths pass unchanged.
std::wstring wide_path(const std::string& path);

// A name that may be used as one step of a path: not empty, not "." or "..", and without
// "\", "/", ":" or a control character.
bool is_plain_name(const std::string& name);
// A listed entry whose name is a plain name with an exact UTF-8 form.
bool is_usable(const DirEntry& entry);

// Entries of the pattern whose read-only, hidden, system and directory bits all lie
// within the mask (the archive bit never matters). A pattern ending in "\" lists the
// folder's entries. A path that does not exist lists nothing, without error.
// "." and ".." are returned as the platform returns them.
std::vector<DirEntry> list_dir(const std::string& pattern, uint32_t mask);
// The first name of list_dir, or "" (the existence probe of one exact path).
std::string dir_first(const std::string& pattern, uint32_t mask);

struct FileFacts {
    uint32_t attributes = 0;
    int64_t length = 0;   // 0 for folders
};
// Attributes and length of a file or folder in one call; nothing when it does not exist.
std::optional<FileFacts> file_facts(const std::string& path);

uint32_t get_attr(const std::string& path);           // raises 53/76
void set_attr(const std::string& path, uint32_t attributes);
int64_t file_len(const std::string& path);            // raises 53
// Deletes one exact file (no wildcards). Refuses a file carrying the read-only (75),
// hidden or system (53) attribute, as the program's attribute policy relies on.
void kill_file(const std::string& path);
void remove_dir(const std::string& path);             // empty folders only; raises 75
void make_dir(const std::string& path);
void change_drive(const std::string& drive);          // raises 68/71 for a drive not ready
bool file_exists(const std::string& path);            // a file, not a folder
bool path_exists(const std::string& path);            // a file or folder

// Replaces `to` with `from` in one step (written through); raises on failure.
void replace_file(const std::string& from, const std::string& to);
// Writes `bytes` as a new plain file in place of the old one, which is deleted first (with the
// rules of delete_file_at; a hidden one may be). A link or a folder at the path is refused (75):
// a link is never written through, nor removed. The path must be fully qualified (52).
void write_new_file(const std::string& path, const std::string& bytes);

// The one way a file is opened for writing: the file at the path itself, opened as it is (or
// created when there is none, `only_new`: created only), never through a link in its place.
// The opened file must be a plain, writable file with one name, whose final path is its
// folder's final path and its own name; anything else (a link, a folder, a read-only file, a
// hard link, a file that opens elsewhere) is refused with 75 before a byte is written or cut.
// Returns the handle (GENERIC_WRITE, others may read); the caller closes it.
void* open_file_for_writing(const std::string& path, bool only_new = false);
// Raises 75 when what is at the path could not be written in place by open_file_for_writing;
// nothing there is no failure.
void require_writable_in_place(const std::string& path);

// The folder part of a file's path, with its final "\", and its name; 53 when it names no file.
std::pair<std::string, std::string> folder_and_name(const std::string& path);

// The bytes of a file from `offset` to its end, read without keeping a writer out. A file now
// shorter than `offset` (emptied and written anew) is read from its start, and `from` says so.
struct FileBytes {
    uint64_t from = 0;   // where the bytes begin
    std::string bytes;
};
// Nothing when the file cannot be opened or read.
std::optional<FileBytes> read_file_from(const std::string& path, uint64_t offset);

// Creates a new empty file with a unique name in the folder and returns its path.
std::string make_temporary_file(const std::string& folder, const std::string& prefix);
// Deletes a file if it can; never raises.
void delete_file_quietly(const std::string& path);

// Fully qualified: a drive letter, colon and backslash, or a UNC path.
bool is_fully_qualified(const std::string& path);
// A folder written without its final "\" (as the program folder is, to join names to it) as a
// path that names it: "P:" is the root of P: ("P:\"), never P:'s current folder.
std::string folder_path(const std::string& folder);
// The path made full against the current folder as the platform does it ("/" as "\", "." and
// ".." resolved); nothing when it cannot.
std::optional<std::string> full_path(const std::string& path);
// The long form of an existing path given in plain form (short names written out); nothing
// when the system gives none.
std::optional<std::string> long_path(const std::string& path);

// The current folder ("" when the system gives none), and a quiet change of it back to one
// it gave (false when the folder is gone).
std::string current_folder();
bool set_current_folder(const std::string& path);

// Puts the current folder back, and with it the current drive, when it goes out of scope:
// probing drives moves it, and a current drive left elsewhere would be where a path from a
// root ("\x") leads, and would hold a removable drive.
class CurrentFolderKept {
public:
    CurrentFolderKept() : saved_(current_folder()) {}
    ~CurrentFolderKept() { set_current_folder(saved_); }
    CurrentFolderKept(const CurrentFolderKept&) = delete;
    CurrentFolderKept& operator=(const CurrentFolderKept&) = delete;

private:
    std::string saved_;
};

// Drives by letter (either case): one the system has, one without its medium, and the label of
// a fixed drive ("" for none, or for a drive that is not fixed).
bool drive_present(char letter);
bool drive_not_ready(char letter);
bool drive_reachable(char letter);   // its volume answers, or at least its root exists
std::string fixed_drive_label(char letter);

// The final path of an open file or folder in plain form ("C:\a\b", "\\server\share\a"; a
// drive root keeps its "\"), every link of its parent steps resolved; nothing when the system
// gives none. Under Wine it is the object's DOS name, which also holds past MAX_PATH.
std::optional<std::string> final_path_of(void* handle);

// Whether two final paths name the same place: compared step by step, ignoring case and
// the trailing dots and blanks of each step (Wine drops them from the names it reports).
bool same_final_path(const std::string& a, const std::string& b);

// What a file looked like as it was deleted.
struct DeletedFile {
    uint32_t attributes = 0;
    int64_t length = 0;
};

// A folder opened once for its listing and the deletion of its files: a link at its last
// step is not followed, and nobody can rename or delete it while it is open.
class FolderHandle {
public:
    // Raises 76 for a missing folder, 75 for one that cannot be opened (in use, no access).
    static FolderHandle open(const std::string& path);
    FolderHandle() = default;
    FolderHandle(FolderHandle&& other) noexcept;
    FolderHandle& operator=(FolderHandle&& other) noexcept;
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    ~FolderHandle();

    bool is_open() const { return handle_ != nullptr; }
    const std::string& path() const { return path_; }   // as it was opened
    // The folder's final path in plain form ("C:\a\b", "\\server\share\a"; a drive root keeps its "\").
    const std::string& final_path() const { return final_path_; }
    uint32_t attributes() const { return attributes_; }
    void* native_handle() const { return handle_; }
    // The opened object is a link or no folder (a Windows link opened as itself).
    bool is_link() const { return (attributes_ & attrReparsePoint) || !(attributes_ & attrDirectory); }

    // Clears the folder's own read-only, hidden and system attributes; false when it cannot.
    bool make_normal();
    // The folder's entries as they are now ("." and ".." left out), whatever their attributes.
    std::vector<DirEntry> list() const;

    // Deletes the file `name` of this folder, opened relative to this handle without
    // following a link. `make_normal` is asked, with the file's attributes as they are now,
    // whether its read-only and hidden attributes may be cleared first; a file that still
    // carries read-only (75), hidden or system (53) is not deleted. Raises 53 for a name that
    // is no plain name or a file that is gone, 75 for one in use, and 75 for a file that
    // opens somewhere else than in this folder (a link the platform followed): it stays.
    // Returns the file as it was when the deletion was confirmed.
    DeletedFile delete_file(const std::string& name, const std::function<bool(uint32_t)>& make_normal) const;
    // As delete_file, with nothing made normal, for a file that must still be as expected:
    // it is opened without write sharing, so that nobody gives it data meanwhile, and deleted
    // only when `may_delete` accepts it as it is then (attributes and length, read on that
    // handle); otherwise it stays and 75 is raised.
    DeletedFile delete_file_if(const std::string& name, const std::function<bool(const DeletedFile&)>& may_delete) const;

private:
    DeletedFile delete_opened_file(const std::string& name, bool share_write,
                                   const std::function<bool(uint32_t)>& make_normal,
                                   const std::function<bool(const DeletedFile&)>& may_delete) const;
    void* handle_ = nullptr;
    std::string path_;
    std::string final_path_;
    // The folder's path on its volume, as the platform reports it: asked at the first
    // deletion, since a folder opened to be listed only never needs it.
    mutable std::wstring volume_name_;
    uint32_t attributes_ = 0;
    mutable std::vector<unsigned char> scratch_;   // what the platform tells of each file deleted
};

// Deletes one file given by its full path under the same rules, through its folder's handle.
DeletedFile delete_file_at(const std::string& path, const std::function<bool(uint32_t)>& make_normal);
// As delete_file_at, for a path already checked as final: its folder must still open as
// itself at that very path (no link put in a step since), or 75 is raised and nothing goes.
DeletedFile delete_file_at_final_path(const std::string& final_path, const std::function<bool(uint32_t)>& make_normal);

} // namespace rt
