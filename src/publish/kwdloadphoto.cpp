#include "kwdloadphoto.h"

#include <QHBoxLayout>
#include <QPushButton>

kwdLoadPhoto::kwdLoadPhoto(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("loadPhoto"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    auto* row = new QHBoxLayout(this);
    btnloadlocal = new QPushButton(tr("本地浏览"), this);
    btnloadlocal->setObjectName(QStringLiteral("btnloadlocal"));
    btnloadcamera = new QPushButton(tr("现场拍摄"), this);
    btnloadcamera->setObjectName(QStringLiteral("btnloadcamera"));
    // Capturing from a camera needs a multimedia back end this build does not link.
    btnloadcamera->setEnabled(false);
    btnloadcamera->setToolTip(tr("This build has no camera support"));
    row->addWidget(btnloadlocal);
    row->addWidget(btnloadcamera);
    connect(btnloadlocal, &QPushButton::clicked, this, &kwdLoadPhoto::onLacalPhoto);
    connect(btnloadcamera, &QPushButton::clicked, this, &kwdLoadPhoto::onCamreaPhoto);
    hide();
}

void kwdLoadPhoto::onLacalPhoto()
{
    hide();
    if (parentWidget())
        QMetaObject::invokeMethod(parentWidget(), "onPhotoLocal", Qt::QueuedConnection);
}

void kwdLoadPhoto::onCamreaPhoto()
{
    hide();
    if (parentWidget() && parentWidget()->metaObject()->indexOfSlot("onPhotoCamera()") >= 0)
        QMetaObject::invokeMethod(parentWidget(), "onPhotoCamera", Qt::QueuedConnection);
}
