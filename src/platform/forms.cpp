#include "forms.h"

namespace brx {

static std::size_t slot(FormId id) {
    return static_cast<std::size_t>(id);
}

void Forms::define(FormId id, Factory make) {
    factories_[slot(id)] = std::move(make);
}

void Forms::set_main(QWidget *window, IwadIndicator *indicator) {
    main_window_ = window;
    indicator_ = indicator;
}

void Forms::show_modal(FormId id) {
    if (loaded_[slot(id)] || !factories_[slot(id)])
        return;
    std::unique_ptr<QDialog> window = factories_[slot(id)](*this);
    loaded_[slot(id)] = window.get();
    platform_.show_modal(*window);
    loaded_[slot(id)] = nullptr;
}

void Forms::unload(FormId id) {
    if (QDialog *window = loaded_[slot(id)]) {
        loaded_[slot(id)] = nullptr;
        platform_.end_modal(*window);
    }
}

QDialog *Forms::loaded(FormId id) const {
    return loaded_[slot(id)];
}

} // namespace brx
