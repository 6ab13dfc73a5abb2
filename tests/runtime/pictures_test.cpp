// JPEG pictures from files and resources: natural size and what the window shows.
#include <windows.h>
#include <gtest/gtest.h>
#include "runtime/errors.h"
#include "runtime/forms.h"
#include "support/fakes.h"
#include "support/scratch.h"

namespace {

const COLORREF kBackground = RGB(0, 0, 255);

// Width and height from the JPEG's start-of-frame marker.
SIZE jpeg_size(const std::string& bytes)
{
    for (size_t i = 2; i + 9 < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) != 0xFF)
            return {0, 0};
        unsigned char marker = static_cast<unsigned char>(bytes[i + 1]);
        auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
        size_t length = at(i + 2) * 256u + at(i + 3);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC)
            return {static_cast<LONG>(at(i + 7) * 256u + at(i + 8)), static_cast<LONG>(at(i + 5) * 256u + at(i + 6))};
        i += 2 + length;
    }
    return {0, 0};
}

std::string resource_bytes(const char* name)
{
    HRSRC found = FindResourceA(nullptr, name, RT_RCDATA);
    if (!found)
        return {};
    const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(data, SizeofResource(nullptr, found));
}

class PictureForm : public rt::Form {
public:
    using rt::Form::Form;
    rt::PictureBox Picture1{*this, "Picture1"};
    rt::Image Image1{*this, "Image1"};

protected:
    void design() override
    {
        BorderStyle(rt::bsNone);
        ScaleSize(12000, 9000);
        BackColor(kBackground);
        Picture1.Move(300, 300, 600, 600);
        Image1.Visible(false);
    }
};

class PicturesTest : public ::testing::Test {
protected:
    testsupport::ScratchDir dir;
    testsupport::Fakes fakes;
    std::unique_ptr<rt::System> sys = testsupport::make_fake_system(dir.path(), fakes);
    PictureForm form{*sys, "PictureForm"};

    // The client area as the window draws it.
    std::vector<COLORREF> snapshot(int& width, int& height)
    {
        HWND hwnd = form.hWnd();
        RECT client;
        GetClientRect(hwnd, &client);
        width = client.right;
        height = client.bottom;
        HDC screen = GetDC(hwnd);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(mem, bitmap);
        PrintWindow(hwnd, mem, PW_CLIENTONLY);
        std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels[static_cast<size_t>(y) * width + x] = GetPixel(mem, x, y);
        SelectObject(mem, old);
        DeleteObject(bitmap);
        DeleteDC(mem);
        ReleaseDC(hwnd, screen);
        return pixels;
    }

    // Share of pixels of the rectangle that differ from the background.
    double painted_share(const std::vector<COLORREF>& pixels, int width, const RECT& r)
    {
        long painted = 0, all = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x, ++all)
                if (pixels[static_cast<size_t>(y) * width + x] != kBackground)
                    ++painted;
        return all ? static_cast<double>(painted) / all : 0;
    }
};

TEST_F(PicturesTest, AutoSizedPictureBoxTakesTheJpegsSizeAndShowsIt)
{
    std::string file = testsupport::stage_folder() + "\\pellmarisgui\\splash.jpg";
    SIZE expected = jpeg_size(testsupport::read_bytes(file));
    ASSERT_GT(expected.cx, 0);

    form.Picture1.AutoSize(true);
    form.Picture1.LoadPicture(file);
    long tpp = rt::Screen::TwipsPerPixelX();
    EXPECT_EQ(form.Picture1.Width(), expected.cx * tpp);
    EXPECT_EQ(form.Picture1.Height(), expected.cy * rt::Screen::TwipsPerPixelY());
    EXPECT_EQ(form.Picture1.PictureWidth(), expected.cx * tpp);

    int width = 0, height = 0;
    std::vector<COLORREF> pixels = snapshot(width, height);
    RECT picture = form.Picture1.pixel_rect();
    ASSERT_LE(picture.right, width);
    ASSERT_LE(picture.bottom, height);
    EXPECT_GT(painted_share(pixels, width, picture), 0.5);
    RECT left_strip{0, 0, picture.left, height};   // nothing else is drawn there
    EXPECT_EQ(painted_share(pixels, width, left_strip), 0.0);
}

TEST_F(PicturesTest, PictureBuiltIntoTheExeLoadsByName)
{
    SIZE expected = jpeg_size(resource_bytes("BANNER_REPORT"));
    ASSERT_GT(expected.cx, 0);
    form.Picture1.AutoSize(true);
    form.Picture1.LoadResourcePicture("BANNER_REPORT");
    EXPECT_EQ(form.Picture1.Width(), rt::pixels_to_twips_x(expected.cx));
    EXPECT_EQ(form.Picture1.Height(), rt::pixels_to_twips_y(expected.cy));

    int width = 0, height = 0;
    std::vector<COLORREF> pixels = snapshot(width, height);
    RECT picture = form.Picture1.pixel_rect();
    picture.right = std::min<LONG>(picture.right, width);
    picture.bottom = std::min<LONG>(picture.bottom, height);
    EXPECT_GT(painted_share(pixels, width, picture), 0.5);
}

TEST_F(PicturesTest, WithoutAutoSizeTheBoxKeepsItsSizeAndHiddenOnesAreNotDrawn)
{
    form.Image1.AutoSize(false);
    form.Image1.Move(6000, 300, 1500, 1500);
    form.Image1.LoadResourcePicture("BTN_GAMER_ON");
    EXPECT_EQ(form.Image1.Width(), 1500);
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = snapshot(width, height);
    EXPECT_EQ(painted_share(pixels, width, form.Image1.pixel_rect()), 0.0);   // Image1 is hidden
    form.Image1.Visible(true);
    pixels = snapshot(width, height);
    EXPECT_GT(painted_share(pixels, width, form.Image1.pixel_rect()), 0.5);
}

TEST_F(PicturesTest, WindowBackgroundPictureIsDrawnFromTheTopLeft)
{
    form.LoadPicture(testsupport::stage_folder() + "\\pellmarisgui\\back.jpg");
    form.Picture1.Visible(false);
    int width = 0, height = 0;
    std::vector<COLORREF> pixels = snapshot(width, height);
    EXPECT_GT(painted_share(pixels, width, RECT{0, 0, 20, 20}), 0.5);
}

TEST_F(PicturesTest, MissingOrBrokenPictureFilesRaiseErrors)
{
    try {
        form.Picture1.LoadPicture(dir / "missing.jpg");
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 53);
    }
    testsupport::write_bytes(dir / "broken.jpg", "not a picture at all");
    try {
        form.Picture1.LoadPicture(dir / "broken.jpg");
        FAIL();
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 481);
    }
    EXPECT_THROW(form.Picture1.LoadResourcePicture("NO_SUCH_PICTURE"), rt::RuntimeError);
    EXPECT_FALSE(form.Picture1.HasPicture());
}

TEST_F(PicturesTest, WindowIconComesFromTheExe)
{
    form.SetIcon("1");
    EXPECT_NE(form.Icon(), nullptr);
    EXPECT_THROW(form.SetIcon("NO_SUCH_ICON"), rt::RuntimeError);
}

} // namespace
