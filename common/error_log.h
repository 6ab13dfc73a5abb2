#pragma once
// PMerror.log: five-line records appended by the procedures that go on after an error.
#include <string>
#include "runtime/errors.h"
#include "runtime/text.h"

namespace pellmaris {

// Line 2 of a record, per writer.
inline constexpr const char* kLogFirstPass = "Error in procedure form1 code [first_pass]";
inline constexpr const char* kLogCleanSelectedArea = "Error in procedure form1 code [clean_selected_area]";
inline constexpr const char* kLogCleanLogfiles = "Error in procedure form1 code [clean_logfiles]";
// Both folder walks (Form1's and Form7's) write this one.
inline constexpr const char* kLogDeepFolders = "Error in procedure form7 code [deep_folders]";
inline constexpr const char* kLogForm3Load = "Error in procedure form3 code [form_load]";

// Appends "Date: dd/mm/yy   Time: <time>", the procedure line, "Error number = <n>",
// "Description  = <text>" and an empty line, each with CR LF. Never throws: a log that
// cannot be written is passed over.
void append_error_log(const std::string& log_path, const std::string& procedure_line, int number,
                      const std::string& description, const rt::LocalTime& now);
void append_error_log(const std::string& log_path, const std::string& procedure_line,
                      const rt::RuntimeError& error, const rt::LocalTime& now);

} // namespace pellmaris
