#include "common/error_log.h"
#include "runtime/textfile.h"

namespace pellmaris {

void append_error_log(const std::string& log_path, const std::string& procedure_line, int number,
                      const std::string& description, const rt::LocalTime& now)
{
    try {
        std::string date_line = "Date: ";
        date_line.append(rt::format_ddmmyy(now)).append("   Time: ").append(rt::time_text(now));
        rt::TextFile log(log_path, rt::TextFile::Append);
        log.print_line(date_line);
        log.print_line(procedure_line);
        log.print_line(std::string("Error number = ").append(std::to_string(number)));
        log.print_line(std::string("Description  = ").append(description));
        log.print_line();
        log.close();
    } catch (...) {
        // the log is a courtesy; the writer goes on either way
    }
}

void append_error_log(const std::string& log_path, const std::string& procedure_line,
                      const rt::RuntimeError& error, const rt::LocalTime& now)
{
    append_error_log(log_path, procedure_line, error.number(), error.description(), now);
}

} // namespace pellmaris
