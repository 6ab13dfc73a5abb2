#include "common/settings_file.h"
#include <cmath>
#include "common/file_io.h"
#include "runtime/errors.h"
#include "runtime/text.h"

namespace pellmaris {

namespace {

// The shipped text of each line (the same as resources/settings.ini).
constexpr const char* kShipped[kSettingsLineCount] = {
    "0", "0", "0", "1", "1", "0", "0", "200", "False", "0", "0", "0",
    "0", "1500", "0", "0", "0", "0", "1", "0", "0", "0", "",
};

void require_line_number(int n)
{
    if (n < 1 || n > kSettingsLineCount)
        rt::raise(rt::errSubscript);
}

std::optional<double> number_of(const std::string& text)
{
    auto number = rt::to_number(text);
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return number;
}

} // namespace

std::string Settings::line(int n) const
{
    require_line_number(n);
    return lines[n - 1];
}

std::optional<double> Settings::number(int n) const
{
    require_line_number(n);
    return number_of(lines[n - 1]);
}

double Settings::value(int n) const
{
    require_line_number(n);
    if (auto read = number_of(lines[n - 1]))
        return *read;
    return number_of(kShipped[n - 1]).value_or(0.0);
}

int Settings::interval_choice() const
{
    for (int choice = 1; choice <= 4; ++choice)
        if (is(kAutoCleanInterval, choice))
            return choice;
    return 0;
}

Settings default_settings()
{
    Settings s;
    for (int i = 0; i < kSettingsLineCount; ++i)
        s.lines[i] = kShipped[i];
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
    const int interval = settings.interval_choice();
    write_file_safely(path, [&](rt::TextFile& file) {
        for (int n = 1; n < kSettingsLineCount; ++n)
            file.print_line(settings.lines[n - 1]);
        if (interval != 0)
            file.print_number(interval);
        file.print_line();
    });
}

} // namespace pellmaris
