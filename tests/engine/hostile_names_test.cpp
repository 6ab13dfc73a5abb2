// The TEMP clean, clicked, on a temporary folder that an attacker or an odd program filled:
// look-alike and host names that read as paths, names only the long form reaches, links,
// and a folder swapped for a link while the clean yields. Sentinels beside everything.
#include <gtest/gtest.h>
#include <map>
#include "clean_fixture.h"
#include "runtime/filesys.h"

using namespace cleantest;

namespace {

class HostileTemp : public CleanTest {
protected:
    std::string temp = profile + "\\AppData\\Local\\Temp\\";
    std::vector<std::string> host_names;   // made on the host; removed there again

    HostileTemp() { set_areas(area_file("000000000110", "0000")); }   // temporary files only

    ~HostileTemp() override
    {
        for (const std::string& name : host_names)
            host_command({"/bin/rm", "-rf", name});
    }

    // A sentinel in every folder from the temporary folder up to the scratch folder, and
    // in the profile and program folders.
    void sentinels_around()
    {
        for (const std::string& folder : {temp, profile + "\\AppData\\Local\\", profile + "\\AppData\\", profile + "\\",
                                          dir.path() + "\\", program + "\\"})
            if (folder != temp)
                sentinel(folder + "keep.txt");
        sentinel(dir / "outside\\keep.txt");
    }

    std::vector<std::string> clean_temp()
    {
        start();
        form().Picture8_Click();
        return comparable(report());
    }

    bool reported(const std::string& name)
    {
        return report_count("          " + name) == 1;
    }
};

} // namespace

// U+FF3C and U+2215/U+FF0F become "\" and "/" under a best-fit conversion.
TEST_F(HostileTemp, LookAlikeSeparatorsAreCleanedAsTheNamesTheyAre)
{
    sentinels_around();
    const std::vector<std::string> names = {"x\uff3c..\uff3c..\uff3c..\uff3ckeep.txt", "y\u2215..\u2215..\u2215keep.txt",
                                            "z\uff0f..\uff0f..\uff0fkeep.txt"};
    for (const std::string& name : names) {
        junk(temp + name, 7);
        junk(temp + "d" + name + "\\inner.tmp", 5);   // a folder with such a name
    }
    const auto lines = clean_temp();
    for (const std::string& name : names) {
        EXPECT_TRUE(reported(name)) << name;
        EXPECT_FALSE(exists(temp + name)) << name;
        EXPECT_FALSE(exists(temp + "d" + name)) << name;   // emptied and removed
    }
    EXPECT_EQ(report_count("          inner.tmp"), 3);
    EXPECT_EQ(lines[1], "Total Files Removed = 6    Releasing 36.00   Bytes of disk space");
    expect_sentinels_intact();
    EXPECT_TRUE(exceptions().empty());
}

TEST_F(HostileTemp, CyrillicCjkAndEmojiNamesAreCleanedAndReportedAsThemselves)
{
    sentinels_around();
    const std::vector<std::string> names = {"\u041f\u0440\u0438\u0432\u0435\u0442.tmp", "\u65e5\u672c\u8a9e.tmp",
                                            "\U0001F600.tmp"};
    for (const std::string& name : names)
        junk(temp + name);
    junk(temp + "\u30c7\u30fc\u30bf\\\u0444\u0430\u0439\u043b.tmp");
    clean_temp();
    for (const std::string& name : names)
        EXPECT_TRUE(reported(name)) << name;
    EXPECT_TRUE(reported("\u0444\u0430\u0439\u043b.tmp"));
    EXPECT_FALSE(exists(temp + "\u30c7\u30fc\u30bf"));
    expect_sentinels_intact();
    // The window shows the name itself.
    const auto shown = app->Form2.List1.items();
    EXPECT_NE(std::find(shown.begin(), shown.end(), "          \u65e5\u672c\u8a9e.tmp"), shown.end());
}

// Names Windows allows that the plain path form cannot reach, and paths past MAX_PATH.
TEST_F(HostileTemp, NamesOnlyTheLongFormReachesAreCleanedByTheirRealNames)
{
    sentinels_around();
    const std::string long_name = std::string(251, 'n') + ".tmp";
    const std::vector<std::string> names = {"trail.", "trail ", "CON", "AUX.tmp", "nul.txt", long_name};
    for (const std::string& name : names)
        junk(temp + name);
    // What "trail." and "trail " and "sub." would become in the plain form; read-only, so the
    // clean itself keeps them.
    sentinel(temp + "trail");
    set_attributes(temp + "trail", FILE_ATTRIBUTE_READONLY);
    junk(temp + "sub.\\in.tmp");
    sentinel(temp + "sub\\keep.txt");
    set_attributes(temp + "sub\\keep.txt", FILE_ATTRIBUTE_READONLY);
    std::string deep = temp;
    while (deep.size() < 600)
        deep += std::string(40, 'd') + "\\";
    junk(deep + "deep600.tmp");
    std::string mid = temp;
    while (mid.size() < 300)
        mid += std::string(30, 'm') + "\\";
    junk(mid + "deep300.tmp");

    const auto lines = clean_temp();
    for (const std::string& name : names) {
        EXPECT_TRUE(reported(name)) << "[" << name << "]";
        EXPECT_FALSE(rt::file_exists(temp + name)) << "[" << name << "]";
    }
    for (const char* name : {"in.tmp", "deep600.tmp", "deep300.tmp"})
        EXPECT_TRUE(reported(name)) << name;
    EXPECT_FALSE(exists(temp + "sub."));
    EXPECT_FALSE(exists(temp + std::string(40, 'd')));
    EXPECT_EQ(lines[1], "Total Files Removed = 9    Releasing 90.00   Bytes of disk space");
    expect_sentinels_intact();
}

