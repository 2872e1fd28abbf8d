#pragma once

#include <QTimer>
#include <QWidget>

// The floating wait box of widget pages: a rounded panel with a spinner and a text. One per
// process, created by the main window; pages show it at a vertical position while they wait.
class kwdShowWait : public QWidget
{
    Q_OBJECT
public:
    explicit kwdShowWait(QWidget* parent = nullptr);
    ~kwdShowWait() override;

    static kwdShowWait* instance();

    // Starts the spinner and shows the box at vertical position y of the parent.
    void showAt(int y, const QString& text = QString());
    // The same at the height of a widget anywhere in the window.
    void showBeside(QWidget* anchor, const QString& text = QString());
    void stop();
    bool isSpinning() const { return timer.isActive(); }

    QString text;
    int frame = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer timer;
};
