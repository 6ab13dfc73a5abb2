#include "analysis_fixture.h"
#include <functional>
#include "runtime/filesys.h"
#include "support/host.h"
#include "support/host_link.h"

namespace analysistest {

std::string option_pair_name(const testing::TestParamInfo<Options>& info)
{
    return "ReadOnly" + std::to_string(info.param.force_read_only) + "Hidden" + std::to_string(info.param.force_hidden);
}

AnalysisTest::~AnalysisTest()
{
    for (const std::string& name : host_files_)
        testsupport::run_on_host({"/bin/rm", "-f", name});
    for (const std::string& link : links_)
        testsupport::remove_host_link(link);
}

void AnalysisTest::analyse()
{
    analysis().Load();
    analysis().Timer1_Timer();
    analysis().Timer2_Timer();
}

void AnalysisTest::click(rt::Form& form, rt::Control& control)
{
    form.Show();
    form.ZOrderTop();
    app->sys.DoEvents();
    // The display is shared by the tests that run at the same time: when another one moves
    // the pointer between ours and the click, the window (rightly) takes it for no click on
    // the control, and the click is made again.
    bool reached = false;
    const std::function<void()> handler = control.on_click;
    control.on_click = [&] {
        reached = true;
        if (handler)
            handler();
    };
    for (int attempt = 0; attempt < 20 && !reached; ++attempt) {
        if (attempt > 0)
            Sleep(10 * attempt);
        const RECT r = control.pixel_rect();
        const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        POINT screen = at;
        ClientToScreen(form.hWnd(), &screen);
        SetCursorPos(screen.x, screen.y);
        const LPARAM lp = MAKELPARAM(at.x, at.y);
        PostMessageA(form.hWnd(), WM_MOUSEMOVE, 0, lp);
        PostMessageA(form.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, lp);
        PostMessageA(form.hWnd(), WM_LBUTTONUP, 0, lp);
        app->sys.DoEvents();
    }
    control.on_click = handler;
    EXPECT_TRUE(reached) << "no click reached " << control.Name();
}

std::string AnalysisTest::file(const std::string& path, std::size_t size, DWORD attributes)
{
    junk(path, size);
    if (attributes)
        cleantest::set_attributes(path, attributes);
    junk_[path] = size;
    return path;
}

void AnalysisTest::sentinel(const std::string& path)
{
    sentinels_[path] = "sentinel of " + path;
    put(path, sentinels_[path]);
}

// Sizes tell the files apart in every sum: each column has its own hundred, and within a
// column each file its own power of two.
void AnalysisTest::build_tree()
{
    constexpr DWORD ro = FILE_ATTRIBUTE_READONLY, hid = FILE_ATTRIBUTE_HIDDEN, sys = FILE_ATTRIBUTE_SYSTEM;

    file(gamer() + "plain.bin", 101);
    file(gamer() + "ro.bin", 102, ro);
    file(gamer() + "hid.bin", 104, hid);
    file(gamer() + "hro.bin", 108, ro | hid);
    file(gamer() + "sys.bin", 500, sys);
    file(gamer() + "sub\\deep.bin", 116);
    file(gamer() + ".cache\\dot.bin", 132);         // a dot-named folder: hidden
    file(gamer() + "rosub\\inro.bin", 164);
    cleantest::set_attributes(gamer() + "rosub", ro);
    sentinel(p("AppData\\Local\\NVIDIA\\keep.txt"));

    file(cache() + "plain.dat", 201);
    file(cache() + "ro.dat", 202, ro);
    file(cache() + "hid.dat", 204, hid);
    file(cache() + "hro.dat", 208, ro | hid);
    file(cache() + "IE\\deep.dat", 216);
    file(cache() + ".cache\\dot.dat", 232);
    file(cache() + "rosub\\inro.dat", 264);
    cleantest::set_attributes(cache() + "rosub", ro);
    file(cookies() + "plain.txt", 301);
    file(cookies() + "ro.txt", 302, ro);
    file(cookies() + "hid.txt", 304, hid);
    file(cookies() + "hro.txt", 308, ro | hid);
    sentinel(p("AppData\\Local\\Microsoft\\Windows\\keep.txt"));

    file(temp() + "plain.tmp", 401);
    file(temp() + "ro.tmp", 402, ro);
    file(temp() + "hid.tmp", 404, hid);
    file(temp() + "hro.tmp", 408, ro | hid);
    file(temp() + "nested\\deep.tmp", 416);
    file(temp() + ".cache\\dot.tmp", 432);
    file(h("Windows\\Temp\\w.tmp"), 464);
    // Linux allows "\\" in a name: such a name is no name, which no clean deletes.
    const std::string host_temp = testsupport::host_path(temp());
    ASSERT_FALSE(host_temp.empty());
    host_files_.push_back(host_temp + "x\\..\\evil.tmp");
    ASSERT_TRUE(testsupport::run_on_host({"/bin/sh", "-c", "printf %0999d 0 > \"$0\"", host_files_.back()}));
    sentinel(p("AppData\\Local\\keep.txt"));
    sentinel(h("Windows\\keep.txt"));

    // A link in a location of each walk kind leads to a folder outside.
    sentinel(dir / "outside\\o.bin");
    sentinel(dir / "outside\\sub\\o2.bin");
    for (const std::string& link : {gamer() + "linked", cache() + "linked"}) {
        cleantest::make_host_link(link, dir / "outside");
        links_.push_back(link);
    }

    file(user_dir() + "plain.u", 601);
    file(user_dir() + "ro.u", 602, ro);
    file(user_dir() + "hid.u", 604, hid);
    file(user_dir() + "hro.u", 608, ro | hid);
    file(user_dir() + "sub\\deep.u", 616);
    // File entries lie in a folder of their own: the scratch folder holds the profile, and a
    // folder above a profile is one whose files no clean deletes.
    file(dir / "files\\userfile.txt", 632);
    file(dir / "files\\userhro.txt", 664, ro | hid);
    sentinel(dir / "keep_user.txt");
    put(in_program("PMuser.lst"),
        "D " + user_dir() + "\r\nF " + dir / "files\\userfile.txt" + "\r\nF " + dir / "files\\userhro.txt" + "\r\n");
}

void AnalysisTest::rebuild_tree()
{
    for (const std::string& link : links_)
        testsupport::remove_host_link(link);
    links_.clear();
    for (const std::string& path : {profile, home, dir / "userdir", dir / "files", dir / "outside"})
        testsupport::remove_tree(path);
    testsupport::make_dirs(profile);
    testsupport::make_dirs(home);
    junk_.clear();
    sentinels_.clear();
    build_tree();
}

int64_t AnalysisTest::vanished_bytes() const
{
    int64_t bytes = 0;
    for (const auto& [path, size] : junk_)
        if (!cleantest::exists(path))
            bytes += static_cast<int64_t>(size);
    return bytes;
}

std::set<std::string> AnalysisTest::remaining_junk() const
{
    std::set<std::string> files;
    for (const auto& [path, size] : junk_)
        if (cleantest::exists(path))
            files.insert(path);
    return files;
}

void AnalysisTest::make_read_only_folder(const std::string& folder)
{
    ASSERT_TRUE(testsupport::run_on_host({"/bin/chmod", "a-w", testsupport::host_path(folder)})) << folder;
    ASSERT_TRUE(cleantest::attributes(folder) & FILE_ATTRIBUTE_READONLY) << folder;
}

void AnalysisTest::expect_sentinels_intact() const
{
    for (const auto& [path, content] : sentinels_)
        EXPECT_EQ(testsupport::read_bytes(path), content) << path;
}

} // namespace analysistest
