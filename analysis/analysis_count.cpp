#include "analysis/analysis_count.h"
#include <unordered_set>
#include "engine/clean_rules.h"
#include "runtime/filesys.h"

namespace pellmaris {

namespace {

constexpr uint8_t kSections = kFirstSection | kSecondSection;
constexpr uint8_t kCountedByClass = kSections | kUserFolder;

bool deletable_with(FileClass c, const CleanChoice& choice)
{
    switch (c) {
    case FileClass::Plain: return true;
    case FileClass::ReadOnly: return choice.force_read_only;
    case FileClass::Hidden: return choice.force_hidden;
    case FileClass::ReadOnlyHidden: return choice.force_read_only && choice.force_hidden;
    case FileClass::Uncounted: break;
    }
    return false;
}

bool deleted_by_clean(const CountedFile& f, const CleanChoice& choice)
{
    const uint8_t covered = f.sources & choice.sources;
    if ((covered & (kSections | kUserFile)) && deletable_with(f.file_class, choice))
        return true;
    return (covered & kUserFolder) && f.file_class == FileClass::Plain;
}

// Files of the database sections and the user folders count by class; a user file entry
// counts in the total whatever its class.
void add_to_rows(ClassBytes& rows, const CountedFile& f, uint8_t sources)
{
    const bool by_class = (sources & kCountedByClass) && f.file_class != FileClass::Uncounted;
    if (by_class || (sources & kUserFile))
        rows.total += f.length;
    if (!by_class)
        return;
    if (f.file_class == FileClass::ReadOnly)
        rows.read_only += f.length;
    else if (f.file_class == FileClass::Hidden)
        rows.hidden += f.length;
    else if (f.file_class == FileClass::ReadOnlyHidden)
        rows.read_only_hidden += f.length;
}

std::size_t file_count(const std::vector<const ColumnFiles*>& columns)
{
    std::size_t n = 0;
    for (const ColumnFiles* column : columns)
        n += column->files().size();
    return n;
}

} // namespace

FileClass file_class(uint32_t attributes)
{
    if (attributes & (rt::attrSystem | rt::attrDirectory))
        return FileClass::Uncounted;
    const bool read_only = attributes & rt::attrReadOnly, hidden = attributes & rt::attrHidden;
    if (!read_only && !hidden)
        return FileClass::Plain;
    if (!may_make_normal(attributes, 1, 1))
        return FileClass::Uncounted;   // the policy never clears these, so no clean deletes them
    if (read_only && hidden)
        return FileClass::ReadOnlyHidden;
    return read_only ? FileClass::ReadOnly : FileClass::Hidden;
}

void ColumnFiles::add(const std::string& path, int64_t length, FileClass file_class, FileSource source)
{
    auto [at, added] = positions_.try_emplace(path, files_.size());
    if (added)
        files_.push_back({path, length, file_class, static_cast<uint8_t>(source)});
    else
        files_[at->second].sources |= source;
}

void ColumnFiles::clear()
{
    files_.clear();
    positions_.clear();
}

ClassBytes ColumnFiles::class_bytes() const
{
    ClassBytes rows;
    for (const CountedFile& f : files_)
        add_to_rows(rows, f, f.sources);
    return rows;
}

int64_t ColumnFiles::freed_by_clean(const CleanChoice& choice) const
{
    int64_t freed = 0;
    for (const CountedFile& f : files_)
        if (deleted_by_clean(f, choice))
            freed += f.length;
    return freed;
}

int64_t freed_by_cleans(const std::vector<ColumnClean>& cleans)
{
    std::vector<const ColumnFiles*> columns;
    for (const ColumnClean& clean : cleans)
        columns.push_back(clean.files);
    // Views of the columns' own paths: a large area makes no copy of its paths.
    std::unordered_set<std::string_view> freed;
    freed.reserve(file_count(columns));
    int64_t bytes = 0;
    for (const ColumnClean& clean : cleans)
        for (const CountedFile& f : clean.files->files())
            if (deleted_by_clean(f, clean.choice) && freed.insert(f.path).second)
                bytes += f.length;
    return bytes;
}

ClassBytes class_bytes_once(const std::vector<const ColumnFiles*>& columns)
{
    struct Reached {
        const CountedFile* file;
        uint8_t sources;
    };
    std::unordered_map<std::string_view, Reached> files;
    files.reserve(file_count(columns));
    for (const ColumnFiles* column : columns)
        for (const CountedFile& f : column->files()) {
            auto [at, added] = files.try_emplace(f.path, Reached{&f, f.sources});
            if (!added)
                at->second.sources |= f.sources;
        }
    ClassBytes rows;
    for (const auto& [path, reached] : files)
        add_to_rows(rows, *reached.file, reached.sources);
    return rows;
}

ClassLists class_lists(const ColumnFiles& files)
{
    ClassLists lists;
    for (const CountedFile& f : files.files()) {
        switch (f.file_class) {
        case FileClass::Plain: lists.plain_listing.push_back(f.path); break;
        case FileClass::ReadOnly:
            lists.plain_listing.push_back(f.path);
            lists.read_only.push_back(f.path);
            break;
        case FileClass::Hidden: lists.hidden.push_back(f.path); break;
        case FileClass::ReadOnlyHidden: lists.read_only_hidden.push_back(f.path); break;
        case FileClass::Uncounted: break;
        }
    }
    return lists;
}

void remove_first_matches(std::vector<std::string>& list, const std::vector<const std::vector<std::string>*>& others)
{
    // n items of one text in the other lists take the first n copies of it: one pass suffices.
    std::unordered_map<std::string, std::size_t> to_remove;
    for (const auto* other : others)
        for (const std::string& item : *other)
            ++to_remove[item];
    std::size_t kept = 0;
    for (std::string& item : list) {
        auto found = to_remove.find(item);
        if (found != to_remove.end() && found->second > 0) {
            --found->second;
            continue;
        }
        if (&list[kept] != &item)
            list[kept] = std::move(item);
        ++kept;
    }
    list.resize(kept);
}

} // namespace pellmaris
