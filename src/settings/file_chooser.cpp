#include "file_chooser.h"

#include "brxdata.h"
#include "forms.h"

#include <QLineEdit>

namespace brx {

namespace {

// Browsing starts from the stored path, not from what a box holds now.
FileRequest from_stored(Forms &forms, qint16 silent, FileRequest request,
                        QString Settings::*start) {
    Settings stored;
    BRXdata::load_settings(forms, silent, stored);
    // With none stored, from the request's own folder.
    if (!(stored.*start).isEmpty())
        request.start = stored.*start;
    return request;
}

} // namespace

std::optional<FilesChoice> choose_files(Forms &forms, qint16 silent, FileRequest request,
                                        QString Settings::*start) {
    return forms.platform().open_files(from_stored(forms, silent, std::move(request), start));
}

void choose_file(Forms &forms, qint16 silent, FileRequest request, QString Settings::*start,
                 const QList<FileTarget> &targets) {
    const std::optional<FileChoice> choice =
        forms.platform().open_file(from_stored(forms, silent, std::move(request), start));
    if (!choice || choice->filter < 1 || choice->filter > targets.size())
        return;
    const FileTarget &target = targets[choice->filter - 1];
    if (target.how == FileTarget::append)
        target.box->setText(target.box->text() + u' ' + choice->path);
    else
        target.box->setText(choice->path);
}

} // namespace brx
