#include "tools/empty_files.h"
#include <windows.h>
#include "runtime/errors.h"
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
        return EmptyFileOutcome::Kept;
    const std::string folder_path = path.substr(0, cut + 1), name = path.substr(cut + 1);
    const std::optional<rt::FolderHandle> folder = open_folder_as_found(folder_path);
    if (!folder)
        return EmptyFileOutcome::Kept;
    if (rule_.keeps_empty_files_in(folder->final_path()))
        return EmptyFileOutcome::Protected;
    try {
        folder->delete_file_if(name, is_plain_empty);
        return EmptyFileOutcome::Deleted;
    } catch (const rt::RuntimeError&) {
        return EmptyFileOutcome::Kept;
    }
}

} // namespace pellmaris
