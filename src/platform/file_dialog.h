// The file-open dialog on a real desktop: Qt's own dialog, with our filter rules deciding
// which files each filter offers (names in any letter case; programs without ".exe" where
// programs carry no suffix), and the descriptions shown verbatim.
#pragma once

#include "platform.h"

class QWidget;

namespace brx {

enum class Choose { one, several };

// The chosen files, at least one, in the order the dialog gives them.
std::optional<FilesChoice> run_file_dialog(const FileRequest &request, QWidget *parent,
                                           Choose choose);

} // namespace brx
