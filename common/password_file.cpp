#include "common/password_file.h"
#include <windows.h>
#include <bcrypt.h>
#include <optional>
#include <vector>
#include "common/file_io.h"
#include "runtime/errors.h"

namespace pellmaris {

namespace {

using Bytes = std::vector<unsigned char>;

constexpr size_t kSaltBytes = 16;
constexpr size_t kHashBytes = 32;
// Ten times what the program writes, so that one check takes about a second at the most: a
// record asking for more (a tampered file) is no record and only matches its own text.
constexpr uint32_t kMostIterations = 10 * kPasswordIterations;

struct Record {
    uint32_t iterations;
    Bytes salt, hash;
};

[[noreturn]] void raise_crypto_failure() { rt::raise(rt::errInvalidCall); }

Bytes random_bytes(size_t count)
{
    Bytes bytes(count);
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(count),
                                        BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
        raise_crypto_failure();
    return bytes;
}

Bytes derive(const std::string& password, const Bytes& salt, uint32_t iterations)
{
    BCRYPT_ALG_HANDLE hmac = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&hmac, BCRYPT_SHA256_ALGORITHM, nullptr,
                                                    BCRYPT_ALG_HANDLE_HMAC_FLAG)))
        raise_crypto_failure();
    Bytes key(kHashBytes);
    // The empty password is a password too; the call wants a buffer all the same.
    unsigned char none = 0;
    auto* text = password.empty() ? &none : reinterpret_cast<unsigned char*>(const_cast<char*>(password.data()));
    NTSTATUS status = BCryptDeriveKeyPBKDF2(hmac, text, static_cast<ULONG>(password.size()),
                                            const_cast<unsigned char*>(salt.data()), static_cast<ULONG>(salt.size()),
                                            iterations, key.data(), static_cast<ULONG>(key.size()), 0);
    BCryptCloseAlgorithmProvider(hmac, 0);
    if (!BCRYPT_SUCCESS(status))
        raise_crypto_failure();
    return key;
}

std::string hex(const Bytes& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

std::optional<Bytes> from_hex(const std::string& text, size_t expected_bytes)
{
    if (text.size() != expected_bytes * 2)
        return std::nullopt;
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    Bytes bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        int high = digit(text[i]), low = digit(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return bytes;
}

std::optional<uint32_t> iteration_count(const std::string& text)
{
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + static_cast<uint32_t>(c - '0');
    }
    if (n == 0 || n > kMostIterations)
        return std::nullopt;
    return n;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// A line in the hash form, or nothing when it is a plain password of old.
std::optional<Record> parse_record(const std::string& line)
{
    const std::vector<std::string> parts = split(line, '$');
    if (parts.size() != 4 || parts[0] != kPasswordHashScheme)
        return std::nullopt;
    auto iterations = iteration_count(parts[1]);
    auto salt = from_hex(parts[2], kSaltBytes);
    auto hash = from_hex(parts[3], kHashBytes);
    if (!iterations || !salt || !hash)
        return std::nullopt;
    return Record{*iterations, *salt, *hash};
}

// Compares in a time that does not depend on where the bytes first differ.
bool same_bytes(const Bytes& a, const Bytes& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

} // namespace

std::string password_record(const std::string& password)
{
    const Bytes salt = random_bytes(kSaltBytes);
    return std::string(kPasswordHashScheme) + "$" + std::to_string(kPasswordIterations) + "$" + hex(salt) + "$" +
           hex(derive(password, salt, kPasswordIterations));
}

bool password_matches(const std::string& typed, const std::string& stored_line)
{
    if (auto record = parse_record(stored_line))
        return same_bytes(derive(typed, record->salt, record->iterations), record->hash);
    return typed == stored_line;
}

std::string read_password_line(const std::string& path)
{
    const std::vector<std::string> lines = read_lines_strict(path);
    return lines.empty() ? std::string() : lines.back();
}

void write_password_file(const std::string& path, const std::string& password)
{
    const std::string record = password_record(password);
    write_file_safely(path, [&](rt::TextFile& file) { file.print_line(record); });
}

} // namespace pellmaris
