#pragma once

#include <QWidget>

class QLabel;
class QPropertyAnimation;
class QPushButton;

// The small new-listing popup at the bottom right of the desktop: a frameless top-level window that
// stays on top and never takes the focus from what the user is doing. Says how many new listings
// arrived; "look" (the count or the button) asks for them. Owns its form and its slide.
class kwdNewHouses : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(qreal pos READ slidePosition WRITE setSlidePosition)
public:
    explicit kwdNewHouses(QWidget* parent = nullptr);

    // Sets the count and its text, then slides the popup up and shows it.
    void setCount(int n);
    qreal slidePosition() const { return position; }
    void setSlidePosition(qreal p);
    // Where the popup stands at slide position p, on the available area of its screen.
    QPoint placeAt(qreal p) const;

    int count = 0;
    QLabel* lblTitle = nullptr;
    QPushButton* btnClose = nullptr;
    QLabel* label = nullptr;
    QLabel* lblcontent = nullptr;
    QPushButton* btnlook = nullptr;
    QPropertyAnimation* slide = nullptr;

Q_SIGNALS:
    void look();

public Q_SLOTS:
    void onLook();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    qreal position = 0;
};
