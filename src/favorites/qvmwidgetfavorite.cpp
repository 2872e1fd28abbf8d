#include "qvmwidgetfavorite.h"

#include "kwdfavorites.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetsegement.h"
#include "titlebar.h"

#include <QScrollBar>
#include <QVBoxLayout>

qvmWidgetFavorite::qvmWidgetFavorite(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("qvmWidgetFavorite"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    titleBar = new TitleBar(this);
    layout->addWidget(titleBar);

    segment = new qvmWidgetSegement(this);
    segment->setObjectName(QStringLiteral("segFavorite"));
    segment->addSegment(tr("Sale"));
    segment->addSegment(tr("Lease"));
    segment->addSegment(tr("HA Project"));
    segment->setValue(0);
    layout->addWidget(segment);

    view = new qvmViewFavorite(this, titleBar);
    view->setObjectName(QStringLiteral("viewFavorite"));
    layout->addWidget(view, 1);

    connect(titleBar, &TitleBar::goBack, this, &qvmWidgetFavorite::onGoBack);
    connect(titleBar, &TitleBar::doAction, this, &qvmWidgetFavorite::onTitleBarAction);
    connect(segment, &qvmWidgetSegement::valueChanged, this, &qvmWidgetFavorite::onTypeChange);
    connect(view, &qvmViewFavorite::backtoFirst, this, &qvmWidgetFavorite::onViewFresh);
}

int qvmWidgetFavorite::categoryOf(int index)
{
    switch (index) {
    case 0:
        return 2;
    case 1:
        return 3;
    case 2:
        return 1;
    default:
        return -1;
    }
}

QString qvmWidgetFavorite::titleOf(int index)
{
    switch (index) {
    case 0:
        return tr("Sale Favorite");
    case 1:
        return tr("Lease Favorite");
    case 2:
        return tr("HA Favorite");
    default:
        return QString();
    }
}

void qvmWidgetFavorite::onTypeChange(int index)
{
    refresh(index);
}

void qvmWidgetFavorite::onViewFresh()
{
    refresh(segment->value());
}

void qvmWidgetFavorite::onGoBack()
{
    // With only the list shown there is nothing to go back to.
    if (view->pageCount() > 1)
        view->goBack();
}

void qvmWidgetFavorite::onTitleBarAction(int act, quint32 param)
{
    if (act == 2)
        view->toggleFavorite(2, param != 0);
}

void qvmWidgetFavorite::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    refresh(segment->value());
}

void qvmWidgetFavorite::refresh(int index)
{
    const int category = categoryOf(index);
    const QString title = titleOf(index);
    titleBar->setTitle(title, QString(), QString());
    const QMap<int, QList<qvmListItem*>>& favorites = kwdFavorites::instance()->rows;
    const auto stored = favorites.constFind(category);
    const bool any = stored != favorites.cend() && !stored->isEmpty();
    // An open detail stays while its page still has favourites to return to.
    if (view->showsDetail() && any)
        return;
    view->clear();
    titleBar->setButtons(0, false);
    titleBar->setBackFlags(0);
    if (stored != favorites.cend())
        view->showCopies(*stored, category, title);
    view->verticalScrollBar()->setValue(0);
    // An empty page would look broken: say how a favourite is made.
    if (!any)
        view->showStatus(true, tr("No favourites yet: open a listing and press the star to keep it here."));
}
