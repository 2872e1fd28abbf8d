#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

// The close prompt: asks whether closing the window keeps the program running (in the tray, or
// minimised when there is no tray) or quits, and whether to ask again. Owns its form; records the
// answer in result/choice/remind and in the stored settings.
class CloseHint : public QDialog
{
    Q_OBJECT
public:
    enum Result
    {
        Confirmed = 1,
        Cancelled = 2
    };
    enum Choice
    {
        ChoiceNone = 0,
        // Keep running: in the tray, or minimised to the task bar when there is no tray.
        ToTray = 3,
        Quit = 4
    };
    enum Remind
    {
        RemindUnset = 0,
        AskAgain = 5,
        DontAsk = 6
    };

    explicit CloseHint(QWidget* parent = nullptr);

    // Resets the answer before each showing: a dialog closed by its frame counts as cancelled. The
    // first choice promises what keeping the program running does now: the tray, or without one
    // a minimised window.
    void prepare(bool trayAvailable = true);

    int result = Cancelled;
    int choice = ChoiceNone;
    int remind = RemindUnset;

    QRadioButton* rdbmini = nullptr;
    QRadioButton* rdbedit = nullptr;
    QCheckBox* checkBox = nullptr;
    QPushButton* btnok1 = nullptr;
    QPushButton* btncancel = nullptr;

public Q_SLOTS:
    void onOK();
    void onCancel();

protected:
    void paintEvent(QPaintEvent* event) override;
};
