#include "common/error_log.h"
#include "runtime/textfile.h"

namespace pellmaris {

void append_error_log(const std::string& log_path, const std::string& procedure_line, int number,
                      const std::string& description, const rt::LocalTime& now)
{
    try {
        std::string date_line = "Date: ";
        date_line.append(rt::format_ddmmyy(now)).append("   Time: ").append(rt::time_text(now));
        const std::string record = date_line + "\r\n" + procedure_line + "\r\n" + "Error number = "
            + std::to_string(number) + "\r\n" + "Description  = " + description + "\r\n\r\n";
        rt::TextFile log(log_path, rt::TextFile::Append);
        log.print(record);   // one print: a record the code page cannot hold is not written in part
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
