#pragma once
// A scratch program folder holding copies of some shipped files, with helpers to read,
// write and change them.
#include <initializer_list>
#include <string>
#include "support/scratch.h"

namespace testsupport {

class ProgramFolder {
public:
    ProgramFolder(const std::string& folder_name, std::initializer_list<const char*> shipped_files);

    std::string file(const std::string& name) const { return folder + "\\" + name; }
    void copy_shipped(const std::string& name) const;
    void put(const std::string& name, const std::string& bytes) const;
    std::string bytes(const std::string& name) const;
    void remove(const std::string& name) const;
    // Line n (1-based) of settings.ini replaced, the rest as it stands.
    void set_setting(int n, const std::string& value) const;

    ScratchDir dir;
    std::string folder;
};

} // namespace testsupport
