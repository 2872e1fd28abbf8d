#include "guidetitle.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>

GuideTitle::GuideTitle(QWidget* parent) : TitleBar(parent)
{
    layout->removeWidget(btnCondition);
    layout->removeWidget(btnFavorite);
    delete btnCondition;
    btnCondition = nullptr;
    delete btnFavorite;
    btnFavorite = nullptr;
    layout->removeWidget(btnBack);
    layout->addWidget(btnBack);
    layout->setContentsMargins(12, 1, 9, 1);
    setFixedHeight(2 * QFontMetrics(QFont(QStringLiteral("sans-serif"), 10)).lineSpacing());
}

void GuideTitle::setTitle(const QString& text, const QString&, const QString&)
{
    title = text;
    btnBack->show();
    update();
}

void GuideTitle::setButtons(int, bool) {}

void GuideTitle::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, QColor(245, 245, 245));
    painter.setPen(QColor(209, 209, 209));
    painter.drawLine(0, 0, r.width() - 1, 0);
    painter.setPen(QColor(51, 51, 51));
    painter.setFont(QFont(QStringLiteral("sans-serif"), 10));
    painter.drawText(r.adjusted(12, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
}
