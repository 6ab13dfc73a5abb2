#pragma once
// Sequential text files: whole lines, items, and printed lines. The text is UTF-8; the file
// keeps its bytes in a code page (the ANSI one unless said otherwise): reading converts them,
// and a text the code page cannot hold exactly is refused before any of it is written.
#include <cstdint>
#include <cstdio>
#include <string>

namespace rt {

class TextFile {
public:
    enum Mode { Input, Output, Append };

    TextFile() = default;
    static constexpr unsigned kAnsiCodePage = 0;   // CP_ACP
    // Opens at once; raises 53 (missing file for Input), 76 (missing folder), 75/70 (no access).
    // Output and Append open the file at the path itself (rt::open_file_for_writing): a link,
    // a folder or a read-only file in its place is refused with 75 and nothing is written.
    TextFile(const std::string& path, Mode mode, unsigned code_page = kAnsiCodePage);
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;

    void open(const std::string& path, Mode mode, unsigned code_page = kAnsiCodePage);
    void close();   // flushes; raises 61/57 when the data cannot be written
    bool is_open() const { return open_; }

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
    int peek() const;
    int get();
    bool at_line_end() const;
    void skip_line_end();
    void skip_blanks();
    void require_input();
    void require_output();
    std::string read_quoted();
    std::string read_until(bool blank_ends_item);
    void end_item_at_delimiter();
    void write_bytes(const char* data, size_t size);

    std::FILE* file_ = nullptr;   // Output and Append
    std::string data_;            // Input: the whole file, read at open
    size_t pos_ = 0;
    bool open_ = false;
    std::string path_;
    Mode mode_ = Input;
    unsigned code_page_ = kAnsiCodePage;
};

} // namespace rt
