// The engine setup dialog: where the user picks the engine, the IWAD, the resolution, the
// sample rate and the ZDoomGL options. It fills itself from brx.cfg when it opens and writes
// the whole record on "Okay".
#pragma once

#include "record.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace brx {

class Forms;
struct FileRequest;

class doom_setup : public QDialog {
    Q_OBJECT
public:
    explicit doom_setup(Forms &forms, QWidget *owner = nullptr);

    QTabWidget *SSTab1;
    QGroupBox *Frame1;
    QLabel *Label1;
    QLineEdit *doom_exe;
    QPushButton *get_exe;
    QLabel *Label2;
    QLineEdit *doom_iwad;
    QPushButton *get_iwad;
    QGroupBox *Frame2;
    QLabel *Label3;
    QComboBox *vid_res;
    QLabel *Label4;
    QComboBox *snd_rate;
    QGroupBox *Frame4;
    QButtonGroup *card; // the three option buttons, their ids 0 "Voodoo" to 2 "Normal AGP"
    QGroupBox *Frame5;
    QCheckBox *nomd2;
    QPushButton *Okay_Button;
    QPushButton *Cancel_Button;

public slots:
    void Form_Load();
    void get_exe_Click();
    void get_iwad_Click();
    void Okay_Button_Click();
    void Cancel_Button_Click();
    // The close box and Escape close the dialog as "Cancel" does.
    void reject() override;

private:
    void choose_file(QLineEdit *box, const FileRequest &request, QString Settings::*stored);

    Forms &forms_;
};

} // namespace brx
