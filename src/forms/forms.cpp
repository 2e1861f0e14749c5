#include "forms.h"

#include "form_dialog.h"
#include "platform.h"

namespace brx {

Forms::Forms(Platform &platform) : platform_(platform) {}
Forms::~Forms() = default;

void Forms::define(FormId id, Factory make) {
    factories_[id] = std::move(make);
}

bool Forms::defined(FormId id) const {
    const auto found = factories_.find(id);
    return found != factories_.end() && found->second;
}

void Forms::show_modal(FormId id) {
    if (loaded(id) || !defined(id))
        return;
    std::unique_ptr<FormDialog> window = factories_.at(id)(*this);
    // Dialogs are made with the main window as owner; reparenting a finished one would
    // polish every control again.
    if (main_window_ && window->parentWidget() != main_window_)
        window->setParent(main_window_, window->windowFlags());
    loaded_[id] = window.get();
    window->Form_Load();
    // The load step may already have unloaded it.
    if (loaded_[id])
        platform_.show_modal(*window);
    loaded_[id] = nullptr;
}

void Forms::unload(FormId id) {
    if (FormDialog *window = loaded_[id]) {
        loaded_[id] = nullptr;
        platform_.end_modal(*window);
    }
}

FormDialog *Forms::loaded(FormId id) const {
    const auto found = loaded_.find(id);
    return found == loaded_.end() ? nullptr : found->second.data();
}

} // namespace brx
