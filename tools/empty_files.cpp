#include "tools/empty_files.h"
#include <windows.h>
#include "runtime/errors.h"
#include "runtime/final_path.h"
#include "runtime/filesys.h"
#include "runtime/unicode.h"

namespace pellmaris {

namespace {

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

EmptyFileDeleter::EmptyFileDeleter(const std::string& program_folder) : rule_(program_folder) {}

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
    if (rule_.keeps_empty_files_in(folder->final_path()))
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
