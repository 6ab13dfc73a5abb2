#include "runtime/errors.h"
#include <windows.h>

namespace rt {

std::string error_description(int number)
{
    switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 13: return "Type mismatch";
    case 52: return "Bad file name or number";
    case 53: return "File not found";
    case 55: return "File already open";
    case 57: return "Device I/O error";
    case 58: return "File already exists";
    case 61: return "Disk full";
    case 62: return "Input past end of file";
    case 68: return "Device unavailable";
    case 70: return "Permission denied";
    case 71: return "Disk not ready";
    case 75: return "Path/File access error";
    case 76: return "Path not found";
    case 380: return "Invalid property value";
    case 381: return "Invalid property array index";
    case 481: return "Invalid picture";
    default: return "Application-defined or object-defined error";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, error_description(number)) {}

RuntimeError::RuntimeError(int number, const std::string& description)
    : std::runtime_error(description), number_(number), description_(description)
{
}

int error_from_win32(unsigned long e)
{
    switch (e) {
    case ERROR_FILE_NOT_FOUND: return errFileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY: return errPathNotFound;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_DIR_NOT_EMPTY:
    case ERROR_CURRENT_DIRECTORY:
    case ERROR_WRITE_PROTECT: return errPathFileAccess;
    case ERROR_INVALID_NAME: return errBadFileNumber;
    case ERROR_NOT_READY: return errDiskNotReady;
    case ERROR_DEV_NOT_EXIST:
    case ERROR_NO_MEDIA_IN_DRIVE: return errDeviceUnavailable;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return errDiskFull;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return 7;
    case ERROR_INVALID_PARAMETER: return errInvalidCall;
    default: return errDeviceIO;
    }
}

void raise(int number) { throw RuntimeError(number); }

void raise_last_win32_error() { raise(error_from_win32(GetLastError())); }

} // namespace rt
