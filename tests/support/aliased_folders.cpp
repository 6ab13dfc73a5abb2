#include "support/aliased_folders.h"
#include <windows.h>
#include <gtest/gtest.h>
#include "runtime/final_path.h"
#include "runtime/system_places.h"
#include "runtime/unicode.h"
#include "support/scratch.h"

namespace testsupport {

namespace {

std::string user_name()
{
    wchar_t name[256];
    DWORD size = 256;
    return GetUserNameW(name, &size) ? rt::utf8(name) : std::string();
}

} // namespace

std::vector<AliasedFolder> aliased_folders()
{
    const std::vector<std::string> program_files = rt::program_files_folders();
    std::vector<AliasedFolder> folders = {
        {"W:\\", rt::windows_folder() + "\\"},
        {"X:\\", (program_files.empty() ? std::string() : program_files.front()) + "\\"},
        {"V:\\", rt::profiles_folder() + "\\" + user_name() + "\\"},
    };
    for (const AliasedFolder& folder : folders) {
        const auto alias = rt::identity_at(folder.alias), plain = rt::identity_at(folder.plain);
        EXPECT_TRUE(alias && alias == plain) << folder.alias << " is not mapped onto " << folder.plain;
    }
    return folders;
}

AliasedFiles::~AliasedFiles()
{
    for (const auto& [path, bytes] : files_)
        DeleteFileW(rt::utf16(path).c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
        RemoveDirectoryW(rt::utf16(*folder).c_str());
}

std::string AliasedFiles::unique_name(const std::string& folder)
{
    return folder + "pellmaris-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(files_.size() + folders_.size());
}

std::string AliasedFiles::make_folder(const std::string& folder)
{
    const std::string path = unique_name(folder);
    make_dirs(path);
    folders_.push_back(path);
    return path + "\\";
}

std::string AliasedFiles::make(const std::string& folder, const std::string& bytes)
{
    const std::string path = unique_name(folder) + ".txt";
    write_bytes(path, bytes);
    files_[path] = bytes;
    return path;
}

void AliasedFiles::expect_intact() const
{
    for (const auto& [path, bytes] : files_) {
        try {
            EXPECT_EQ(read_bytes(path), bytes) << path;
        } catch (const std::exception&) {
            ADD_FAILURE() << path << " is gone";
        }
    }
}

} // namespace testsupport
