// Folders opened once, and files deleted relative to them: what a clean checked is what it
// deletes, whatever is renamed or swapped for a link meanwhile.
#include "runtime/filesys.h"
#include "runtime/errors.h"
#include "runtime/unicode.h"
#include <windows.h>
#include <winternl.h>
#include <cstddef>
#include <cstring>
#include <utility>

namespace rt {

namespace {

// Information classes of NtQueryInformationFile / NtSetInformationFile.
constexpr int kFileBasicInformation = 4;
constexpr int kFileNameInformation = 9;
constexpr int kFileDispositionInformation = 13;
constexpr int kFileAllInformation = 18;

constexpr NTSTATUS kStatusFileIsADirectory = static_cast<NTSTATUS>(0xC00000BA);
constexpr NTSTATUS kStatusNotADirectory = static_cast<NTSTATUS>(0xC0000103);
constexpr NTSTATUS kStatusBufferOverflow = static_cast<NTSTATUS>(0x80000005);
constexpr NTSTATUS kStatusInfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
constexpr NTSTATUS kStatusBufferTooSmall = static_cast<NTSTATUS>(0xC0000023);

struct BasicInformation {
    LARGE_INTEGER creation, last_access, last_write, change;   // 0 = leave as it is
    ULONG attributes;
};

struct StandardInformation {
    LARGE_INTEGER allocation, end_of_file;
    ULONG links;
    BOOLEAN delete_pending, directory;
};

// FILE_ALL_INFORMATION: attributes, length and the name on the volume in one call.
struct AllInformation {
    BasicInformation basic;
    StandardInformation standard;
    LARGE_INTEGER index;
    ULONG ea_size;
    ACCESS_MASK access;
    LARGE_INTEGER position;
    ULONG mode, alignment;
    ULONG name_length;   // bytes
    WCHAR name[1];
};
static_assert(offsetof(AllInformation, name) == 100, "the platform's layout");

uint32_t program_attributes(DWORD win32) { return win32 & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL); }

[[noreturn]] void raise_status(NTSTATUS status)
{
    if (status == kStatusFileIsADirectory || status == kStatusNotADirectory)
        raise(errFileNotFound);   // folders are not among the files a delete can see
    raise(error_from_win32(RtlNtStatusToDosError(status)));
}

bool is_root(const std::string& path)
{
    return (path.size() == 3 && path[1] == ':' && path[2] == '\\');
}

// A folder is opened by its own name, without the trailing "\" (a drive root keeps it).
std::string folder_name_form(const std::string& path)
{
    std::string p = path;
    while (p.size() > 1 && (p.back() == '\\' || p.back() == '/') && !is_root(p))
        p.pop_back();
    return p;
}

// "\\?\C:\a" -> "C:\a", "\\?\UNC\s\x" -> "\\s\x"; nothing for a name without an exact UTF-8 form.
std::optional<std::string> plain_form(const std::wstring& final_path)
{
    std::optional<std::string> p = exact_utf8(final_path);
    if (p && p->rfind("\\\\?\\UNC\\", 0) == 0)
        return "\\\\" + p->substr(8);
    if (p && p->rfind("\\\\?\\", 0) == 0)
        return p->substr(4);
    return p;
}

// The object's name as the object manager keeps it: on Windows "\Device\...", under Wine the
// DOS path behind "\??\".
std::optional<std::wstring> object_name_of(HANDLE h)
{
    // Small first: under Wine the cost of a query grows with the buffer offered.
    for (std::size_t size : {std::size_t(1024), sizeof(UNICODE_STRING) + 2 * 32768 + 16}) {
        std::vector<unsigned char> buffer(size);
        ULONG returned = 0;
        NTSTATUS status = NtQueryObject(h, static_cast<OBJECT_INFORMATION_CLASS>(1), buffer.data(),
                                        static_cast<ULONG>(buffer.size()), &returned);
        if (NT_SUCCESS(status)) {
            const auto* name = reinterpret_cast<const UNICODE_STRING*>(buffer.data());
            return std::wstring(name->Buffer, name->Length / sizeof(wchar_t));
        }
        if (status != kStatusBufferOverflow && status != kStatusInfoLengthMismatch && status != kStatusBufferTooSmall)
            return std::nullopt;
    }
    return std::nullopt;
}

std::optional<std::wstring> system_final_path(HANDLE h)
{
    // Wine's object names are the DOS paths behind "\\??\\": one call, and it works past MAX_PATH,
    // where Wine 8's GetFinalPathNameByHandleW fails (and is slow everywhere under Wine).
    std::optional<std::wstring> name = object_name_of(h);
    if (name && name->rfind(L"\\??\\", 0) == 0)
        return L"\\\\?\\" + name->substr(4);
    std::wstring buffer(512, L'\0');
    for (;;) {
        DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), static_cast<DWORD>(buffer.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n == 0 || n > 32768)
            return std::nullopt;
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.assign(n + 1, L'\0');
    }
}

