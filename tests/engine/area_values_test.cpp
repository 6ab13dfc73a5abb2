// The positional readings of pmdb.lst made by the full, single-area and user-location cleans.
#include <gtest/gtest.h>
#include "engine/area_values.h"
#include "support/scratch.h"

using namespace pellmaris;

namespace {

class AreaValues : public ::testing::Test {
protected:
    testsupport::ScratchDir dir;
    std::string path = dir / "pmdb.lst";
    void put(const std::string& text) { testsupport::write_bytes(path, text); }
};

const char* const kTwelve = "[LIST1]\r\n 1  0  1  1  0  1  1  0  0  1  1  1 \r\n[LIST2]\r\n 1  0  0  0 ";
const char* const kThirteen = "[LIST1]\r\n 1  0  1  1  0  1  1  0  0  1  1  1  1 \r\n[LIST2]\r\n 1  0  0  0 ";

} // namespace

TEST_F(AreaValues, FullCleanTakesTwelveValuesAsNoUserRow)
{
    put(kTwelve);
    FullCleanAreas areas = read_full_clean_areas(path);
    EXPECT_TRUE(areas.set(1));
    EXPECT_FALSE(areas.set(2));
    EXPECT_TRUE(areas.set(12));
    EXPECT_TRUE(areas.equals(13, 2));
    EXPECT_EQ(areas.force.read_only, int16_t(1));
    EXPECT_EQ(areas.force.hidden, int16_t(0));
}

TEST_F(AreaValues, FullCleanTakesThirteenValuesAndSkipsTheMarker)
{
    put(kThirteen);
    FullCleanAreas areas = read_full_clean_areas(path);
    EXPECT_TRUE(areas.set(13));
    EXPECT_EQ(areas.force.read_only, int16_t(1));
    EXPECT_EQ(areas.force.hidden, int16_t(0));
}

TEST_F(AreaValues, FullCleanKeepsWhatWasReadBeforeAFailure)
{
    put("[LIST1]\r\n 1  1  0 ");
    FullCleanAreas areas = read_full_clean_areas(path);
    EXPECT_TRUE(areas.set(1));
    EXPECT_TRUE(areas.set(2));
    EXPECT_FALSE(areas.set(3));
    EXPECT_TRUE(areas.values[3].empty());
    EXPECT_FALSE(areas.force.read_only.has_value());

    put("[LIST1]\r\n 1  1  1  1  1  1  1  1  1  1  1  1  1 \r\n[LIST2]\r\n 1  x ");
    areas = read_full_clean_areas(path);
    EXPECT_EQ(areas.force.read_only, int16_t(1));
    EXPECT_FALSE(areas.force.hidden.has_value());
}

TEST_F(AreaValues, FullCleanOfAMissingFileSelectsNothing)
{
    FullCleanAreas areas = read_full_clean_areas(path);
    for (int n = 1; n <= 13; ++n)
        EXPECT_FALSE(areas.set(n));
    EXPECT_FALSE(areas.force.read_only.has_value());
}

TEST_F(AreaValues, SingleAreaReadsUpToItsGateAndItsSubOptions)
{
    put(kThirteen);
    SingleAreaValues gamer = read_single_area_values(path, 2, 0);
    EXPECT_TRUE(gamer.gate_closed());   // value 2 is 0; value 1 is not looked at
    SingleAreaValues internet = read_single_area_values(path, 3, 6);
    EXPECT_FALSE(internet.gate_closed());
    EXPECT_EQ(internet.sub_options, (std::vector<std::string>{"1", "0", "1", "1", "0", "0"}));
    EXPECT_TRUE(internet.sub_option(1));
    EXPECT_FALSE(internet.sub_option(2));
    EXPECT_EQ(internet.force.read_only, int16_t(1));
    EXPECT_EQ(internet.force.hidden, int16_t(0));
    SingleAreaValues temp = read_single_area_values(path, 10, 2);
    EXPECT_EQ(temp.gate, "1");
    EXPECT_EQ(temp.sub_options, (std::vector<std::string>{"1", "1"}));
}

TEST_F(AreaValues, SingleAreaWithoutListOneIsNotSelected)
{
    put("[LIST2]\r\n 1  1  0  0 ");
    SingleAreaValues v = read_single_area_values(path, 2, 0);
    EXPECT_TRUE(v.gate.empty());
    EXPECT_TRUE(v.gate_closed());
    EXPECT_FALSE(v.force.read_only.has_value());
}

TEST_F(AreaValues, SingleAreaLineEndingBeforeTheGateIsAFailure)
{
    put("[LIST1]\r\n 1  1  1 \r\n[LIST2]\r\n 0  0  0  0 ");
    SingleAreaValues v = read_single_area_values(path, 10, 2);
    EXPECT_EQ(v.gate, "[LIST2]");
    EXPECT_TRUE(v.sub_options.empty());
    EXPECT_THROW(v.gate_closed(), rt::RuntimeError);
}

TEST_F(AreaValues, SingleAreaOfAMissingFileRaises)
{
    EXPECT_THROW(read_single_area_values(path, 2, 0), rt::RuntimeError);
    put("[LIST1]\r\n 1 ");
    EXPECT_THROW(read_single_area_values(path, 3, 6), rt::RuntimeError);   // ends inside the values
}

TEST_F(AreaValues, SingleAreaKeepsAForceFailureForAfterTheGate)
{
    put("[LIST1]\r\n 1  1  0  0  0  0  0  0  0  0  0  0 \r\n[LIST2]\r\n x  1 ");
    SingleAreaValues v = read_single_area_values(path, 2, 0);
    EXPECT_FALSE(v.gate_closed());
    EXPECT_TRUE(v.force_error.has_value());
    EXPECT_FALSE(v.force.read_only.has_value());
}

TEST_F(AreaValues, UserCleanReadsTheSameFlagsFromTwelveOrThirteenValues)
{
    put(kTwelve);
    ForceOptions twelve = read_user_clean_force_options(path);
    put(kThirteen);
    ForceOptions thirteen = read_user_clean_force_options(path);
    EXPECT_EQ(twelve.read_only, int16_t(1));
    EXPECT_EQ(twelve.hidden, int16_t(0));
    EXPECT_EQ(thirteen.read_only, twelve.read_only);
    EXPECT_EQ(thirteen.hidden, twelve.hidden);
    testsupport::remove_tree(path);
    EXPECT_FALSE(read_user_clean_force_options(path).read_only.has_value());
}
