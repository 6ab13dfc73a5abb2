#include "common/area_options.h"
#include "common/file_io.h"
#include "runtime/errors.h"
#include "runtime/text.h"

namespace pellmaris {

const std::array<std::string, 13> AreaList = {
    "GAMER FILES",
    "   Clear Temporary Game Cache",
    "INTERNET ",
    "   Clear Temporary Internet Files",
    "   Clear Cookies",
    "   Clear Browser History",
    "   Clear Form Data",
    "   Clear Browser Passwords",
    "   Clear Files and Settings stored by Add-ons",
    "TEMPORARY FILES",
    "   Clear Temporary Files",
    "   Clear Log Files",
    "USER OWN LOCATIONS",
};

const std::array<std::string, 4> OptionList = {
    "FORCE DELETION OF READ ONLY FILES",
    "FORCE DELETION OF HIDDEN FILES",
    "REMOVE EMPTY FOLDERS",
    "ANALYSE DRIVE ON PROGRAM START",
};

namespace {

template <typename Flags>
void print_flags(rt::TextFile& file, const Flags& flags)
{
    for (bool on : flags)
        file.print_number(on ? 1 : 0);
}

bool item_is_one(const std::vector<std::string>& items, int n)
{
    return n >= 1 && n <= static_cast<int>(items.size()) && rt::equals_number(items[n - 1], 1);
}

std::vector<std::string> read_items(const std::string& path)
{
    std::vector<std::string> items;
    try {
        rt::TextFile file(path, rt::TextFile::Input);
        while (!file.eof()) {
            std::string item = file.input_item();
            if (item.empty() && file.eof())
                break;   // trailing blanks after the last flag
            items.push_back(item);
        }
    } catch (const std::exception&) {
        // missing or damaged: keep what was read
    }
    return items;
}

} // namespace

void write_area_options(const std::string& path, const std::vector<bool>& area_rows,
                        const std::array<bool, 4>& options)
{
    if (area_rows.size() != AreaList.size() && area_rows.size() != AreaList.size() - 1)
        rt::raise(rt::errInvalidCall);
    write_file_safely(path, [&](rt::TextFile& file) {
        file.print_line(kList1Marker);
        print_flags(file, area_rows);
        file.print_line();
        file.print_line(kList2Marker);
        print_flags(file, options);
    });
}

bool AreaFlags::area(int n) const { return item_is_one(areas, n); }
bool AreaFlags::option(int n) const { return item_is_one(options, n); }

AreaFlags read_area_flags(const std::string& path)
{
    AreaFlags flags;
    std::vector<std::string>* target = nullptr;
    for (const auto& item : read_items(path)) {
        std::string marker = rt::UCase(item);
        if (marker == kList1Marker) {
            target = &flags.areas;
            target->clear();
        } else if (marker == kList2Marker) {
            target = &flags.options;
            target->clear();
        } else if (!item.empty() && item[0] == '[') {
            target = nullptr;
        } else if (target) {
            target->push_back(item);
        }
    }
    return flags;
}

} // namespace pellmaris