// The object's path on its volume, as the platform reports it for this handle.
std::optional<std::wstring> volume_name_of(HANDLE h)
{
    for (std::size_t size : {std::size_t(1024), sizeof(ULONG) + 2 * 32768}) {
        std::vector<char> buffer(size);
        IO_STATUS_BLOCK io{};
        NTSTATUS status = NtQueryInformationFile(h, &io, buffer.data(), static_cast<ULONG>(buffer.size()),
                                                 static_cast<FILE_INFORMATION_CLASS>(kFileNameInformation));
        if (NT_SUCCESS(status)) {
            ULONG bytes;
            memcpy(&bytes, buffer.data(), sizeof bytes);
            return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data() + sizeof(ULONG)), bytes / sizeof(wchar_t));
        }
        if (status != kStatusBufferOverflow)
            return std::nullopt;
    }
    return std::nullopt;
}

std::vector<std::wstring> steps_of(const std::wstring& path)
{
    std::vector<std::wstring> steps;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(L'\\', start);
        if (end == std::wstring::npos)
            end = path.size();
        std::wstring step = path.substr(start, end - start);
        std::size_t keep = step.find_last_not_of(L". ");
        step.resize(keep == std::wstring::npos ? 0 : keep + 1);
        if (!step.empty())
            steps.push_back(step);
        start = end + 1;
    }
    return steps;
}

bool same_steps(const std::wstring& a, const std::wstring& b)
{
    const std::vector<std::wstring> x = steps_of(a), y = steps_of(b);
    if (x.size() != y.size())
        return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (CompareStringOrdinal(x[i].data(), static_cast<int>(x[i].size()), y[i].data(), static_cast<int>(y[i].size()), TRUE)
            != CSTR_EQUAL)
            return false;
    return true;
}

// Opens `name` relative to the folder handle; a link at that step is opened as itself.
NTSTATUS open_relative(HANDLE folder, const std::wstring& name, ACCESS_MASK access, HANDLE& out,
                       bool share_write = true)
{
    UNICODE_STRING us;
    us.Buffer = const_cast<PWSTR>(name.c_str());
    us.Length = us.MaximumLength = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &us, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK io{};
    out = nullptr;
    return NtCreateFile(&out, access | SYNCHRONIZE, &attributes, &io, nullptr, 0,
                        FILE_SHARE_READ | (share_write ? FILE_SHARE_WRITE : 0) | FILE_SHARE_DELETE, FILE_OPEN,
                        FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
}

class NtHandle {
public:
    explicit NtHandle(HANDLE h) : h_(h) {}
    ~NtHandle()
    {
        if (h_)
            CloseHandle(h_);
    }
    NtHandle(const NtHandle&) = delete;
    NtHandle& operator=(const NtHandle&) = delete;
    HANDLE get() const { return h_; }
    // Closes now; false when the close itself failed.
    bool close() { return CloseHandle(std::exchange(h_, nullptr)) != 0; }

private:
    HANDLE h_;
};

NTSTATUS set_information(HANDLE h, void* data, ULONG size, int info_class)
{
    IO_STATUS_BLOCK io{};
    return NtSetInformationFile(h, &io, data, size, static_cast<FILE_INFORMATION_CLASS>(info_class));
}

HANDLE open_folder_handle(const std::wstring& path, DWORD extra_access)
{
    return CreateFileW(path.c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE | extra_access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

} // namespace

std::optional<std::string> final_path_of(void* handle)
{
    std::optional<std::wstring> final = system_final_path(handle);
    return final ? plain_form(*final) : std::nullopt;
}

bool same_final_path(const std::string& a, const std::string& b)
{
    try {
        return same_steps(utf16(a), utf16(b));
    } catch (const RuntimeError&) {
        return false;
    }
}

FolderHandle FolderHandle::open(const std::string& path)
{
    if (path.empty())
        raise(errPathNotFound);
    const std::wstring wide = wide_path(folder_name_form(path));
    HANDLE h = open_folder_handle(wide, FILE_WRITE_ATTRIBUTES);
    if (h == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED)
        h = open_folder_handle(wide, 0);   // a folder whose attributes we may not change can still be emptied
    if (h == INVALID_HANDLE_VALUE) {
        DWORD e = GetLastError();
        raise(e == ERROR_FILE_NOT_FOUND || e == ERROR_DIRECTORY ? errPathNotFound : error_from_win32(e));
    }
    FolderHandle folder;
    folder.handle_ = h;
    folder.path_ = path;
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic))
        raise_last_win32_error();
    folder.attributes_ = program_attributes(basic.FileAttributes);
    std::optional<std::string> final = final_path_of(h);
    if (!final)
        raise(errPathFileAccess);
    folder.final_path_ = *final;
    return folder;
}

