#include "kwdnewhouses.h"

#include "kwdtheme.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScreen>

kwdNewHouses::kwdNewHouses(QWidget* parent)
    : QWidget(parent,
              Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("kwdNewHouses"));
    // An announcement must not steal the keyboard from what the user is typing, nor keep the
    // program alive once its window is gone.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(219, 168);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 6, 6, 10);
    lblTitle = new QLabel(tr("最新房源提醒："), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    btnClose = new QPushButton(this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setFixedSize(20, 20);
    btnClose->setFocusPolicy(Qt::NoFocus);
    const QPixmap cross = kwdTheme::instance()->image(kwdTheme::Close);
    if (!cross.isNull()) {
        btnClose->setIcon(QIcon(cross));
        btnClose->setFlat(true);
    }
    label = new QLabel(tr("尊敬的用户："), this);
    label->setObjectName(QStringLiteral("label"));
    lblcontent = new QLabel(this);
    lblcontent->setObjectName(QStringLiteral("lblcontent"));
    lblcontent->setAlignment(Qt::AlignCenter);
    lblcontent->setCursor(Qt::PointingHandCursor);
    lblcontent->installEventFilter(this);
    btnlook = new QPushButton(tr("　　查看　　"), this);
    btnlook->setObjectName(QStringLiteral("btnlook"));
    btnlook->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(lblTitle, 0, 0);
    grid->addWidget(btnClose, 0, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(label, 1, 0, 1, 2);
    grid->addWidget(lblcontent, 2, 0, 1, 2);
    grid->addWidget(btnlook, 3, 0, 1, 2, Qt::AlignCenter);
    grid->setRowStretch(2, 1);

    slide = new QPropertyAnimation(this, "pos", this);
    slide->setDuration(500);
    slide->setStartValue(0.0);
    slide->setEndValue(1.0);

    connect(btnlook, &QPushButton::clicked, this, &kwdNewHouses::onLook);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

void kwdNewHouses::setCount(int n)
{
    count = n;
    lblcontent->setText(tr("%1new house").arg(count));
    slide->stop();
    setSlidePosition(0);
    show();
    slide->start();
}

QPoint kwdNewHouses::placeAt(qreal p) const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect desk = s ? s->availableGeometry() : QRect(0, 0, 800, 600);
    return QPoint(desk.x() + desk.width() - width() - 15,
                  desk.y() + desk.height() - 1 - int(height() * p) - 36);
}

void kwdNewHouses::setSlidePosition(qreal p)
{
    position = p;
    move(placeAt(p));
}

void kwdNewHouses::onLook()
{
    Q_EMIT look();
    close();
}

bool kwdNewHouses::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lblcontent && event->type() == QEvent::MouseButtonRelease &&
        lblcontent->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        onLook();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void kwdNewHouses::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QColor(214, 214, 214));
    p.setBrush(Qt::white);
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}
