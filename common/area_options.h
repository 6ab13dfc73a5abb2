#pragma once
// pmdb.lst: the chosen cleaning areas and the four options.
#include <array>
#include <string>
#include <vector>

namespace pellmaris {

// Rows of the area list, captions exactly as shown (items begin with three blanks).
extern const std::array<std::string, 13> AreaList;
// Rows of the option list.
extern const std::array<std::string, 4> OptionList;

// 1-based positions in AreaList.
enum AreaRow : int {
    kRowGamerFiles = 1,
    kRowTempGameCache = 2,
    kRowInternet = 3,
    kRowTempInternetFiles = 4,
    kRowCookies = 5,
    kRowBrowserHistory = 6,
    kRowFormData = 7,
    kRowBrowserPasswords = 8,
    kRowAddOns = 9,
    kRowTemporaryFiles = 10,
    kRowTempFiles = 11,
    kRowLogFiles = 12,
    kRowUserOwnLocations = 13,   // only while PMuser.lst exists
};
// 1-based positions in OptionList.
enum OptionRow : int {
    kOptionForceReadOnly = 1,
    kOptionForceHidden = 2,
    kOptionRemoveEmptyFolders = 3,
    kOptionAnalyseOnStart = 4,
};

inline constexpr const char* kList1Marker = "[LIST1]";
inline constexpr const char* kList2Marker = "[LIST2]";
// Shown when pmdb.lst is missing or unreadable.
inline constexpr const char* kAreaOptionsMissing =
    "The file containing area's to be cleaned is missing\nPlease select [ADVANCED] button";

// "[LIST1]" CR LF, one " d " per area row, CR LF, "[LIST2]" CR LF, one " d " per option,
// no line end. area_rows must have 12 or 13 rows (else raises 5 before touching the file).
// Safe write: on failure raises rt::RuntimeError and the old file stays as it was.
void write_area_options(const std::string& path, const std::vector<bool>& area_rows,
                        const std::array<bool, 4>& options);

// Raw items after the last "[LIST1]" up to the next item beginning "[", and after the
// last "[LIST2]" likewise. Never throws; a missing file gives both empty.
struct AreaFlags {
    std::vector<std::string> areas;
    std::vector<std::string> options;

    // True when the item at 1-based position n exists and equals 1 as a number.
    bool area(int n) const;
    bool option(int n) const;
};
AreaFlags read_area_flags(const std::string& path);

} // namespace pellmaris
