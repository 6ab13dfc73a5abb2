#pragma once
// A fresh scratch folder for each test, on the scratch drive S:, removed afterwards.
#include <string>
#include <gtest/gtest.h>

namespace testsupport {

// Creates S:\<suite>.<test>.<pid>\ and removes it (and everything in it) on destruction.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    const std::string& path() const { return path_; }   // no trailing backslash
    std::string operator/(const std::string& rel) const { return path_ + "\\" + rel; }

private:
    std::string path_;
};

// Host-side helpers: write and read files byte for byte.
void write_bytes(const std::string& path, const std::string& bytes);
std::string read_bytes(const std::string& path);
void make_dirs(const std::string& path);
// Removes a tree: clears read-only/hidden/system attributes first; never follows links.
void remove_tree(const std::string& path);
// Makes drive N: not ready by removing the folder it names. Another test that probes the
// drives may hold that folder for a moment: the removal is tried again meanwhile.
bool make_drive_n_not_ready();
// The staged program folder (P:\stage), where the shipped files are.
std::string stage_folder();

} // namespace testsupport
