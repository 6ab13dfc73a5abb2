#include "engine/area_values.h"
#include "common/area_options.h"
#include "runtime/text.h"
#include "runtime/textfile.h"

namespace pellmaris {

namespace {

std::string next_item(rt::TextFile& file) { return rt::Trim(file.input_item()); }

bool is_marker(const std::string& item, const char* marker) { return rt::UCase(item) == marker; }

// Reads items up to and including `marker`; false at the end of the file.
bool skip_to(rt::TextFile& file, const char* marker)
{
    while (!file.eof())
        if (is_marker(next_item(file), marker))
            return true;
    return false;
}

void read_force_options(rt::TextFile& file, ForceOptions& force)
{
    force.read_only = rt::CInt(next_item(file));
    force.hidden = rt::CInt(next_item(file));
}

// A value compared with a number: empty counts as 0, text that is no number is a type mismatch.
double number_of(const std::string& value)
{
    if (value.empty())
        return 0;
    auto number = rt::to_number(value);
    if (!number)
        rt::raise(rt::errTypeMismatch);
    return *number;
}

} // namespace

bool FullCleanAreas::set(int n) const { return equals(n, 1); }

bool FullCleanAreas::equals(int n, double v) const { return rt::equals_number(values.at(n - 1), v); }

FullCleanAreas read_full_clean_areas(const std::string& path)
{
    FullCleanAreas areas;
    try {
        rt::TextFile file(path, rt::TextFile::Input);
        while (skip_to(file, kList1Marker)) {
            for (std::string& value : areas.values)
                value = next_item(file);
            if (is_marker(areas.values[12], kList2Marker))
                areas.values[12] = "2";   // twelve area rows: no user-locations row
            else
                next_item(file);          // the "[LIST2]" marker
            read_force_options(file, areas.force);
        }
    } catch (const rt::RuntimeError&) {
        // what was read stays; the rest stays unset
    }
    return areas;
}

bool SingleAreaValues::gate_closed() const { return number_of(gate) == 0; }

bool SingleAreaValues::sub_option(std::size_t n) const
{
    return n >= 1 && n <= sub_options.size() && number_of(sub_options[n - 1]) == 1;
}

SingleAreaValues read_single_area_values(const std::string& path, int gate_position, int sub_option_count)
{
    SingleAreaValues values;
    rt::TextFile file(path, rt::TextFile::Input);
    if (!skip_to(file, kList1Marker))
        return values;
    std::string last = next_item(file);
    int counter = 0;
    while (last.rfind('[', 0) != 0 && counter < gate_position - 1) {
        last = next_item(file);
        ++counter;
    }
    values.gate = last;
    if (counter == gate_position - 1)
        for (int i = 0; i < sub_option_count; ++i)
            values.sub_options.push_back(next_item(file));
    try {
        if (skip_to(file, kList2Marker) && !file.eof())
            read_force_options(file, values.force);
    } catch (const rt::RuntimeError& e) {
        values.force_error = e;
    }
    return values;
}

ForceOptions read_user_clean_force_options(const std::string& path)
{
    ForceOptions force;
    try {
        rt::TextFile file(path, rt::TextFile::Input);
        while (skip_to(file, kList1Marker)) {
            for (int i = 0; i < 12; ++i)
                next_item(file);
            if (!is_marker(next_item(file), kList2Marker))
                next_item(file);   // the thirteenth value came first
            read_force_options(file, force);
        }
    } catch (const rt::RuntimeError&) {
        // a missing or short file leaves what was not read
    }
    return force;
}

} // namespace pellmaris
