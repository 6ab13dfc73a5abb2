#include "support/scratch.h"
#include <windows.h>
#include "runtime/filesys.h"
#include "runtime/unicode.h"
#include <cstdlib>
#include <stdexcept>

namespace testsupport {

ScratchDir::ScratchDir()
{
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "scratch";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ':')
            c = '_';
    path_ = "S:\\" + name + "." + std::to_string(GetCurrentProcessId());
    remove_tree(path_);
    make_dirs(path_);
}

ScratchDir::~ScratchDir() { remove_tree(path_); }

namespace {

std::wstring wide(const std::string& path) { return rt::wide_path(path); }

} // namespace

void write_bytes(const std::string& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + path);
    DWORD written = 0;
    const bool ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write " + path);
}

std::string read_bytes(const std::string& path)
{
    HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot read " + path);
    std::string out;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n > 0)
        out.append(buf, n);
    CloseHandle(h);
    return out;
}

void make_dirs(const std::string& path)
{
    for (size_t i = 3; i <= path.size(); ++i)
        if (i == path.size() || path[i] == '\\')
            CreateDirectoryW(wide(path.substr(0, i)).c_str(), nullptr);
}

void remove_tree(const std::string& path)
{
    DWORD a = GetFileAttributesW(wide(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesW(wide(path).c_str(), FILE_ATTRIBUTE_NORMAL | (a & FILE_ATTRIBUTE_DIRECTORY));
    if (!(a & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(wide(path).c_str());
        return;
    }
    if (a & FILE_ATTRIBUTE_REPARSE_POINT) {   // a link: remove the link, never its target
        RemoveDirectoryW(wide(path).c_str());
        return;
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(wide(path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            // A host name holding "\\" or ".." is no step of a path: the test that made it removes it.
            const std::optional<std::string> n = rt::exact_utf8(fd.cFileName);
            if (n && rt::is_plain_name(*n))
                remove_tree(path + "\\" + *n);
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(wide(path).c_str());
}

std::string stage_folder()
{
    const char* s = std::getenv("PELLMARIS_STAGE");
    return s ? s : "P:\\stage";
}

bool make_drive_n_not_ready()
{
    const char* folder = "S:\\drive-n";
    for (int tries = 0; tries < 50; ++tries) {
        if (RemoveDirectoryA(folder) || GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES)
            return GetLogicalDrives() & (1u << ('N' - 'A'));
        Sleep(100);
    }
    return false;
}

} // namespace testsupport
