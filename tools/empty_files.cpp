#include "tools/empty_files.h"
#include <windows.h>
#include <shlobj.h>
#include "runtime/errors.h"
#include "runtime/final_path.h"
#include "runtime/filesys.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

std::string environment_value(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return n > 0 && n < MAX_PATH * 2 ? rt::utf8(std::wstring(value, n)) : std::string();
}

std::string shell_folder(int csidl)
{
    wchar_t folder[MAX_PATH];
    return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder)) ? rt::utf8(folder)
                                                                                           : std::string();
}

// Many programs keep empty marker files in these folders.
std::vector<std::string> protected_folder_names(const std::string& program_folder)
{
    return {shell_folder(CSIDL_WINDOWS),           shell_folder(CSIDL_PROGRAM_FILES),
            shell_folder(CSIDL_PROGRAM_FILESX86),  environment_value(L"ProgramFiles"),
            environment_value(L"ProgramFiles(x86)"), environment_value(L"ProgramW6432"),
            program_folder};
}

// Whether the folder is `outer` or lies beneath it.
bool lies_within(std::string folder, const std::string& outer)
{
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    for (;;) {
        if (rt::same_final_path(folder, outer))
            return true;
        const std::size_t cut = folder.find_last_of('\\');
        if (cut == std::string::npos)
            return false;
        folder.resize(cut);
    }
}

bool is_drive_root(const std::string& path) { return path.size() <= 3 && path.size() >= 2 && path[1] == ':'; }

bool is_plain(uint32_t attributes)
{
    constexpr uint32_t kNotPlain =
        rt::attrReadOnly | rt::attrHidden | rt::attrSystem | rt::attrDirectory | rt::attrReparsePoint;
    return (attributes & kNotPlain) == 0;
}

bool is_plain_empty(const rt::DeletedFile& file) { return file.length == 0 && is_plain(file.attributes); }

// Why a listed file that could not be opened for its deletion was kept, from what stands at
// its path now.
EmptyFileOutcome why_kept(const std::string& path)
{
    try {
        const std::optional<rt::FinalPath> found = rt::find_final_path(path);
        if (!found)
            return EmptyFileOutcome::Gone;
        if (found->is_folder() || found->is_link() || !rt::same_final_path(found->path, path))
            return EmptyFileOutcome::Replaced;
    } catch (const rt::RuntimeError&) {
        // there, but it cannot be opened even to be looked at
    }
    return EmptyFileOutcome::InUse;
}

} // namespace

std::optional<rt::FolderHandle> open_folder_as_found(const std::string& folder_path)
{
    try {
        rt::FolderHandle folder = rt::FolderHandle::open(folder_path);
        if (folder.is_link() || !rt::same_final_path(folder.final_path(), folder_path))
            return std::nullopt;
        return folder;
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
}

bool is_plain_file(const rt::DirEntry& entry) { return is_plain(entry.attributes) && rt::is_usable(entry); }

// A protected folder whose final path cannot be found stays protected by its written path.
EmptyFileDeleter::EmptyFileDeleter(const std::string& program_folder)
{
    for (const std::string& name : protected_folder_names(program_folder)) {
        if (name.empty())
            continue;
        protected_.push_back(name);
        try {
            protected_.push_back(rt::FolderHandle::open(name).final_path());
        } catch (const rt::RuntimeError&) {
        }
    }
}

// A program folder that is a drive root holds the program's own files and its pictures'
// folder only, not the whole drive.
bool EmptyFileDeleter::is_protected(const std::string& final_folder) const
{
    for (const std::string& folder : protected_) {
        if (!is_drive_root(folder) ? lies_within(final_folder, folder)
                                   : rt::same_final_path(final_folder, folder) ||
                                         lies_within(final_folder, folder.substr(0, 2) + "\\pellmarisgui"))
            return true;
    }
    return false;
}

// The file's folder is opened and must be where the scan found it (not a link put in its
// place); the file is then opened relative to that folder and deleted only while empty.
EmptyFileOutcome EmptyFileDeleter::delete_if_still_empty(const std::string& path) const
{
    const std::size_t cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut + 1 >= path.size())
        return EmptyFileOutcome::Gone;   // no file's path
    const std::string folder_path = path.substr(0, cut + 1), name = path.substr(cut + 1);
    const std::optional<rt::FolderHandle> folder = open_folder_as_found(folder_path);
    if (!folder)
        return why_kept(path);
    if (is_protected(folder->final_path()))
        return EmptyFileOutcome::Protected;
    std::optional<rt::DeletedFile> refused;
    try {
        folder->delete_file_if(name, [&](const rt::DeletedFile& file) {
            if (!is_plain_empty(file))
                refused = file;
            return !refused;
        });
        return EmptyFileOutcome::Deleted;
    } catch (const rt::RuntimeError&) {
        if (refused)
            return is_plain(refused->attributes) ? EmptyFileOutcome::Grown : EmptyFileOutcome::Replaced;
        return why_kept(path);
    }
}

} // namespace pellmaris
