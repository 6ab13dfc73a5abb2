#pragma once
// Where a path really leads: the final path of an existing file or folder, with every link
// of its parent steps resolved (rt::final_path_of in runtime/filesys.h, for an open handle).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rt {

struct FinalPath {
    std::string path;         // plain form, as final_path_of gives it
    uint32_t attributes = 0;  // of the opened file or folder itself (a link stays a link)
    bool is_folder() const;
    bool is_link() const;
};

// Opens an existing file or folder without following a link at its last step and gives its
// final path. Nothing when nothing exists there; raises 75 when something is there but
// cannot be opened, so its final path is unknown.
std::optional<FinalPath> find_final_path(const std::string& path);
// The same, nothing for every failure.
std::optional<std::string> final_path(const std::string& path);

// The file or folder at a fully qualified path, opened to read its attributes without
// following a link at its last step; INVALID_HANDLE_VALUE (with the error) when it cannot be.
void* open_as_itself(const std::string& path);

// Who a file or folder is, whatever path or drive letter names it.
struct FileIdentity {
    uint32_t volume = 0;   // the volume's serial number
    uint64_t file = 0;     // the file id on that volume
    bool operator==(const FileIdentity&) const = default;
};

// A file or folder opened without following a link at its last step, to tell who it is. Its
// file id is read at once; its volume's serial number, which under Wine is a round trip to
// the mount manager, only when two file ids match. Kept open, it stays the same object.
class OpenedIdentity {
public:
    // Opens the path; nothing is known when nothing can be opened there.
    explicit OpenedIdentity(const std::string& path);
    // Of a handle that the caller keeps open meanwhile.
    explicit OpenedIdentity(void* handle);
    OpenedIdentity(const OpenedIdentity&) = delete;
    OpenedIdentity& operator=(const OpenedIdentity&) = delete;
    ~OpenedIdentity();

    bool known() const { return file_.has_value(); }
    std::optional<FileIdentity> identity() const;
    bool is(const OpenedIdentity& other) const;

private:
    std::optional<uint32_t> volume() const;
    void* handle_ = nullptr;
    bool owned_ = false;
    std::optional<uint64_t> file_;
    mutable std::optional<std::optional<uint32_t>> volume_;
};

// Folders known by identity, each kept open.
class IdentitySet {
public:
    // Adds what lies at the path (once per path); nothing when it cannot be opened.
    void add(const std::string& path);
    bool holds(const OpenedIdentity& item) const { return match(item).has_value(); }
    // The path by which the item was added.
    std::optional<std::string> match(const OpenedIdentity& item) const;

private:
    std::vector<std::pair<std::shared_ptr<const OpenedIdentity>, std::string>> items_;
    std::vector<std::string> paths_;   // every path added, also those that could not be opened
};

// The identity of what lies at the path, opened without following a link; nothing when
// nothing can be opened there.
std::optional<FileIdentity> identity_at(const std::string& path);

} // namespace rt
