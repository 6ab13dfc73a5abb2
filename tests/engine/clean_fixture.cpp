#include "clean_fixture.h"
#include "support/host.h"
#include "common/settings_file.h"
#include "runtime/filesys.h"
#include "runtime/text.h"
#include "runtime/unicode.h"

namespace cleantest {

std::string area_file(const std::string& areas, const std::string& options)
{
    std::string flags;
    for (char c : areas)
        if (c != ' ')
            flags += std::string(" ") + c + " ";
    std::string option_flags;
    for (char c : options)
        if (c != ' ')
            option_flags += std::string(" ") + c + " ";
    return "[LIST1]\r\n" + flags + "\r\n[LIST2]\r\n" + option_flags;
}

std::string all_areas(int force_read_only, int force_hidden)
{
    return area_file("1111111111111", std::to_string(force_read_only) + std::to_string(force_hidden) + "00");
}

void set_attributes(const std::string& path, DWORD a)
{
    ASSERT_TRUE(SetFileAttributesW(rt::wide_path(path).c_str(), a == 0 ? FILE_ATTRIBUTE_NORMAL : a)) << path;
}

DWORD attributes(const std::string& path) { return GetFileAttributesW(rt::wide_path(path).c_str()); }

bool exists(const std::string& path) { return attributes(path) != INVALID_FILE_ATTRIBUTES; }

namespace {

bool starts_with(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

bool is_file_line(const std::string& line)
{
    return starts_with(line, "          ") && !starts_with(line, "          Location = ");
}

} // namespace

std::string host_path(const std::string& path) { return testsupport::host_path(path); }

bool host_command(std::vector<std::string> args) { return testsupport::run_on_host(std::move(args)); }

void make_host_file_link(const std::string& link, const std::string& target)
{
    const std::string host_target = host_path(target), host_link = host_path(link);
    ASSERT_FALSE(host_target.empty() || host_link.empty()) << "not running under Wine";
    ASSERT_TRUE(host_command({"/bin/ln", "-s", host_target, host_link})) << link;
}

void make_host_link(const std::string& link, const std::string& target)
{
    make_host_file_link(link, target);
    ASSERT_EQ(attributes(link) & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY),
              DWORD(FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        << "no link at " << link;
}

std::vector<std::string> comparable(std::vector<std::string> report)
{
    for (auto run = report.begin(); run != report.end();) {
        if (!is_file_line(*run)) {
            ++run;
            continue;
        }
        auto end = std::find_if_not(run, report.end(), is_file_line);
        std::sort(run, end);
        run = end;
    }
    return report;
}

CleanTest::CleanTest() : program(dir / "program"), profile(dir / "Users\\me"), home(dir / "home")
{
    testsupport::make_dirs(program);
    testsupport::make_dirs(profile);
    testsupport::make_dirs(home);
    for (const char* name : {"settings.ini", "info.ini", "PMwebs.lst", "PMlist.lst"})
        testsupport::write_bytes(in_program(name), testsupport::read_bytes(testsupport::stage_folder() + "\\" + name));
    put(in_program("sentinel.txt"), "program sentinel");
    set_areas(all_areas(1, 1));
    set_environment(home, profile);
}

void CleanTest::start()
{
    start_with_locations(pellmaris::decode_location_database(in_program("PMlist.lst")));
}

void CleanTest::start_with_locations(const std::vector<std::string>& lines)
{
    app = std::make_unique<pellmaris::Program>(testsupport::make_fake_system(program, fakes));
    for (const std::string& line : lines)
        app->Form5.List1.AddItem(line);
    load_main_window();
}

void CleanTest::load_main_window()
{
    form().Load();
    // A clean must never reach beyond the scratch folder.
    const std::string scratch = dir.path() + "\\";
    for (const std::string* prefix : {&form().user_profile, &form().home_drive})
        ASSERT_TRUE(prefix->empty() || prefix->rfind(scratch, 0) == 0) << *prefix;
    fakes.dialogs->prompts.clear();
}

std::string CleanTest::junk(const std::string& path, std::size_t size)
{
    put(path, std::string(size, 'j'));
    return path;
}

void CleanTest::put(const std::string& path, const std::string& bytes)
{
    testsupport::make_dirs(path.substr(0, path.find_last_of('\\')));
    testsupport::write_bytes(path, bytes);
}

std::string CleanTest::sentinel(const std::string& path)
{
    sentinels[path] = "sentinel of " + path;
    put(path, sentinels[path]);
    return path;
}

void CleanTest::expect_sentinels_intact()
{
    for (const auto& [path, bytes] : sentinels) {
        ASSERT_TRUE(exists(path)) << path;
        EXPECT_EQ(testsupport::read_bytes(path), bytes) << path;
    }
}

void CleanTest::set_user_locations(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    put(in_program("PMuser.lst"), text);
}

void CleanTest::set_setting(int n, const std::string& value)
{
    if (settings_lines.empty()) {
        const auto shipped = pellmaris::default_settings().lines;
        settings_lines.assign(shipped.begin(), shipped.end());
    }
    settings_lines.at(n - 1) = value;
    std::string text;
    for (const std::string& line : settings_lines)
        text += line + "\r\n";
    put(in_program("settings.ini"), text);
}

void CleanTest::set_environment(const std::string& home_value, const std::string& profile_value)
{
    environment.set("HOMEDRIVE", home_value);
    environment.set("USERPROFILE", profile_value);
    write_dump(home_value, profile_value);
}

void CleanTest::write_dump(const std::string& home_value, const std::string& profile_value)
{
    put(in_program("orvane.dat"), "ALLUSERSPROFILE=C:\\ProgramData\r\nHOMEDRIVE=" + home_value
                                      + "\r\nPATH=C:\\windows\r\nUSERPROFILE=" + profile_value + "\r\n");
}

int CleanTest::prompts_starting(const std::string& words) const
{
    int n = 0;
    for (const auto& p : fakes.dialogs->prompts)
        n += p.text.rfind(words, 0) == 0;
    return n;
}

} // namespace cleantest
