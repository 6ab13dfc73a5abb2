// JPEG (and other OLE) pictures from files and from the exe's resources, decoded once
// into a bitmap of their natural size.
#include <ole2.h>
#include <olectl.h>
#include <algorithm>
#include <cstring>
#include "runtime/errors.h"
#include "runtime/filesys.h"
#include "runtime/forms_internal.h"

namespace rt {

namespace {

constexpr long kHimetricPerInch = 2540;

// Renders the OLE picture into a new 32-bit bitmap and releases it.
std::shared_ptr<Picture> decode(IPicture* ole)
{
    OLE_XSIZE_HIMETRIC hm_w = 0;
    OLE_YSIZE_HIMETRIC hm_h = 0;
    ole->get_Width(&hm_w);
    ole->get_Height(&hm_h);
    auto picture = std::make_shared<Picture>();
    picture->width_px = MulDiv(hm_w, dpi_x(), kHimetricPerInch);
    picture->height_px = MulDiv(hm_h, dpi_y(), kHimetricPerInch);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    picture->bitmap = CreateCompatibleBitmap(screen, std::max(1, picture->width_px), std::max(1, picture->height_px));
    HGDIOBJ old = SelectObject(dc, picture->bitmap);
    ole->Render(dc, 0, 0, picture->width_px, picture->height_px, 0, hm_h, hm_w, -hm_h, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ole->Release();
    return picture;
}

} // namespace

Picture::~Picture()
{
    if (bitmap)
        DeleteObject(bitmap);
}

std::shared_ptr<Picture> load_picture_file(const std::string& path)
{
    if (!file_exists(path))
        raise(errFileNotFound);
    // OleLoadPicturePath wants a full path.
    std::wstring wide = wide_text(path);
    DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    n = n ? GetFullPathNameW(wide.c_str(), n, full.data(), nullptr) : 0;
    if (n > 0 && n < full.size()) {
        full.resize(n);
        wide = full;
    }
    IPicture* ole = nullptr;
    HRESULT hr = OleLoadPicturePath(const_cast<LPOLESTR>(wide.c_str()), nullptr, 0, 0, IID_IPicture,
                                    reinterpret_cast<void**>(&ole));
    if (FAILED(hr) || !ole)
        raise(481);
    return decode(ole);
}

std::shared_ptr<Picture> load_picture_resource(const std::string& name)
{
    HMODULE module = module_instance();
    HRSRC found = FindResourceW(module, wide_text(name).c_str(), MAKEINTRESOURCEW(10));   // RT_RCDATA
    if (!found)
        raise(errFileNotFound);
    DWORD size = SizeofResource(module, found);
    const void* data = LockResource(LoadResource(module, found));
    if (!data || size == 0)
        raise(errFileNotFound);

    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy)
        raise(7);
    memcpy(GlobalLock(copy), data, size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        raise(7);
    }
    IPicture* ole = nullptr;
    HRESULT hr = OleLoadPicture(stream, (LONG)size, FALSE, IID_IPicture, reinterpret_cast<void**>(&ole));
    stream->Release();
    if (FAILED(hr) || !ole)
        raise(481);
    return decode(ole);
}

void draw_picture(HDC dc, const Picture& picture, const RECT& place, bool stretch)
{
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, picture.bitmap);
    int w = place.right - place.left, h = place.bottom - place.top;
    if (stretch) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, place.left, place.top, w, h, source, 0, 0, picture.width_px, picture.height_px, SRCCOPY);
    } else {
        BitBlt(dc, place.left, place.top, std::min(w, picture.width_px), std::min(h, picture.height_px), source, 0,
               0, SRCCOPY);
    }
    SelectObject(source, old);
    DeleteDC(source);
}

} // namespace rt