// Linux allows "\" in a name: such a name comes back from the listing, and is never a path.
TEST_F(HostileTemp, HostNamesHoldingBackslashesGoToTheExceptionsList)
{
    sentinels_around();
    junk(temp + "plain.tmp");
    const std::string host_temp = host_path(temp);
    ASSERT_FALSE(host_temp.empty());
    const std::string file_name = "x\\..\\..\\keep.txt", folder_name = "f\\..\\..\\..";
    host_names = {host_temp + file_name, host_temp + folder_name};
    ASSERT_TRUE(host_command({"/bin/sh", "-c", "printf junk > \"$0\" && mkdir \"$1\" && printf junk > \"$1/keep.txt\"",
                              host_names[0], host_names[1]}));
    clean_temp();
    expect_sentinels_intact();
    EXPECT_TRUE(reported("plain.tmp"));
    EXPECT_EQ(report_count("          keep.txt"), 0);
    const auto failed = exceptions();
    for (const std::string& name : {file_name, folder_name})
        EXPECT_NE(std::find(failed.begin(), failed.end(), temp + name), failed.end()) << name;
    EXPECT_TRUE(host_command({"/usr/bin/test", "-f", host_names[0]}));
    EXPECT_TRUE(host_command({"/usr/bin/test", "-f", host_names[1] + "/keep.txt"}));
}

// Under Wine a host link to a file opens as its target: the clean must not delete the target.
TEST_F(HostileTemp, AFileLinkNeverCostsItsTarget)
{
    sentinels_around();
    testsupport::make_dirs(temp);
    host_names = {host_path(temp + "link.tmp")};
    make_host_file_link(temp + "link.tmp", dir / "outside\\keep.txt");
    junk(temp + "plain.tmp");
    clean_temp();
    expect_sentinels_intact();
    EXPECT_TRUE(reported("plain.tmp"));
    if (host_command({"/usr/bin/test", "-L", host_path(temp + "link.tmp")})) {
        // Wine cannot delete the link alone: it stays, as a failed file, and is not counted.
        EXPECT_FALSE(reported("link.tmp"));
        const auto failed = exceptions();
        EXPECT_NE(std::find(failed.begin(), failed.end(), temp + "link.tmp"), failed.end());
    } else {
        EXPECT_TRUE(reported("link.tmp"));   // deleted as a link
    }
}

// Wine reports every dot-named file hidden, and cannot make it normal: the force option decides.
TEST_F(HostileTemp, DotNamedFilesGoWithTheForceHiddenOption)
{
    junk(temp + ".cache.tmp");
    set_areas(area_file("000000000110", "0000"));
    clean_temp();
    EXPECT_TRUE(exists(temp + ".cache.tmp"));
    set_areas(area_file("000000000110", "0100"));
    form().Picture8_Click();
    EXPECT_FALSE(exists(temp + ".cache.tmp"));
    EXPECT_TRUE(reported(".cache.tmp"));
}

// While the clean yields after a file, a folder not yet emptied becomes a link to a folder
// outside; and a file appears in another one. The clean neither follows the link nor misses
// the new file: each folder is listed and checked just before it is emptied.
TEST_F(HostileTemp, AFolderSwappedForALinkDuringTheYieldsIsRefused)
{
    sentinels_around();
    sentinel(dir / "outside\\B\\inner_keep.txt");
    sentinel(dir / "outside\\C\\keep.txt");
    testsupport::make_dirs(dir / "outside\\empty");
    junk(temp + "first.tmp");
    junk(temp + "A\\a1.tmp");
    junk(temp + "B\\b1.tmp");
    junk(temp + "B\\C\\c1.tmp");
    testsupport::make_dirs(temp + "B\\empty");
    bool swapped = false;
    host_names = {host_path(temp + "B")};
    start();
    app->sys.yield_hook = [&] {
        if (swapped)
            return;
        swapped = true;
        const std::string b = host_path(temp + "B"), away = host_path(temp + "B.away");
        host_command({"/bin/mv", b, away});
        host_command({"/bin/ln", "-s", host_path(dir / "outside"), b});
        put(temp + "A\\late.tmp", "late");
    };
    form().Picture8_Click();
    ASSERT_TRUE(swapped);
    expect_sentinels_intact();
    EXPECT_TRUE(exists(dir / "outside\\empty"));
    EXPECT_TRUE(reported("first.tmp"));
    EXPECT_TRUE(reported("a1.tmp"));
    EXPECT_TRUE(reported("late.tmp"));
    EXPECT_FALSE(reported("b1.tmp"));
    EXPECT_TRUE(exists(temp + "B.away\\b1.tmp"));
    const auto failed = exceptions();
    EXPECT_NE(std::find(failed.begin(), failed.end(), temp + "B\\"), failed.end());
}

// A host name that is no UTF-8: Wine shows it under a name of its own that leads back to the
// same file, so it is cleaned as that file, and nothing beside it is touched.
TEST_F(HostileTemp, AHostNameThatIsNoUtf8IsCleanedAsItself)
{
    sentinels_around();
    junk(temp + "a.tmp");
    const std::string odd = host_path(temp) + "bad\xff\xfe.tmp";
    host_names = {odd};
    ASSERT_TRUE(host_command({"/bin/sh", "-c", "printf junk > \"$0\"", odd}));
    clean_temp();
    expect_sentinels_intact();
    EXPECT_TRUE(reported("a.tmp"));
    EXPECT_FALSE(host_command({"/usr/bin/test", "-e", odd}));
    EXPECT_EQ(report()[1], "Total Files Removed = 2    Releasing 14.00   Bytes of disk space");
    EXPECT_TRUE(app->Form4.List3.items().empty());
}
