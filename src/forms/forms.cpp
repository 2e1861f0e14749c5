#include "forms.h"

#include "form_dialog.h"
#include "platform.h"

namespace brx {

static std::size_t slot(FormId id) {
    return static_cast<std::size_t>(id);
}

Forms::Forms(Platform &platform) : platform_(platform) {}
Forms::~Forms() = default;

void Forms::define(FormId id, Factory make) {
    factories_[slot(id)] = std::move(make);
}

bool Forms::defined(FormId id) const {
    return bool(factories_[slot(id)]);
}

void Forms::set_main(QWidget *window, IwadIndicator *indicator) {
    main_window_ = window;
    indicator_ = indicator;
}

void Forms::show_modal(FormId id) {
    if (loaded_[slot(id)] || !defined(id))
        return;
    std::unique_ptr<FormDialog> window = factories_[slot(id)](*this);
    // Dialogs are made with the main window as owner; reparenting a finished one would
    // polish every control again.
    if (main_window_ && window->parentWidget() != main_window_)
        window->setParent(main_window_, window->windowFlags());
    loaded_[slot(id)] = window.get();
    window->Form_Load();
    // The load step may already have unloaded it.
    if (loaded_[slot(id)])
        platform_.show_modal(*window);
    loaded_[slot(id)] = nullptr;
}

void Forms::unload(FormId id) {
    if (FormDialog *window = loaded_[slot(id)]) {
        loaded_[slot(id)] = nullptr;
        platform_.end_modal(*window);
    }
}

FormDialog *Forms::loaded(FormId id) const {
    return loaded_[slot(id)];
}

} // namespace brx
