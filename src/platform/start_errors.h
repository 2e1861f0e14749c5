// The error numbers of a program start that failed, in plain C++ so that the starts, which
// build without Qt, and the launcher's logic name them alike.
#pragma once

namespace brx {

// No program (or help viewer) file found.
inline constexpr int error_file_not_found = 53;
inline constexpr int error_out_of_memory = 7;
inline constexpr int error_permission_denied = 70;
inline constexpr int error_file_access = 75;
// The system cannot take a command line, or an argument, this long.
inline constexpr int error_command_too_long = 5;
// A NUL ends a program's argument: a line that holds one would reach it cut short.
inline constexpr int error_nul_in_command = 93;

} // namespace brx
