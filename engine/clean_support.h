#pragma once
// Helpers the engine's procedures share: the report, the work lists and the error log.
#include <exception>
#include <string>
#include <vector>
#include "common/clean_rule.h"

namespace pellmaris {

class Program;

namespace clean_support {

// Adds a line to the clean's report; outside a clean also to the report window's list.
void add_report_line(Program& app, const std::string& line);
// Empties the report (the clean's and Form2's lists) and the file, size and exception lists.
void start_report(Program& app);
// Puts the clean's whole report into Form2.List1, whatever happened to that list meanwhile.
void publish_report(Program& app);

// The path caption, the progress bar, the folder's file list and the failed paths: shown
// at once outside a clean, at most every few tens of milliseconds inside one.
void show_caption(Program& app, const std::string& caption);
void show_progress_range(Program& app, long max);
void show_progress(Program& app, long value);
void show_folder_files(Program& app, std::vector<std::string> names, std::vector<std::string> sizes);
void add_exception(Program& app, const std::string& path);
// Brings everything pending to the windows now.
void flush_display(Program& app);
// Appends an error-log record with the procedure line.
void log_error(Program& app, const char* procedure_line, const std::exception& error);

// What a clean (or the analysis of one) may touch, with the protected folders' final paths
// as they are now.
CleanRule clean_rule(const Program& app);

// Runs one step; a failure is logged and the procedure goes on with the next step.
template <typename Step>
void logged_step(Program& app, const char* procedure_line, Step&& step)
{
    try {
        step();
    } catch (const std::exception& e) {
        log_error(app, procedure_line, e);
    }
}

// Runs one step whose failure is passed over.
template <typename Step>
void ignoring_errors(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace clean_support
} // namespace pellmaris
