#include "engine/location_database.h"
#include "runtime/unicode.h"
#include <cctype>
#include <cmath>
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

constexpr const char* kRecordEnd = "'";

bool is_prefix_letter(char c) { return c == 'U' || c == 'H'; }

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Adds one field's text to the record; false when the field cannot be decoded.
bool append_field(std::string& record, const std::string& field, const LocationKey& key)
{
    if (field.empty())
        return true;
    if (is_prefix_letter(field[0])) {
        record += field + " ";
        return true;
    }
    if (!is_digit(field[0]))
        return true;
    auto c = decode_number(field, key);
    if (!c)
        return false;
    record += *c;
    return true;
}

// The text after a one-letter prefix ("U " or "H "), or nothing when the entry has none.
std::optional<std::string> prefixed_rest(const std::string& entry, char letter)
{
    if (entry.size() < 2 || entry[1] != ' ')
        return std::nullopt;
    if (std::toupper(static_cast<unsigned char>(entry[0])) != letter)
        return std::nullopt;
    return rt::Mid(entry, 3);
}

} // namespace

LocationKey key_from_line(const std::string& key_line)
{
    LocationKey key;
    const std::size_t start = static_cast<std::size_t>(kKeyStart - 1);   // bytes, not characters
    std::string text = key_line.size() > start ? key_line.substr(start, kMaxKeyLength) : std::string();
    for (std::size_t i = 0; i < text.size(); ++i)
        key.slot[i + 1] = static_cast<unsigned char>(text[i]);
    return key;
}

std::optional<char> decode_number(const std::string& field, const LocationKey& key)
{
    auto number = rt::to_number(field);
    if (!number)
        return std::nullopt;
    double v = *number;
    for (int i = 1; i <= 9; i += 2)
        v = v - key.slot[i] + key.slot[i + 1];
    if (!std::isfinite(v) || std::fabs(v) > 1e9)
        return std::nullopt;
    int64_t code = rt::round_half_even(v);
    if (code < 0 || code > 255)
        return std::nullopt;
    return static_cast<char>(static_cast<unsigned char>(code));
}

std::vector<std::string> decode_records(rt::TextFile& in, const LocationKey& key)
{
    std::vector<std::string> lines;
    try {
        while (!in.eof()) {
            std::string record;
            for (std::string field = in.input_field(); field != kRecordEnd; field = in.input_field())
                if (!append_field(record, field, key))
                    return lines;
            lines.push_back(rt::utf8_from_ansi(record));   // the decoded bytes are ANSI text
        }
    } catch (const rt::RuntimeError&) {
        // A read past the end inside a record: the records before it stand.
    }
    return lines;
}

std::vector<std::string> decode_location_database(const std::string& path)
{
    rt::TextFile in(path, rt::TextFile::Input);
    in.line_input();
    in.line_input();
    // The key is the line's bytes as the file holds them.
    LocationKey key = key_from_line(rt::utf8_to_ansi(in.line_input()));
    return decode_records(in, key);
}

Section find_section(const std::vector<std::string>& lines, const std::string& tag)
{
    Section section;
    const std::string wanted = rt::UCase(rt::Trim(tag));
    bool inside = false;
    for (const std::string& line : lines) {
        std::string text = rt::Trim(line);
        if (inside) {
            ++section.counted_lines;
            if (text.empty())
                inside = false;
            else
                section.entries.push_back(text);
        } else if (rt::UCase(text) == wanted) {
            inside = true;
            section.found = true;
            ++section.counted_lines;
        }
    }
    return section;
}

std::string expand_location(const std::string& entry, const std::string& user_profile,
                            const std::string& home_drive)
{
    std::string e = rt::Trim(entry);
    std::string path;
    if (auto rest = prefixed_rest(e, 'U'))
        path = user_profile + *rest;
    else if (auto rest_h = prefixed_rest(e, 'H'))
        path = home_drive + *rest_h;
    else
        path = e;
    return rt::is_fully_qualified(path) ? path : std::string();
}

} // namespace pellmaris
