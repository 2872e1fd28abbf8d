#include "titlebar.h"

#include "kwdtheme.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>

TitleBar::TitleBar(QWidget* parent) : QWidget(parent)
{
    createWidgets();
    // A new bar shows the logo until a page gives it a title.
    setTitle(QString());
}

void TitleBar::createWidgets()
{
    layout = new QHBoxLayout(this);
    layout->setContentsMargins(9, 6, 9, 6);

    btnBack = new QPushButton(tr("GoBack"), this);
    btnBack->setObjectName(QStringLiteral("btnBack"));
    btnCondition = new QPushButton(tr("SetCondition"), this);
    btnCondition->setObjectName(QStringLiteral("btnCondition"));
    btnClearCondition = new QPushButton(QStringLiteral("×"), this);
    btnClearCondition->setObjectName(QStringLiteral("btnClearCondition"));
    btnClearCondition->setToolTip(tr("Clear the conditions"));
    btnClearCondition->setAccessibleName(tr("清除条件"));
    btnBack->setToolTip(tr("返回 (Esc)"));
    btnCondition->setToolTip(tr("筛选条件 (Ctrl+F)"));
    btnClearCondition->hide();
    btnFavorite = new QPushButton(this);
    btnFavorite->setObjectName(QStringLiteral("btnFavorite"));
    btnFavorite->setCheckable(true);
    nameFavorite();
    connect(btnFavorite, &QPushButton::toggled, this, &TitleBar::nameFavorite);

    layout->addWidget(btnBack);
    layout->addItem(new QSpacerItem(5, 5, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addWidget(btnCondition);
    layout->addWidget(btnClearCondition);
    layout->addWidget(btnFavorite);

    connect(btnBack, &QPushButton::clicked, this, &TitleBar::onbtnBackClicked);
    connect(btnCondition, &QPushButton::clicked, this, &TitleBar::onRightButtonClicked);
    connect(btnFavorite, &QPushButton::clicked, this, &TitleBar::onRightButtonClicked);
    connect(btnClearCondition, &QPushButton::clicked, this, [this] { emit doAction(3, 0); });
}

void TitleBar::setTitle(const QString& text, const QString& backText, const QString& rightText)
{
    title = text;
    if (!title.isEmpty()) {
        btnBack->setText(backText.isEmpty() ? tr("GoBack") : backText);
        btnBack->show();
    } else {
        btnBack->hide();
        if (btnCondition)
            btnCondition->hide();
        if (btnClearCondition)
            btnClearCondition->hide();
        if (btnFavorite)
            btnFavorite->hide();
    }
    if (!rightText.isEmpty() && btnCondition)
        btnCondition->setText(rightText);
    hasTitle = !title.isEmpty();
    if (text != titleShown) {
        titleShown = text;
        emit titleChanged(title);
    }
    const int h = hasTitle && btnCondition ? btnCondition->sizeHint().height() + 12 : 54;
    setFixedHeight(h);
    update();
}

void TitleBar::setButtons(int flags, bool checked)
{
    if (btnCondition)
        btnCondition->setVisible(flags & ShowCondition);
    if (btnClearCondition)
        btnClearCondition->setVisible((flags & ShowCondition) && conditionCount > 0);
    if (btnFavorite) {
        btnFavorite->setVisible(flags & ShowFavorite);
        if (flags & ShowFavorite)
            btnFavorite->setChecked(checked);
    }
}

void TitleBar::setConditionCount(int count)
{
    const int before = conditionCount;
    conditionCount = qMax(0, count);
    if (!btnCondition)
        return;
    // Without conditions the page's own caption stays; only a count shown before is taken back.
    if (conditionCount > 0)
        btnCondition->setText(tr("Filter·%1").arg(conditionCount));
    else if (before > 0)
        btnCondition->setText(tr("SetCondition"));
    if (btnClearCondition)
        btnClearCondition->setVisible(btnCondition->isVisibleTo(this) && conditionCount > 0);
}

void TitleBar::nameFavorite()
{
    const bool starred = btnFavorite->isChecked();
    btnFavorite->setAccessibleName(starred ? tr("取消收藏") : tr("收藏"));
    btnFavorite->setToolTip(starred ? tr("取消收藏 (Ctrl+D)") : tr("收藏 (Ctrl+D)"));
}

void TitleBar::setBackFlags(int flags)
{
    btnBack->setVisible(flags & ShowBack);
}

void TitleBar::onbtnBackClicked()
{
    emit goBack();
}

void TitleBar::onRightButtonClicked()
{
    QObject* from = sender();
    int act = 1;
    if (from && from == btnCondition)
        act = 0;
    else if (from && from == btnFavorite)
        act = 2;
    const quint32 param = btnFavorite && btnFavorite->isChecked() ? 1 : 0;
    emit doAction(act, param);
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    kwdTheme* theme = kwdTheme::instance();
    theme->drawTiled(&painter, QRect(0, 0, w, h), kwdTheme::RedBg2);

    if (!hasTitle) {
        const QPixmap logo = theme->image(kwdTheme::Logo1);
        if (!logo.isNull())
            painter.drawPixmap((w - logo.width()) / 2, (h - logo.height()) / 2, logo);
        return;
    }

    const QFont big(QStringLiteral("sans-serif"), 11);
    const QFont small(QStringLiteral("sans-serif"), 10);
    const int b = QFontMetrics(big).boundingRect(0, 0, 999, 999, Qt::AlignLeft | Qt::AlignTop, title).width();
    // The gap between the buttons decides whether the big font fits; hidden buttons still count.
    const int gap = btnCondition ? btnCondition->geometry().left() - btnBack->geometry().right() : w;
    painter.setFont(gap >= b + 20 ? big : small);
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(QRect((w - b - 20) / 2, 0, w, h), Qt::AlignLeft | Qt::AlignVCenter, title);
}
