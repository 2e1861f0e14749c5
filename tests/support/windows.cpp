#include "windows.h"

#include <QTabWidget>

namespace brx {

static void visit_pages(QWidget &window,
                        const std::function<void(QWidget &, const QString &)> &visit) {
    auto *tabs = window.findChild<QTabWidget *>();
    if (!tabs) {
        visit(window, {});
        return;
    }
    for (int index = 0; index < tabs->count(); ++index) {
        tabs->setCurrentIndex(index);
        visit(window, tabs->widget(index)->objectName());
    }
}

void for_each_window(Rig &rig,
                     const std::function<void(QWidget &window, const QString &page)> &visit) {
    rig.write_cfg(configured);
    rig.main.Form_Load();
    rig.main.show();
    visit_pages(rig.main, visit);
    for (const FormId id : all_forms) {
        if (rig.forms.defined(id))
            rig.open<QDialog>(id, [&](QDialog &window) { visit_pages(window, visit); });
    }
}

} // namespace brx
