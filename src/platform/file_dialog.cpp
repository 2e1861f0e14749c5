#include "file_dialog.h"

#include "file_filter.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QTimer>

namespace brx {

namespace {

// Offers the files of the selected filter by our own matching rules, and every folder. Each
// filter's patterns are made ready once: a folder may hold tens of thousands of files, and
// every one is tested again at each change of filter.
class FilterProxy : public QSortFilterProxyModel {
public:
    FilterProxy(const QList<FilterEntry> &entries, QObject *parent)
        : QSortFilterProxyModel(parent) {
        for (const FilterEntry &entry : entries)
            matchers_.append(FilterMatcher(entry.patterns));
    }

    void select(int index) {
        if (index == current_)
            return;
        current_ = index;
        // As one change of the whole list, as the dialog's own filters do: told row by row,
        // the views would take thousands of removals or insertions one range at a time.
        invalidate();
    }

    // The folder model sorts as the dialog does without a proxy: folders first, sizes by
    // size, names in the locale's order. Sorting here as well, by the shown texts, would sort
    // each long folder twice on every change, and by other rules.
    void sort(int column, Qt::SortOrder order) override {
        if (sourceModel())
            sourceModel()->sort(column, order);
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override {
        auto *model = qobject_cast<QFileSystemModel *>(sourceModel());
        if (!model || current_ < 0 || current_ >= matchers_.size())
            return true;
        const QModelIndex index = model->index(row, 0, parent);
        const QFileInfo info = model->fileInfo(index);
        if (info.isDir())
            return true;
        const QString path = info.filePath();
        return matchers_[current_].offers(file_name(path), [&info] { return info.isExecutable(); });
    }

private:
    // QFileInfo::fileName() of the path, without making a string of it, for each of
    // thousands of files.
    static QStringView file_name(const QString &path) {
        const qsizetype slash = path.lastIndexOf(u'/');
#ifdef Q_OS_WIN
        if (slash < 0 && path.size() >= 2 && path.at(1) == u':')
            return QStringView(path).mid(2);
#endif
        return QStringView(path).mid(slash + 1);
    }

    QList<FilterMatcher> matchers_;
    int current_ = 0;
};

} // namespace

std::optional<FilesChoice> run_file_dialog(const FileRequest &request, QWidget *parent,
                                           Choose choose) {
    const QList<FilterEntry> entries = parse_filter(request.filter);
    QStringList descriptions;
    for (const FilterEntry &entry : entries)
        descriptions << entry.description;

    QFileDialog dialog(parent, request.title);
    // Qt's own dialog, so that our matching rules decide what is offered.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(choose == Choose::several ? QFileDialog::ExistingFiles
                                                 : QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto *proxy = new FilterProxy(entries, &dialog);
    dialog.setProxyModel(proxy);
    if (!descriptions.isEmpty())
        dialog.setNameFilters(descriptions);

    // The dialog filters its own model by patterns it reads from the descriptions; the proxy
    // filters by our rules instead. So whenever the dialog has applied a filter (when it is
    // set up, and at a change of filter made other than in its list of types) its model is
    // told to hold every file again.
    auto *model = dialog.findChild<QFileSystemModel *>();
    auto follow_filter = [&dialog, model, proxy, descriptions] {
        if (model && !model->nameFilters().isEmpty())
            model->setNameFilters({});
        proxy->select(int(descriptions.indexOf(dialog.selectedNameFilter())));
    };
    follow_filter();
    // Any change of the model's filters, even back to none, makes it sort the whole folder
    // again, which takes long in a folder of thousands of files. So a user's choice in the
    // list of types goes to the proxy alone, where this Qt lets us tell its dialog not to
    // apply it (where not, the model is told to hold every file again, as above).
    auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    if (types && dialog.metaObject()->indexOfSlot("_q_useNameFilter(int)") >= 0)
        QObject::disconnect(types, SIGNAL(activated(int)), &dialog, SLOT(_q_useNameFilter(int)));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow_filter);
    // Any other change of filter: the dialog applies it after the list tells of the change.
    if (types)
        QObject::connect(types, &QComboBox::currentIndexChanged, &dialog, follow_filter,
                         Qt::QueuedConnection);
    QTimer::singleShot(0, &dialog, follow_filter);

    if (!request.start.isEmpty()) {
        const QFileInfo start(request.start);
        if (start.isDir()) {
            dialog.setDirectory(start.absoluteFilePath());
        } else if (start.dir().exists()) {
            dialog.setDirectory(start.absolutePath());
            if (start.isFile())
                dialog.selectFile(start.fileName());
        }
    }

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int filter = int(descriptions.indexOf(dialog.selectedNameFilter()));
    // In the order the user picked them: the dialog keeps the order of its selection.
    QStringList paths;
    for (const QString &path : dialog.selectedFiles())
        paths << QDir::toNativeSeparators(path);
    return FilesChoice{paths, filter < 0 ? 1 : filter + 1};
}

} // namespace brx