FolderHandle::FolderHandle(FolderHandle&& other) noexcept { *this = std::move(other); }

FolderHandle& FolderHandle::operator=(FolderHandle&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        path_ = std::move(other.path_);
        final_path_ = std::move(other.final_path_);
        volume_name_ = std::move(other.volume_name_);
        attributes_ = other.attributes_;
        scratch_ = std::move(other.scratch_);
    }
    return *this;
}

FolderHandle::~FolderHandle()
{
    if (handle_)
        CloseHandle(handle_);
}

bool FolderHandle::make_normal()
{
    if (!(attributes_ & (attrReadOnly | attrHidden | attrSystem)))
        return true;
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileInformationByHandle(handle_, FileBasicInfo, &basic, sizeof basic))
        return false;
    attributes_ &= ~static_cast<uint32_t>(attrReadOnly | attrHidden | attrSystem);
    return true;
}

std::vector<DirEntry> FolderHandle::list() const
{
    std::vector<DirEntry> entries;
    std::vector<unsigned char> buffer(16 * 1024);   // under Wine a larger one costs more than the calls it saves
    for (bool first = true;; first = false) {
        FILE_INFO_BY_HANDLE_CLASS info_class = first ? FileIdBothDirectoryRestartInfo : FileIdBothDirectoryInfo;
        if (!GetFileInformationByHandleEx(handle_, info_class, buffer.data(), static_cast<DWORD>(buffer.size()))) {
            DWORD e = GetLastError();
            if (e == ERROR_NO_MORE_FILES || e == ERROR_FILE_NOT_FOUND)
                return entries;
            raise(error_from_win32(e));
        }
        for (std::size_t offset = 0;;) {
            const auto* info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer.data() + offset);
            const std::wstring name(info->FileName, info->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") {
                DirEntry e;
                std::optional<std::string> exact = exact_utf8(name);
                e.exact_name = exact.has_value();
                e.name = exact ? *exact : utf8(name);
                e.attributes = program_attributes(info->FileAttributes);
                if (!(e.attributes & attrDirectory))
                    e.length = info->EndOfFile.QuadPart;
                entries.push_back(std::move(e));
            }
            if (info->NextEntryOffset == 0)
                break;
            offset += info->NextEntryOffset;
        }
    }
}

DeletedFile FolderHandle::delete_file(const std::string& name, const std::function<bool(uint32_t)>& make_normal) const
{
    return delete_opened_file(name, true, make_normal, nullptr);
}

DeletedFile FolderHandle::delete_file_if(const std::string& name,
                                         const std::function<bool(const DeletedFile&)>& may_delete) const
{
    return delete_opened_file(name, false, nullptr, may_delete);
}

