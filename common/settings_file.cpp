#include "common/settings_file.h"
#include <cmath>
#include <optional>
#include "common/file_io.h"
#include "runtime/errors.h"
#include "runtime/text.h"

namespace pellmaris {

namespace {

struct LineRule {
    const char* shipped;   // the shipped text of the line
    int low, high;         // the values the line may take
};

// Check boxes 0/1; line 8 and 14 are sliders; line 9 is text; line 23 the interval.
constexpr LineRule kRules[kSettingsLineCount] = {
    {"0", 0, 1}, {"0", 0, 1}, {"0", 0, 1}, {"1", 0, 1}, {"1", 0, 1}, {"0", 0, 1},
    {"0", 0, 1}, {"200", 50, 200}, {"False", 0, 0}, {"0", 0, 1}, {"0", 0, 1}, {"0", 0, 1},
    {"0", 0, 1}, {"1500", 1000, 3090}, {"0", 0, 1}, {"0", 0, 1}, {"0", 0, 1}, {"0", 0, 1},
    {"1", 0, 1}, {"0", 0, 1}, {"0", 0, 1}, {"0", 0, 1}, {"", 1, 4},
};

const LineRule& rule(int n)
{
    if (n < 1 || n > kSettingsLineCount)
        rt::raise(rt::errSubscript);
    return kRules[n - 1];
}

std::optional<int> value_within(const std::string& text, const LineRule& r)
{
    auto number = rt::to_number(text);
    if (!number || !std::isfinite(*number) || std::fabs(*number) > 1e9)
        return std::nullopt;
    int64_t whole = rt::round_half_even(*number);
    if (whole < r.low || whole > r.high)
        return std::nullopt;
    return static_cast<int>(whole);
}

int default_value(const LineRule& r)
{
    return value_within(r.shipped, r).value_or(0);
}

} // namespace

std::string Settings::line(int n) const
{
    rule(n);
    return lines[n - 1];
}

int Settings::value(int n) const
{
    const LineRule& r = rule(n);
    return value_within(lines[n - 1], r).value_or(default_value(r));
}

Settings default_settings()
{
    Settings s;
    for (int i = 0; i < kSettingsLineCount; ++i)
        s.lines[i] = kRules[i].shipped;
    return s;
}

Settings read_settings(const std::string& path)
{
    Settings s = default_settings();
    auto block = last_block(read_lines_tolerant(path), kSettingsLineCount);
    for (std::size_t i = 0; i < block.size(); ++i)
        s.lines[i] = block[i];
    return s;
}

std::string interval_line(int choice)
{
    if (choice < 0 || choice > 4)
        rt::raise(rt::errInvalidCall);
    return choice == 0 ? "" : " " + std::to_string(choice) + " ";
}

void write_settings(const std::string& path, const Settings& settings)
{
    for (const auto& text : settings.lines)
        require_single_line(text);
    int interval = settings.value(kAutoCleanInterval);
    write_file_safely(path, [&](rt::TextFile& file) {
        for (int n = 1; n < kSettingsLineCount; ++n)
            file.print_line(settings.lines[n - 1]);
        if (interval != 0)
            file.print_number(interval);
        file.print_line();
    });
}

} // namespace pellmaris
