#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QGraphicsScene;
class QGraphicsView;
class kwdMessageItem;

// The result view's message box: owns the box item (in the view's scene) and the spinner timer; shows
// a wait message with a spinner, or a plain status message. The view should have its scene before
// the box is created; the box item is put into that scene.
class kwdShowScroll : public QObject
{
    Q_OBJECT
public:
    explicit kwdShowScroll(QGraphicsView* view, QObject* parent = nullptr);
    ~kwdShowScroll() override;

    // A wait message with the spinner; offScreen puts the box just right of the visible area.
    void showWait(const QString& text, bool offScreen);
    // A status message; with `retry`, a tap on the box calls it and the box offers it.
    void showMessage(const QString& text, const std::function<void()>& retry = {});
    void hide();

    kwdMessageItem* item = nullptr;
    QTimer timer;

public Q_SLOTS:
    void onTimer();

private:
    void place(bool offScreen);

    QGraphicsView* view = nullptr;
    // The scene that took the item: when it is gone, so is the item.
    QPointer<QGraphicsScene> scene;
    bool inScene = false;
};
