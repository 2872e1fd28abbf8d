#pragma once

#include <QFrame>

class QPushButton;

// The small chooser of where a listing's photo comes from: a local file or the camera. It holds
// no state; each button hides it and asks its parent, the listing form, by slot name.
class kwdLoadPhoto : public QFrame
{
    Q_OBJECT
public:
    explicit kwdLoadPhoto(QWidget* parent);

    QPushButton* btnloadlocal = nullptr;
    QPushButton* btnloadcamera = nullptr;

public Q_SLOTS:
    void onLacalPhoto();
    void onCamreaPhoto();
};
