#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QPushButton;

// The prize-draw panel at the bottom of the main window: the waiting text, a won prize, the use
// counts or a failure message. Owns its label and buttons; hides itself when a button is pressed.
class kwdCheckBonus : public QWidget
{
    Q_OBJECT
public:
    explicit kwdCheckBonus(QWidget* parent);

    // Both empty: the waiting text.
    void showPrize(const QString& prize, const QString& code);
    // A negative `today`: the waiting text.
    void showCounts(int today, int week, const QString& code);
    void showMessage(const QString& text);
    // 1 pixel from the window's sides, 2 above its bottom, as tall as the text needs; shown.
    void placeAtBottom();

    QString prize;
    QString code;
    bool prizeView = false;
    QLabel* label = nullptr;
    QPushButton* btnBonusOK = nullptr;
    QPushButton* btnDetail = nullptr;

public Q_SLOTS:
    void onBtnClicked();
    void onBtnDetail();

protected:
    void paintEvent(QPaintEvent* event) override;
};
