// The registry of the launcher's windows: one instance of each dialog at a time, created when
// shown and destroyed when unloaded, and the main window with its IWAD indicator. Dialogs may
// unload themselves (or each other) from inside their own handlers; a dialog is destroyed only
// once its modal loop has ended.
#pragma once

#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QWidget;

namespace brx {

class FormDialog;
class Platform;

enum class FormId { doom_setup, launch_solo, launch_multi, aboutbox };
inline constexpr FormId all_forms[] = {FormId::doom_setup, FormId::launch_solo,
                                       FormId::launch_multi, FormId::aboutbox};

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

    void set_main(QWidget *window, IwadIndicator *indicator);
    QWidget *main_window() const { return main_window_; }
    IwadIndicator *indicator() const { return indicator_; }

    // Creates the dialog with the main window as its owner, runs its load step, shows it
    // modally and destroys it once it has been unloaded. Does nothing for a dialog that is
    // already loaded or that this build does not have.
    void show_modal(FormId id);
    // Ends the dialog's modal loop; unloading a dialog that is not loaded does nothing.
    void unload(FormId id);
    FormDialog *loaded(FormId id) const;

private:
    static constexpr std::size_t count = std::size(all_forms);
    Platform &platform_;
    std::array<Factory, count> factories_;
    std::array<QPointer<FormDialog>, count> loaded_;
    QWidget *main_window_ = nullptr;
    IwadIndicator *indicator_ = nullptr;
};

} // namespace brx
