#include "common/file_io.h"
#include "runtime/filesys.h"
#include "runtime/errors.h"

namespace pellmaris {

namespace {

std::string folder_of(const std::string& path)
{
    auto cut = path.find_last_of("\\/");
    if (cut == std::string::npos)
        return ".";
    if (cut == 0 || (cut == 2 && path[1] == ':'))
        return path.substr(0, cut + 1);   // keep the root's backslash
    return path.substr(0, cut);
}

std::string make_temporary_beside(const std::string& path) { return rt::make_temporary_file(folder_of(path), "pm~"); }

void print_into(const std::string& temporary, const std::function<void(rt::TextFile&)>& print)
{
    rt::TextFile file(temporary, rt::TextFile::Output);
    print(file);
    file.close();
}

} // namespace

void write_file_safely(const std::string& path, const std::function<void(rt::TextFile&)>& print)
{
    // What could not be written in place is not replaced either: a link stays what it is.
    rt::require_writable_in_place(path);
    std::string temporary = make_temporary_beside(path);
    try {
        print_into(temporary, print);
    } catch (...) {
        rt::delete_file_quietly(temporary);
        throw;
    }
    try {
        rt::replace_file(temporary, path);
    } catch (...) {
        rt::delete_file_quietly(temporary);
        throw;
    }
}

std::vector<std::string> read_lines_tolerant(const std::string& path)
{
    std::vector<std::string> lines;
    try {
        rt::TextFile file(path, rt::TextFile::Input);
        while (!file.eof())
            lines.push_back(file.line_input());
    } catch (const std::exception&) {
        // a missing or damaged file keeps what was read
    }
    return lines;
}

std::vector<std::string> read_lines_strict(const std::string& path)
{
    std::vector<std::string> lines;
    rt::TextFile file;
    try {
        file.open(path, rt::TextFile::Input);
    } catch (const rt::RuntimeError& e) {
        if (e.number() == rt::errFileNotFound)
            return lines;
        throw;
    }
    while (!file.eof())
        lines.push_back(file.line_input());
    file.close();
    return lines;
}

std::vector<std::string> last_block(const std::vector<std::string>& lines, std::size_t block)
{
    if (block == 0 || lines.size() < block)
        return lines;
    std::size_t start = (lines.size() / block - 1) * block;
    return {lines.begin() + start, lines.begin() + start + block};
}

void require_single_line(const std::string& text)
{
    if (text.find_first_of("\r\n") != std::string::npos)
        rt::raise(rt::errInvalidCall);
}

} // namespace pellmaris
