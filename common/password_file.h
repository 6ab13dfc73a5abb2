#pragma once
// pass.ini: the password of the settings and tools lock, one line. New files hold a salted,
// iterated hash of the password ("pbkdf2-sha256$iterations$salt$hash", hex digits); a line in
// the old plain form is the password itself and still counts until the next change.
#include <cstdint>
#include <string>

namespace pellmaris {

inline constexpr const char* kPasswordHashScheme = "pbkdf2-sha256";
inline constexpr uint32_t kPasswordIterations = 100000;

// The stored line for a password: a fresh random salt each time.
std::string password_record(const std::string& password);

// Whether the typed text is the password the stored line stands for: exact and
// case-sensitive, against the hash or, for an old plain line, against the line itself.
bool password_matches(const std::string& typed, const std::string& stored_line);

// The stored line: the last line of the file. A missing or empty file gives "" (the empty
// password); a file that exists but cannot be read raises, so that the lock stays shut.
std::string read_password_line(const std::string& path);

// Replaces the file with one line holding the password's record; on failure raises
// rt::RuntimeError and the old file stays as it was.
void write_password_file(const std::string& path, const std::string& password);

} // namespace pellmaris
