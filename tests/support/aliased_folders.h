#pragma once
// The prefix's Windows folder, Program Files and profile, each by the drive letter that the
// test prefix maps onto it (W:, X:, V:) and by its plain name, and files that a test makes
// in them, removed when the test ends. Nothing of the prefix itself is touched.
#include <map>
#include <string>
#include <vector>

namespace testsupport {

struct AliasedFolder {
    std::string alias;   // "W:\"
    std::string plain;   // "C:\windows\"
};

// W:, X: and V:, each checked to be the folder it stands for.
std::vector<AliasedFolder> aliased_folders();

class AliasedFiles {
public:
    AliasedFiles() = default;
    AliasedFiles(const AliasedFiles&) = delete;
    AliasedFiles& operator=(const AliasedFiles&) = delete;
    ~AliasedFiles();

    // A new file of `bytes` in `folder` (ending in "\"), under a name no other test uses.
    std::string make(const std::string& folder, const std::string& bytes);
    // A new folder in `folder`, the same way; returns it ending in "\".
    std::string make_folder(const std::string& folder);
    // Every file made is there with its bytes.
    void expect_intact() const;

private:
    std::string unique_name(const std::string& folder);
    std::map<std::string, std::string> files_;
    std::vector<std::string> folders_;
};

} // namespace testsupport
