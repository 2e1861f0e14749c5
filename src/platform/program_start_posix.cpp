#include "program_start.h"

#include "platform.h"

namespace brx {

int start_program(const QString &command_line) {
    (void)command_line;
    return error_file_not_found;
}

} // namespace brx
