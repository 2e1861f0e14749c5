#include "file_chooser.h"

#include "brxdata.h"
#include "forms.h"

#include <QLineEdit>

namespace brx {

void choose_file(Forms &forms, qint16 silent, FileRequest request, QString Settings::*start,
                 const QList<FileTarget> &targets) {
    Settings stored;
    BRXdata::load_settings(forms, silent, stored);
    // Browsing starts from the stored path, not from what a box holds now; with none stored,
    // from the request's own folder.
    if (!(stored.*start).isEmpty())
        request.start = stored.*start;
    const std::optional<FileChoice> choice = forms.platform().open_file(request);
    if (!choice || choice->filter < 1 || choice->filter > targets.size())
        return;
    const FileTarget &target = targets[choice->filter - 1];
    if (target.how == FileTarget::append)
        target.box->setText(target.box->text() + u' ' + choice->path);
    else
        target.box->setText(choice->path);
}

} // namespace brx
