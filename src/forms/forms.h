// The registry of an application's dialogs: one instance of each dialog at a time, created
// when shown and destroyed when unloaded, with the main window as their owner. Dialogs may
// unload themselves (or each other) from inside their own handlers; a dialog is destroyed only
// once its modal loop has ended. Which dialogs there are is the application's business: it
// names them by FormId.
#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <memory>

class QWidget;

namespace brx {

class FormDialog;
class Platform;

// Names a dialog of the application; the application lists them.
enum class FormId : int;

class Forms {
public:
    using Factory = std::function<std::unique_ptr<FormDialog>(Forms &)>;

    explicit Forms(Platform &platform);
    ~Forms();
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    Platform &platform() const { return platform_; }

    void define(FormId id, Factory make);
    template <typename Dialog> void define(FormId id) {
        define(id, [](Forms &forms) { return std::make_unique<Dialog>(forms); });
    }
    bool defined(FormId id) const;

    // The owner of every dialog.
    void set_main(QWidget *window) { main_window_ = window; }
    QWidget *main_window() const { return main_window_; }

    // Creates the dialog with the main window as its owner, runs its load step, shows it
    // modally and destroys it once it has been unloaded. Does nothing for a dialog that is
    // already loaded or that this build does not have.
    void show_modal(FormId id);
    // Ends the dialog's modal loop; unloading a dialog that is not loaded does nothing.
    void unload(FormId id);
    FormDialog *loaded(FormId id) const;

private:
    Platform &platform_;
    std::map<FormId, Factory> factories_;
    std::map<FormId, QPointer<FormDialog>> loaded_;
    QWidget *main_window_ = nullptr;
};

} // namespace brx
