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

// Offers the files of the selected filter by our own matching rules, and every folder.
class FilterProxy : public QSortFilterProxyModel {
public:
    explicit FilterProxy(QList<FilterEntry> entries, QObject *parent)
        : QSortFilterProxyModel(parent), entries_(std::move(entries)) {}

    void select(int index) {
        current_ = index;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override {
        auto *model = qobject_cast<QFileSystemModel *>(sourceModel());
        if (!model || current_ < 0 || current_ >= entries_.size())
            return true;
        const QModelIndex index = model->index(row, 0, parent);
        const QFileInfo info = model->fileInfo(index);
        if (info.isDir())
            return true;
        return offers(entries_[current_], info.fileName(), info.isExecutable());
    }

private:
    QList<FilterEntry> entries_;
    int current_ = 0;
};

} // namespace

std::optional<FileChoice> run_file_dialog(const FileRequest &request, QWidget *parent) {
    const QList<FilterEntry> entries = parse_filter(request.filter);
    QStringList descriptions;
    for (const FilterEntry &entry : entries)
        descriptions << entry.description;

    QFileDialog dialog(parent, request.title);
    // Qt's own dialog, so that our matching rules decide what is offered.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    auto *proxy = new FilterProxy(entries, &dialog);
    dialog.setProxyModel(proxy);
    if (!descriptions.isEmpty())
        dialog.setNameFilters(descriptions);

    // The dialog filters its own model by patterns it reads from the descriptions; the proxy
    // filters by our rules instead. So once the dialog has applied a filter (when it comes up,
    // and after every change of filter) its model is told to hold every file again.
    auto *model = dialog.findChild<QFileSystemModel *>();
    auto follow_filter = [&dialog, model, proxy, descriptions] {
        if (model)
            model->setNameFilters({});
        proxy->select(int(descriptions.indexOf(dialog.selectedNameFilter())));
    };
    if (auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo")))
        QObject::connect(types, &QComboBox::currentIndexChanged, &dialog, follow_filter,
                         Qt::QueuedConnection);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow_filter,
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
    return FileChoice{QDir::toNativeSeparators(dialog.selectedFiles().constFirst()),
                      filter < 0 ? 1 : filter + 1};
}

} // namespace brx
