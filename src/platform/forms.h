// The launcher's windows as the logic sees them: one instance of each dialog at a time,
// created when shown and destroyed when unloaded, and the main window's IWAD indicator.
// Dialogs may unload themselves (or each other) from inside their own handlers; the
// window is only destroyed once its modal loop has ended.
#pragma once

#include "platform.h"

#include <QDialog>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace brx {

enum class FormId { doom_setup, launch_solo, launch_multi, aboutbox };

// The main window's record of which game the IWAD is; the game dialogs and the launch
// procedure read its caption, the main window and the engine setup dialog set it.
class IwadIndicator {
public:
    virtual QString iwad_caption() const = 0;
    virtual void show_iwad_kind(const QString &iwad_path) = 0;

protected:
    ~IwadIndicator() = default;
};

class Forms {
public:
    using Factory = std::function<std::unique_ptr<QDialog>(Forms &)>;

    explicit Forms(Platform &platform) : platform_(platform) {}
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    Platform &platform() const { return platform_; }

    void define(FormId id, Factory make);
    void set_main(QWidget *window, IwadIndicator *indicator);
    QWidget *main_window() const { return main_window_; }
    IwadIndicator *indicator() const { return indicator_; }

    // Creates the dialog (its load step runs), shows it modally with the main window as
    // owner and destroys it once it has been unloaded. Does nothing for a dialog that is
    // already loaded or that this build does not have.
    void show_modal(FormId id);
    // Ends the dialog's modal loop; unloading a dialog that is not loaded does nothing.
    void unload(FormId id);
    QDialog *loaded(FormId id) const;

private:
    static constexpr std::size_t count = 4;
    Platform &platform_;
    std::array<Factory, count> factories_;
    std::array<QPointer<QDialog>, count> loaded_;
    QWidget *main_window_ = nullptr;
    IwadIndicator *indicator_ = nullptr;
};

} // namespace brx
