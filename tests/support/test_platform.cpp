#include "test_platform.h"

#include <QApplication>
#include <QDir>

namespace brx {

int TestPlatform::unused_answers() const {
    int count = int(file_answers_.size());
    for (const QList<Script> &list : scripts_)
        count += int(list.size());
    return count;
}

void TestPlatform::show_modal(QDialog &window) {
    shown << window.objectName();
    window.show();
    QApplication::setActiveWindow(&window);
    QList<Script> &queue = scripts_[window.objectName()];
    if (!queue.isEmpty()) {
        const Script run = queue.takeFirst();
        run(window);
    }
    if (window.isVisible())
        window.close();
    if (window.isVisible())
        qFatal("%s stayed open after its close box", qPrintable(window.objectName()));
}

std::optional<FileChoice> TestPlatform::open_file(const FileRequest &request) {
    file_requests.append(request);
    if (file_answers_.isEmpty())
        qFatal("file-open dialog \"%s\" shown with no answer queued", qPrintable(request.title));
    return file_answers_.takeFirst();
}

bool TestPlatform::set_current_dir(const QString &path) {
    dir_changes << path;
    return QDir::setCurrent(path);
}

int TestPlatform::start_program(const QString &command_line) {
    starts.append({command_line, QDir::toNativeSeparators(QDir::currentPath())});
    return start ? start(command_line) : start_result;
}

} // namespace brx
