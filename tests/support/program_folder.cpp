#include "support/program_folder.h"
#include <windows.h>

namespace testsupport {

ProgramFolder::ProgramFolder(const std::string& folder_name, std::initializer_list<const char*> shipped_files)
    : folder(dir / folder_name)
{
    make_dirs(folder);
    for (const char* name : shipped_files)
        copy_shipped(name);
}

void ProgramFolder::copy_shipped(const std::string& name) const
{
    CopyFileA((stage_folder() + "\\" + name).c_str(), file(name).c_str(), FALSE);
}

void ProgramFolder::put(const std::string& name, const std::string& bytes) const { write_bytes(file(name), bytes); }

std::string ProgramFolder::bytes(const std::string& name) const { return read_bytes(file(name)); }

void ProgramFolder::remove(const std::string& name) const { DeleteFileA(file(name).c_str()); }

void ProgramFolder::set_setting(int n, const std::string& value) const
{
    std::string text = bytes("settings.ini");
    size_t start = 0;
    for (int i = 1; i < n; ++i)
        start = text.find("\r\n", start) + 2;
    text.replace(start, text.find("\r\n", start) - start, value);
    put("settings.ini", text);
}

} // namespace testsupport
