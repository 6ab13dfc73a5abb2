#include "runtime/textfile.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/unicode.h"
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <algorithm>
#include <cerrno>
#include <utility>

namespace rt {

namespace {

bool is_space_or_tab(int c) { return c == ' ' || c == '\t'; }

int write_error() { return errno == ENOSPC ? errDiskFull : errDeviceIO; }

HANDLE open_handle(const std::string& path, TextFile::Mode mode)
{
    if (mode != TextFile::Input)
        return static_cast<HANDLE>(open_file_for_writing(path));
    HANDLE h = CreateFileW(wide_path(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        raise_last_win32_error();
    return h;
}

// The whole file; the handle is closed either way.
std::string read_and_close(HANDLE h)
{
    std::string data;
    char buf[65536];
    DWORD got = 0;
    BOOL ok;
    while ((ok = ReadFile(h, buf, sizeof buf, &got, nullptr)) && got > 0)
        data.append(buf, got);
    DWORD e = ok ? ERROR_SUCCESS : GetLastError();
    CloseHandle(h);
    if (!ok)
        raise(error_from_win32(e));
    return data;
}

// Positions a freshly opened output handle: at the start of an emptied file, or at the end.
void position_for_writing(HANDLE h, TextFile::Mode mode)
{
    LARGE_INTEGER zero{};
    bool ok = mode == TextFile::Output ? SetEndOfFile(h) != 0
                                       : SetFilePointerEx(h, zero, nullptr, FILE_END) != 0;
    if (!ok) {
        DWORD e = GetLastError();
        CloseHandle(h);
        raise(error_from_win32(e));
    }
}

std::FILE* stream_of(HANDLE h, TextFile::Mode mode)
{
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), mode == TextFile::Append ? _O_APPEND : 0);
    if (fd == -1) {
        CloseHandle(h);
        raise(errDeviceIO);
    }
    _setmode(fd, _O_BINARY);   // CR LF is written by the caller, never added
    std::FILE* f = _fdopen(fd, mode == TextFile::Append ? "ab" : "wb");
    if (!f) {
        _close(fd);
        raise(errDeviceIO);
    }
    return f;
}

} // namespace

TextFile::TextFile(const std::string& path, Mode mode, unsigned code_page) { open(path, mode, code_page); }

TextFile::~TextFile()
{
    try {
        close();
    } catch (const RuntimeError&) {
        // A destructor cannot report it; callers that care call close() themselves.
    }
}

TextFile::TextFile(TextFile&& other) noexcept { *this = std::move(other); }

TextFile& TextFile::operator=(TextFile&& other) noexcept
{
    if (this != &other) {
        try {
            close();
        } catch (const RuntimeError&) {
        }
        file_ = std::exchange(other.file_, nullptr);
        data_ = std::move(other.data_);
        pos_ = std::exchange(other.pos_, 0);
        open_ = std::exchange(other.open_, false);
        path_ = std::move(other.path_);
        mode_ = other.mode_;
        code_page_ = other.code_page_;
    }
    return *this;
}

void TextFile::open(const std::string& path, Mode mode, unsigned code_page)
{
    close();
    HANDLE h = open_handle(path, mode);
    if (mode == Input) {
        data_ = utf8_from_code_page(read_and_close(h), code_page);
        pos_ = 0;
    } else {
        position_for_writing(h, mode);
        file_ = stream_of(h, mode);
    }
    path_ = path;
    mode_ = mode;
    code_page_ = code_page;
    open_ = true;
}

void TextFile::close()
{
    if (!open_)
        return;
    open_ = false;
    data_.clear();
    pos_ = 0;
    if (!file_)
        return;
    std::FILE* f = std::exchange(file_, nullptr);
    bool flushed = std::fflush(f) == 0;
    int error = flushed ? 0 : write_error();
    if (std::fclose(f) != 0 && flushed)
        error = write_error();
    if (error)
        raise(error);
}

void TextFile::require_input()
{
    if (!open_ || mode_ != Input)
        raise(errBadFileNumber);
}

void TextFile::require_output()
{
    if (!open_ || mode_ == Input)
        raise(errBadFileNumber);
}

bool TextFile::eof()
{
    if (!open_)
        raise(errBadFileNumber);
    return mode_ != Input || pos_ >= data_.size();
}

int TextFile::peek() const
{
    return pos_ < data_.size() ? static_cast<unsigned char>(data_[pos_]) : -1;
}

int TextFile::get()
{
    int c = peek();
    if (c != -1)
        ++pos_;
    return c;
}

bool TextFile::at_line_end() const { return peek() == '\r' || peek() == '\n'; }

void TextFile::skip_line_end()
{
    if (get() == '\r' && peek() == '\n')
        ++pos_;
}

void TextFile::skip_blanks()
{
    while (is_space_or_tab(peek()))
        ++pos_;
}

std::string TextFile::line_input()
{
    require_input();
    if (pos_ >= data_.size())
        raise(errPastEnd);
    size_t start = pos_;
    while (pos_ < data_.size() && !at_line_end())
        ++pos_;
    std::string line = data_.substr(start, pos_ - start);
    if (pos_ < data_.size())
        skip_line_end();
    return line;
}

// The text between the opening quote and the closing one (or the end of the file).
std::string TextFile::read_quoted()
{
    ++pos_;
    size_t start = pos_;
    size_t close = data_.find('"', start);
    if (close == std::string::npos)
        close = data_.size();
    pos_ = std::min(close + 1, data_.size());
    return data_.substr(start, close - start);
}

std::string TextFile::read_until(bool blank_ends_item)
{
    size_t start = pos_;
    for (int c = peek(); c != -1 && c != ',' && c != '\r' && c != '\n'; c = peek()) {
        if (blank_ends_item && is_space_or_tab(c))
            break;
        ++pos_;
    }
    return data_.substr(start, pos_ - start);
}

// After an item: trailing blanks, then at most one comma or one line end.
void TextFile::end_item_at_delimiter()
{
    skip_blanks();
    if (peek() == ',')
        ++pos_;
    else if (at_line_end())
        skip_line_end();
}

std::string TextFile::input_field()
{
    require_input();
    if (pos_ >= data_.size())
        raise(errPastEnd);
    skip_blanks();
    std::string field;
    if (peek() == '"') {
        field = read_quoted();
        read_until(false);   // anything between the closing quote and the delimiter is dropped
    } else {
        field = read_until(false);
        size_t n = field.size();
        while (n > 0 && is_space_or_tab(field[n - 1]))
            --n;
        field.resize(n);
    }
    end_item_at_delimiter();
    return field;
}

std::string TextFile::input_item()
{
    require_input();
    if (pos_ >= data_.size())
        raise(errPastEnd);
    skip_blanks();
    std::string item;
    if (peek() == '"') {
        item = read_quoted();
        read_until(true);
    } else {
        item = read_until(true);
    }
    end_item_at_delimiter();
    // Blanks that close the file end it, so the loop "until eof" stops after the last item.
    size_t rest = pos_;
    while (rest < data_.size() && is_space_or_tab(static_cast<unsigned char>(data_[rest])))
        ++rest;
    if (rest == data_.size())
        pos_ = rest;
    return item;
}

void TextFile::write_bytes(const char* data, size_t size)
{
    require_output();
    if (size > 0 && std::fwrite(data, 1, size, file_) != size)
        raise(write_error());
}

// A text the file's code page cannot hold exactly is refused before anything of it is written.
void TextFile::print(const std::string& text)
{
    require_output();
    const std::string bytes = utf8_to_code_page(text, code_page_);
    write_bytes(bytes.data(), bytes.size());
}

void TextFile::print_line(const std::string& text)
{
    print(text);
    write_bytes("\r\n", 2);
}

void TextFile::print_number(int64_t n)
{
    std::string text(n < 0 ? "" : " ");   // the sign position
    text += std::to_string(n);
    text += ' ';
    print(text);
}

} // namespace rt