DeletedFile FolderHandle::delete_opened_file(const std::string& name, bool share_write,
                                             const std::function<bool(uint32_t)>& make_normal,
                                             const std::function<bool(const DeletedFile&)>& may_delete) const
{
    if (!handle_ || !is_plain_name(name))
        raise(errFileNotFound);
    if (volume_name_.empty()) {
        std::optional<std::wstring> volume_name = volume_name_of(handle_);
        if (!volume_name || volume_name->empty())
            raise(errPathFileAccess);
        volume_name_ = std::move(*volume_name);
    }
    const std::wstring wide_name = utf16(name);
    HANDLE h = nullptr;
    NTSTATUS status =
        open_relative(handle_, wide_name, DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES, h, share_write);
    if (!NT_SUCCESS(status))
        raise_status(status);
    NtHandle file(h);
    if (scratch_.size() < 2048)
        scratch_.resize(2048);
    IO_STATUS_BLOCK io{};
    status = NtQueryInformationFile(h, &io, scratch_.data(), static_cast<ULONG>(scratch_.size()),
                                    static_cast<FILE_INFORMATION_CLASS>(kFileAllInformation));
    if (status == kStatusBufferOverflow) {   // a long path: once more with room for the longest
        scratch_.resize(sizeof(AllInformation) + 2 * 32768);
        status = NtQueryInformationFile(h, &io, scratch_.data(), static_cast<ULONG>(scratch_.size()),
                                        static_cast<FILE_INFORMATION_CLASS>(kFileAllInformation));
    }
    if (!NT_SUCCESS(status))
        raise_status(status);
    AllInformation info;
    memcpy(&info, scratch_.data(), offsetof(AllInformation, name));
    const std::wstring opened(reinterpret_cast<const wchar_t*>(scratch_.data() + offsetof(AllInformation, name)),
                              info.name_length / sizeof(wchar_t));
    // A link that the platform followed shows the name of its target: that file stays.
    if (!same_steps(opened, volume_name_ + L"\\" + wide_name))
        throw RuntimeError(errPathFileAccess, "The file opens outside its folder");
    const DeletedFile found{program_attributes(info.basic.attributes), info.standard.end_of_file.QuadPart};
    if (may_delete && !may_delete(found))
        raise(errPathFileAccess);
    uint32_t attributes = found.attributes;
    if ((attributes & (attrReadOnly | attrHidden)) && make_normal && make_normal(attributes)) {
        BasicInformation basic{};
        basic.attributes = FILE_ATTRIBUTE_NORMAL;
        status = set_information(h, &basic, sizeof basic, kFileBasicInformation);
        if (!NT_SUCCESS(status))
            raise_status(status);
        attributes = 0;
    }
    if (attributes & (attrHidden | attrSystem))
        raise(errFileNotFound);   // not among the files a delete can see
    if (attributes & attrReadOnly)
        raise(errPathFileAccess);
    BOOLEAN remove = TRUE;
    status = set_information(h, &remove, sizeof remove, kFileDispositionInformation);
    if (!NT_SUCCESS(status))
        raise_status(status);
    if (!file.close())
        raise_last_win32_error();
    return found;
}

std::pair<std::string, std::string> folder_and_name(const std::string& path)
{
    std::string p = path;
    for (char& c : p)
        if (c == '/')
            c = '\\';
    const std::size_t cut = p.find_last_of('\\');
    if (cut == std::string::npos || cut + 1 >= p.size())
        raise(errFileNotFound);
    return {p.substr(0, cut + 1), p.substr(cut + 1)};
}

DeletedFile delete_file_at(const std::string& path, const std::function<bool(uint32_t)>& make_normal)
{
    const auto [folder, name] = folder_and_name(path);
    return FolderHandle::open(folder).delete_file(name, make_normal);
}

DeletedFile delete_file_at_final_path(const std::string& final_path, const std::function<bool(uint32_t)>& make_normal)
{
    const auto [folder_path, name] = folder_and_name(final_path);
    const FolderHandle folder = FolderHandle::open(folder_path);
    if (folder.is_link() || !same_final_path(folder.final_path(), folder_path))
        throw RuntimeError(errPathFileAccess, "The folder is no longer where it was checked");
    return folder.delete_file(name, make_normal);
}

} // namespace rt
