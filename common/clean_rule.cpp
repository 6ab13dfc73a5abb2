#include "common/clean_rule.h"
#include <windows.h>
#include <algorithm>
#include <functional>
#include "common/paths.h"
#include "common/user_locations.h"
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/final_path.h"
#include "runtime/system_places.h"
#include "runtime/text.h"
#include "runtime/unicode.h"

namespace pellmaris {

using Folder = CleanRule::Folder;

namespace {

// The longest path the wide functions take is 32,767 characters, "\\?\UNC\" included.
constexpr std::size_t kLongestPath = 32767 - 8;

// The files the program keeps in its folder, besides its skin folder.
const char* const kOwnFiles[] = {
    kSettingsFile, kAreaOptionsFile, kUserLocationsFile, kErrorLogFile, kLastCleanFile, kLocationDatabaseFile,
    kEnvBatch, kEnvDump, kSysInfoBatch, kSysInfoDump, kWelcomeFile, kWebLinksFile, kPasswordFile,
    "PMsearch.lst", "PMsearch.bat", "PMsearch.txt", "SEARCH.AVI", "Pellmaris.exe",
};

// The Windows folder's known junk, and its system folders where not even a log file goes.
const std::vector<std::vector<const char*>> kWindowsJunk = {{"Temp"}, {"Minidump"}, {"SoftwareDistribution", "Download"}};
const std::vector<std::vector<const char*>> kWindowsSystem = {{"System32"}, {"SysWOW64"}, {"WinSxS"}};

// ---- paths as steps ----

std::string join(const Folder& path, std::size_t steps)
{
    std::string text = path.root + "\\";
    for (std::size_t i = 0; i < steps; ++i)
        text += (i ? "\\" : "") + path.steps[i];
    return text;
}

std::string text_of(const Folder& path) { return join(path, path.steps.size()); }

std::vector<std::string> split_steps(const std::string& text)
{
    std::vector<std::string> steps;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            steps.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return steps;
}

void add_step(Folder& path, const std::string& step)
{
    path.steps.push_back(step);
    path.keys.push_back(rt::UCase(step));
}

// A path split into its root ("C:", "\\server\share") and steps; nothing when it is neither.
std::optional<Folder> split_path(const std::string& text)
{
    Folder path;
    std::vector<std::string> steps;
    if (text.size() >= 2 && text[0] == '\\' && text[1] == '\\') {
        steps = split_steps(text.substr(2));
        if (steps.size() < 2)
            return std::nullopt;
        path.root = "\\\\" + steps[0] + "\\" + steps[1];
        steps.erase(steps.begin(), steps.begin() + 2);
    } else if (text.size() >= 3 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':'
               && text[2] == '\\') {
        path.root = text.substr(0, 2);
        steps = split_steps(text.substr(3));
    } else {
        return std::nullopt;
    }
    path.keys.push_back(rt::UCase(path.root));
    for (const std::string& step : steps)
        add_step(path, step);
    return path;
}

// What a path as written may not hold: wildcards, quotes, pipes, stream names, control
// characters, and steps that Windows would change ("." and "..", a final blank or dot).
bool is_plain_step(const std::string& step)
{
    for (unsigned char c : step)
        if (c < 32 || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' || c == '|' || c == ':')
            return false;
    return step.back() != '.' && step.back() != ' ';
}

std::optional<Folder> written_path(std::string text)
{
    std::replace(text.begin(), text.end(), '/', '\\');
    try {
        if (rt::utf16(text).size() > kLongestPath)
            return std::nullopt;
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
    auto path = split_path(text);
    if (!path)
        return std::nullopt;
    // A share's names follow the steps' rule, so that "\\?\..." and "\\.\..." (devices) are refused.
    if (path->root.size() > 2)
        for (const std::string& name : split_steps(path->root.substr(2)))
            if (!is_plain_step(name))
                return std::nullopt;
    for (const std::string& step : path->steps)
        if (!is_plain_step(step))
            return std::nullopt;
    return path;
}

bool contains(const Folder& outer, const Folder& inner)
{
    if (outer.keys.size() > inner.keys.size())
        return false;
    return std::equal(outer.keys.begin(), outer.keys.end(), inner.keys.begin());
}

// A root is its own parent.
Folder parent_of(const Folder& path)
{
    Folder parent = path;
    if (!parent.steps.empty()) {
        parent.steps.pop_back();
        parent.keys.pop_back();
    }
    return parent;
}

bool same(const Folder& a, const Folder& b) { return a.keys == b.keys; }

// ---- final paths ----

struct Resolved {
    Folder path;
    bool exists = false;
    bool is_folder = false;
    bool is_link = false;   // its last step is a link or another name for something else
};

std::optional<Folder> final_of(const std::string& text)
{
    auto found = rt::find_final_path(text);
    return found ? split_path(found->path) : std::nullopt;
}

// Under Wine a link opens as its target, so a link shows only in its final path: that path
// is not its folder's final path followed by its own name.
bool is_alias(const Folder& path, const Folder& final)
{
    auto folder = final_of(join(path, path.steps.size() - 1));
    return !folder || folder->keys.size() + 1 != final.keys.size() || !contains(*folder, final)
        || final.keys.back() != path.keys.back();
}

// The path's final path: its own when it exists, else its deepest existing folder's final
// path followed by the steps that do not exist yet (links in those folders lead where they
// lead: the final path shows it). Nothing when a step cannot be opened, or when a step
// before the last is a file.
std::optional<Resolved> resolve(const Folder& path)
{
    try {
        for (std::size_t n = path.steps.size() + 1; n-- > 0;) {
            auto found = rt::find_final_path(join(path, n));
            if (!found)
                continue;
            auto final = split_path(found->path);
            if (!final)
                return std::nullopt;
            if (n < path.steps.size()) {
                if (!found->is_folder())
                    return std::nullopt;
                for (std::size_t i = n; i < path.steps.size(); ++i)
                    add_step(*final, path.steps[i]);
                return Resolved{*final};
            }
            const bool link = found->is_link() || (n > 0 && is_alias(path, *final));
            return Resolved{*final, true, found->is_folder(), link};
        }
    } catch (const rt::RuntimeError&) {
        return std::nullopt;
    }
    return Resolved{path};   // nothing of it exists, not even its root
}

// A folder as Windows reads its plain form: "." dropped, ".." going up, a final dot or
// blank of a step dropped.
Folder as_windows_reads(const Folder& path)
{
    Folder out{path.root, {}, {path.keys[0]}};
    for (const std::string& step : path.steps) {
        if (step == "..") {
            out = parent_of(out);
            continue;
        }
        const std::size_t keep = step.find_last_not_of(". ");
        if (keep != std::string::npos)
            add_step(out, step.substr(0, keep + 1));
    }
    return out;
}

// A protected folder's final path; where it cannot be found, its path as written, so that
// the folder stays protected (fail closed).
std::optional<Folder> final_folder(const std::optional<std::string>& text)
{
    if (!text || text->empty())
        return std::nullopt;
    auto path = split_path(*text);
    if (!path)
        return std::nullopt;
    const Folder plain = as_windows_reads(*path);
    auto resolved = resolve(plain);
    return resolved ? resolved->path : plain;
}

bool is_program_files_name(const Folder& path)
{
    return path.root.size() == 2 && path.keys.size() == 2
        && (path.keys[1] == "PROGRAM FILES" || path.keys[1] == "PROGRAM FILES (X86)");
}

bool is_loopback_host(const std::string& host)
{
    static const char* const names[] = {"LOCALHOST", "LOCALHOST.", "::1", "[::1]", "0:0:0:0:0:0:0:1",
                                        "0.0.0.0", "0--1.IPV6-LITERAL.NET", ".", "?"};
    if (std::find(std::begin(names), std::end(names), host) != std::end(names))
        return true;
    return host.rfind("127.", 0) == 0 || host.rfind("::FFFF:127.", 0) == 0 || host.rfind("[::FFFF:127.", 0) == 0;
}

bool is_own_file(const std::string& key)
{
    for (const char* name : kOwnFiles)
        if (key == rt::UCase(name))
            return true;
    return false;
}

bool has_log_extension(const std::string& key)
{
    static const std::string extension = ".LOG";
    return key.size() >= extension.size() && key.compare(key.size() - extension.size(), extension.size(), extension) == 0;
}

// ---- identities ----

constexpr uint32_t kAnyFolder = rt::attrDirectory | rt::attrReadOnly | rt::attrHidden | rt::attrSystem;

// The folders directly in a folder, links left out.
std::vector<std::string> folders_in(const std::string& folder)
{
    std::vector<std::string> folders;
    if (folder.empty())
        return folders;
    for (const rt::DirEntry& entry : rt::list_dir(folder + "\\", kAnyFolder))
        if ((entry.attributes & rt::attrDirectory) && !(entry.attributes & rt::attrReparsePoint) && rt::is_usable(entry))
            folders.push_back(folder + "\\" + entry.name);
    return folders;
}

bool starts_with_steps(const std::vector<std::string>& keys, const std::vector<const char*>& steps)
{
    if (keys.size() < steps.size())
        return false;
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (keys[i] != rt::UCase(steps[i]))
            return false;
    return true;
}

// Whether the steps below the Windows folder (as keys) lead where a clean may go: its known
// junk, and for a log file anywhere but its system folders.
bool windows_allows(const std::vector<std::string>& below, bool log)
{
    auto under = [&](const std::vector<std::vector<const char*>>& list) {
        return std::any_of(list.begin(), list.end(), [&](const auto& steps) { return starts_with_steps(below, steps); });
    };
    return under(kWindowsJunk) || (log && !under(kWindowsSystem));
}

// The folder and each folder above it, deepest first, each opened as itself (a link is not
// followed); `visit` is told each one that can be opened, with its level (0: the folder) and
// the number of the folder's steps it has, and ends the walk by returning true.
bool any_in_chain(const Folder& folder, const std::function<bool(std::size_t, std::size_t, const rt::OpenedIdentity&)>& visit)
{
    std::size_t level = 0;
    for (std::size_t n = folder.steps.size() + 1; n-- > 0; ++level) {
        const rt::OpenedIdentity id(join(folder, n));
        if (id.known() && visit(level, n, id))
            return true;
    }
    return false;
}

} // namespace

// ---- the rule ----

CleanRule::CleanRule(const std::string& program_folder) : CleanRule(program_folder, rt::windows_folder()) {}

CleanRule::CleanRule(const std::string& program_folder, const std::string& windows_folder) : ready_(true)
{
    auto env = [](const char* name) { return final_folder(rt::environment_variable(name)); };
    windows_ = final_folder(windows_folder);
    if (windows_) {
        // Named below the Windows folder's final path, not resolved: a link in their place
        // leads nowhere the rule allows.
        auto below_windows = [this](const std::vector<const char*>& steps) {
            Folder folder = *windows_;
            for (const char* step : steps)
                add_step(folder, step);
            return folder;
        };
        for (const auto& steps : kWindowsJunk)
            windows_junk_.push_back(below_windows(steps));
        for (const auto& steps : kWindowsSystem)
            windows_system_.push_back(below_windows(steps));
    }
    profile_ = env("USERPROFILE");
    if (profile_ && profile_->steps.size() >= 2)
        profiles_ = parent_of(*profile_);
    program_ = final_folder(rt::folder_path(program_folder));
    for (const auto& folder : {env("ProgramFiles"), env("ProgramFiles(x86)"), env("ProgramW6432"),
                               env("ALLUSERSPROFILE"), env("PUBLIC")})
        if (folder)
            shared_.push_back(*folder);
    protected_ = shared_;
    for (const auto& folder : {profile_, profiles_})
        if (folder)
            protected_.push_back(*folder);
    for (const std::string& name : rt::machine_names())
        machine_keys_.push_back(rt::UCase(name));
    record_identities(program_folder, windows_folder);
}

void CleanRule::record_identities(const std::string& program_folder, const std::string& windows_folder)
{
    // Every folder above a protected one, as written and by its final path.
    auto above = [this](const std::string& text) {
        for (const std::optional<Folder>& path : {split_path(text), final_folder(text)})
            for (std::size_t n = 0; path && n < path->steps.size(); ++n)
                (n == 0 ? ids_.roots : ids_.refused).add(join(*path, n));
    };
    auto guard = [&](rt::IdentitySet& ids, const std::optional<std::string>& text) {
        if (!text || text->empty())
            return;
        ids.add(*text);
        above(*text);
    };
    // The Windows folder and each folder directly in it, so that a drive letter mapped onto
    // one of them is known for what it is.
    for (const std::string& windows : {windows_folder, rt::windows_folder()}) {
        guard(ids_.windows, windows);
        for (const std::string& folder : folders_in(windows))
            ids_.windows_children.add(folder);
    }
    std::vector<std::optional<std::string>> program_files = {rt::environment_variable("ProgramFiles"),
                                                             rt::environment_variable("ProgramFiles(x86)"),
                                                             rt::environment_variable("ProgramW6432")};
    for (const std::string& folder : rt::program_files_folders())
        program_files.push_back(folder);
    for (const auto& folder : program_files) {
        guard(ids_.refused, folder);
        guard(ids_.program_files, folder);
    }
    for (const char* name : {"ALLUSERSPROFILE", "PUBLIC", "USERPROFILE"})
        guard(ids_.refused, rt::environment_variable(name));
    std::vector<std::optional<std::string>> profiles = {rt::profiles_folder()};
    if (profiles_)
        profiles.push_back(text_of(*profiles_));
    if (auto profile = split_path(rt::environment_variable("USERPROFILE").value_or("")); profile && profile->steps.size() >= 2)
        profiles.push_back(join(*profile, profile->steps.size() - 1));
    for (const auto& folder : profiles) {
        guard(ids_.refused, folder);
        guard(ids_.profiles, folder);
        // Each profile by its own identity too: a drive letter mapped onto one hides the
        // folder above it.
        for (const std::string& profile : folders_in(folder.value_or("")))
            ids_.refused.add(profile);
    }
    const std::string program = rt::folder_path(program_folder);
    if (auto path = split_path(program); path && path->steps.empty()) {
        ids_.program_root.add(program);
        ids_.program.add(program + kSkinFolder);
    } else if (!program.empty()) {
        ids_.program.add(program);
    }
}

// What a folder location, or the folder of a file location, is by identity: refused when it
// is a folder refused above, a profile, or lies in the Windows folder (but for its junk and,
// for a log file, outside its system folders) or in the program folder.
bool CleanRule::refused_by_identity(const Folder& folder, const std::string& file_key) const
{
    const bool file = !file_key.empty();
    const bool log = file && has_log_extension(file_key);
    return any_in_chain(folder, [&](std::size_t level, std::size_t steps, const rt::OpenedIdentity& id) {
        if (level == 0 && (ids_.refused.holds(id) || (!file && ids_.roots.holds(id))))
            return true;
        if (level == 0 && file && ids_.program_root.holds(id) && is_own_file(file_key))
            return true;
        if (level == 1 && ids_.profiles.holds(id))
            return true;
        return windows_refuses(id, {folder.keys.begin() + 1 + steps, folder.keys.end()}, log) || ids_.program.holds(id);
    });
}

// When the folder is the Windows folder or one directly in it, whether the steps below it
// lead somewhere refused.
bool CleanRule::windows_refuses(const rt::OpenedIdentity& id, std::vector<std::string> below, bool log) const
{
    if (auto child = ids_.windows_children.match(id))
        below.insert(below.begin(), rt::UCase(child->substr(child->find_last_of('\\') + 1)));
    else if (!ids_.windows.holds(id))
        return false;
    return !windows_allows(below, log);
}

// A folder a clean opened below an allowed location: the folders above it were judged already.
bool CleanRule::self_refused_by_identity(const rt::OpenedIdentity& folder) const
{
    return ids_.refused.holds(folder) || ids_.roots.holds(folder) || windows_refuses(folder, {}, false)
        || ids_.program.holds(folder) || ids_.program_root.holds(folder);
}

bool CleanRule::refused_share(const Folder& path) const
{
    if (path.root.size() <= 2)
        return false;
    const std::vector<std::string> names = split_steps(path.keys[0].substr(2));
    const std::string& host = names[0];
    const std::string& share = names[1];
    return share.back() == '$' || is_loopback_host(host)
        || std::find(machine_keys_.begin(), machine_keys_.end(), host) != machine_keys_.end();
}

bool CleanRule::names_protected_folder(const Folder& path) const
{
    if (path.steps.empty() || is_program_files_name(path))
        return true;
    for (const Folder& folder : protected_)
        if (contains(path, folder))
            return true;
    // Every user's folder sits beside the current user's one.
    return profiles_ && same(parent_of(path), *profiles_);
}

bool CleanRule::in_program_folder(const Folder& path) const
{
    if (!program_)
        return false;
    if (program_->steps.empty()) {   // a drive root: only its own skin folder
        Folder skin = *program_;
        add_step(skin, kSkinFolder);
        return contains(skin, path);
    }
    return contains(*program_, path);
}

bool CleanRule::is_program_file(const Folder& path) const
{
    if (in_program_folder(path))
        return true;
    return program_ && same(parent_of(path), *program_) && is_own_file(path.keys.back());
}

// The Windows folder, any folder above it, and its sub-folders but its known junk.
bool CleanRule::refused_in_windows(const Folder& path) const
{
    if (!windows_)
        return false;
    if (contains(path, *windows_))
        return true;
    return contains(*windows_, path)
        && std::none_of(windows_junk_.begin(), windows_junk_.end(), [&](const Folder& f) { return contains(f, path); });
}

// A log file the system writes in its Windows folder (setup, update and repair logs): junk
// wherever it lies there, except among the system's own files.
bool CleanRule::is_windows_log(const Folder& path) const
{
    return windows_ && path.keys.size() > windows_->keys.size() && contains(*windows_, path)
        && has_log_extension(path.keys.back())
        && std::none_of(windows_system_.begin(), windows_system_.end(), [&](const Folder& f) { return contains(f, path); });
}

bool CleanRule::refused_folder(const Folder& path) const
{
    return refused_share(path) || names_protected_folder(path) || in_program_folder(path) || refused_in_windows(path);
}

bool CleanRule::refused_file(const Folder& path) const
{
    if (refused_share(path) || names_protected_folder(path) || is_program_file(path)
        || (windows_ && contains(path, *windows_)))
        return true;
    const Folder folder = parent_of(path);
    if (folder.steps.empty())
        return false;
    // A Windows log is refused only for what its folder is beside being in the Windows folder.
    if (is_windows_log(path))
        return refused_share(folder) || names_protected_folder(folder) || in_program_folder(folder);
    return refused_folder(folder);
}

std::optional<std::string> CleanRule::folder_location(const std::string& path) const
{
    auto written = written_path(path);
    if (!ready_ || !written || refused_share(*written))
        return std::nullopt;
    auto resolved = resolve(*written);
    if (!resolved || (resolved->exists && (!resolved->is_folder || resolved->is_link)))
        return std::nullopt;
    if (refused_folder(resolved->path) || refused_by_identity(resolved->path, ""))
        return std::nullopt;
    return text_of(resolved->path) + "\\";
}

std::optional<std::string> CleanRule::file_location(const std::string& path) const
{
    auto written = written_path(path);
    if (!ready_ || !written || written->steps.empty() || refused_share(*written))
        return std::nullopt;
    auto resolved = resolve(*written);
    if (!resolved || resolved->is_folder || resolved->is_link || refused_file(resolved->path)
        || refused_by_identity(parent_of(resolved->path), resolved->path.keys.back()))
        return std::nullopt;
    return text_of(resolved->path);
}

bool CleanRule::may_empty_folder(const std::string& final_folder) const
{
    auto path = split_path(final_folder);
    return ready_ && path && !refused_folder(*path);
}

bool CleanRule::may_empty_folder(const rt::FolderHandle& folder) const
{
    return may_empty_folder(folder.final_path()) && !self_refused_by_identity(rt::OpenedIdentity(folder.native_handle()));
}

bool CleanRule::keeps_empty_files_in(const std::string& final_folder) const
{
    auto path = split_path(final_folder);
    if (!path)
        return true;
    if ((windows_ && contains(*windows_, *path)) || in_program_folder(*path) || (program_ && same(*path, *program_)))
        return true;
    return in_system_or_program_by_identity(*path, true);
}

// The folder or one above it is, by identity, the Windows folder or one directly in it, the
// program folder (a program folder that is a drive root: only the folder itself) or, when
// asked, a Program Files folder.
bool CleanRule::in_system_or_program_by_identity(const Folder& path, bool program_files) const
{
    return any_in_chain(path, [&](std::size_t level, std::size_t, const rt::OpenedIdentity& id) {
        return ids_.windows.holds(id) || ids_.windows_children.holds(id) || (program_files && ids_.program_files.holds(id))
            || ids_.program.holds(id) || (level == 0 && ids_.program_root.holds(id));
    });
}

bool CleanRule::may_be_added(const UserLocation& location) const
{
    if (!location.is_folder)
        return file_location(location.path).has_value();
    auto folder = folder_location(location.path);
    auto path = folder ? split_path(*folder) : std::nullopt;
    return path && !(program_ && contains(*path, *program_));
}

bool CleanRule::may_be_profile(const std::string& folder) const
{
    auto written = written_path(folder);
    if (!ready_ || !written || refused_share(*written))
        return false;
    auto resolved = resolve(*written);
    if (!resolved || resolved->path.steps.empty() || refused_share(resolved->path))
        return false;
    const Folder& path = resolved->path;
    if (windows_ && (contains(path, *windows_) || contains(*windows_, path)))
        return false;
    if (in_program_folder(path) || (program_ && same(path, *program_)) || is_program_files_name(path))
        return false;
    if (in_system_or_program_by_identity(path, false))
        return false;
    return std::none_of(shared_.begin(), shared_.end(), [&](const Folder& f) { return same(path, f); });
}

bool may_be_cleaned(const std::string& path, const std::string& program_folder)
{
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    bool folder = !text.empty() && text.back() == '\\';
    if (!folder) {
        try {
            auto found = rt::find_final_path(text);
            folder = found && found->is_folder();
        } catch (const rt::RuntimeError&) {
        }
    }
    return CleanRule(program_folder).may_be_added(UserLocation{folder, path});
}

bool may_be_cleaned(const UserLocation& location, const std::string& program_folder)
{
    return CleanRule(program_folder).may_be_added(location);
}

} // namespace pellmaris
