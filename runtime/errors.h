#pragma once
// Run-time errors: a number and a description, as the program's procedures see them.
#include <stdexcept>
#include <string>

namespace rt {

enum ErrorNumber : int {
    errInvalidCall = 5,        // "Invalid procedure call or argument"
    errOverflow = 6,           // "Overflow"
    errSubscript = 9,          // "Subscript out of range"
    errTypeMismatch = 13,      // "Type mismatch"
    errBadFileNumber = 52,     // "Bad file name or number"
    errFileNotFound = 53,      // "File not found"
    errDeviceIO = 57,          // "Device I/O error"
    errDiskFull = 61,          // "Disk full"
    errPastEnd = 62,           // "Input past end of file"
    errDeviceUnavailable = 68, // "Device unavailable"
    errPermission = 70,        // "Permission denied"
    errDiskNotReady = 71,      // "Disk not ready"
    errPathFileAccess = 75,    // "Path/File access error"
    errPathNotFound = 76,      // "Path not found"
    errInvalidProperty = 380,  // "Invalid property value"
    errInvalidIndex = 381,     // "Invalid property array index"
};

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(int number);
    RuntimeError(int number, const std::string& description);
    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

// The standard description of an error number ("Application-defined or object-defined error" when unknown).
std::string error_description(int number);

// Maps a Win32 error code (GetLastError) to the run-time error number it stands for.
int error_from_win32(unsigned long win32_error);

[[noreturn]] void raise(int number);
[[noreturn]] void raise_last_win32_error();

} // namespace rt
