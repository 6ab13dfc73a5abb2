#pragma once
// Sequential text files: whole lines, items, and printed lines, in the ANSI code page.
#include <cstdint>
#include <cstdio>
#include <string>

namespace rt {

class TextFile {
public:
    enum Mode { Input, Output, Append };

    TextFile() = default;
    // Opens at once; raises 53 (missing file for Input), 76 (missing folder), 75/70 (no access).
    TextFile(const std::string& path, Mode mode);
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;

    void open(const std::string& path, Mode mode);
    void close();   // flushes; raises 61/57 when the data cannot be written
    bool is_open() const { return file_ != nullptr; }

    // True when nothing is left to read.
    bool eof();

    // A line ends at CR LF, a lone CR or a lone LF; a last line without an end is still a line.
    // Raises 62 at the end of the file.
    std::string line_input();

    // One field: separated by commas or line ends; leading and trailing blanks dropped,
    // inner blanks kept; a field in double quotes is taken as written. Raises 62 at the end.
    std::string input_field();

    // One item: separated by commas, blanks or line ends (" 1  0  0 " gives "1", "0", "0").
    // A quoted item is taken as written. Raises 62 at the end.
    std::string input_item();

    void print(const std::string& text);        // no line end
    void print_line(const std::string& text = ""); // text then CR LF
    // A number printed as a number: sign position and one trailing blank (1 -> " 1 ", -1 -> "-1 ").
    void print_number(int64_t n);

private:
    int peek();
    int get();
    void skip_blanks();
    void end_item_at_delimiter(bool blank_ends_item);

    std::FILE* file_ = nullptr;
    std::string path_;
    Mode mode_ = Input;
};

} // namespace rt
