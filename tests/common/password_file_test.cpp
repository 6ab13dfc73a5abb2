#include "common/password_file.h"
#include <windows.h>
#include <bcrypt.h>
#include <chrono>
#include <gtest/gtest.h>

using namespace pellmaris;

namespace {

// A record of `password` with `iterations`, made here with the system's own PBKDF2.
std::string record_with(const std::string& password, uint32_t iterations)
{
    BCRYPT_ALG_HANDLE hmac = nullptr;
    EXPECT_TRUE(BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&hmac, BCRYPT_SHA256_ALGORITHM, nullptr, BCRYPT_ALG_HANDLE_HMAC_FLAG)));
    unsigned char salt[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    unsigned char key[32] = {};
    EXPECT_TRUE(BCRYPT_SUCCESS(BCryptDeriveKeyPBKDF2(hmac, reinterpret_cast<unsigned char*>(const_cast<char*>(password.data())),
                                                     static_cast<ULONG>(password.size()), salt, sizeof salt, iterations,
                                                     key, sizeof key, 0)));
    BCryptCloseAlgorithmProvider(hmac, 0);
    auto hex = [](const unsigned char* bytes, size_t n) {
        std::string out;
        for (size_t i = 0; i < n; ++i) {
            char two[3];
            snprintf(two, sizeof two, "%02x", bytes[i]);
            out += two;
        }
        return out;
    };
    return std::string(kPasswordHashScheme) + "$" + std::to_string(iterations) + "$" + hex(salt, sizeof salt) + "$" +
           hex(key, sizeof key);
}

double seconds_to_match(const std::string& typed, const std::string& line, bool& matched)
{
    const auto start = std::chrono::steady_clock::now();
    matched = password_matches(typed, line);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

TEST(PasswordFile, ARecordAtTheCapIsCheckedInAboutASecondAndOneAboveItIsNoRecord)
{
    bool matched = false;
    const std::string at_cap = record_with("Open Sesame", 10 * kPasswordIterations);
    EXPECT_LT(seconds_to_match("Open Sesame", at_cap, matched), 3.0);
    EXPECT_TRUE(matched);
    // Above the cap (here the cap of old, which took 13 s a try) it only matches its own text.
    const std::string above = record_with("Open Sesame", 10 * kPasswordIterations + 1);
    const std::string old_cap = above.substr(0, above.find('$') + 1) + "10000000" + above.substr(above.find('$', 14));
    for (const std::string& line : {above, old_cap}) {
        EXPECT_LT(seconds_to_match("Open Sesame", line, matched), 0.5) << line;
        EXPECT_FALSE(matched) << line;
        EXPECT_TRUE(password_matches(line, line));
    }
}
