// The reference of the analysis benchmark: a bare FindFirstFile/FindNextFile walk over a
// tree, entering every folder and counting nothing. Usage: enumerate_loop <folder>
// Prints the seconds taken.
#include <windows.h>
#include <cstdio>
#include <string>

static void walk(const std::wstring& folder)
{
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = fd.cFileName;
        if ((fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..")
            walk(folder + L"\\" + name);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
}

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2)
        return 2;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    walk(argv[1]);
    QueryPerformanceCounter(&end);
    std::printf("%.3f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
    return 0;
}
