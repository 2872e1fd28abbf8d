#include "qvmwidgetsource.h"

#include "conditionview.h"
#include "kwdfinder.h"
#include "kwdlazypage.h"
#include "kwdnewhousecondition.h"
#include "kwdstore.h"
#include "kwdwidgetarea.h"
#include "qvmgraphicsitem.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsetcondition.h"
#include "qvmviewarea.h"
#include "titlebar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStackedLayout>
#include <QVBoxLayout>

qvmWidgetSource::qvmWidgetSource(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);

    bar = new TitleBar(this);
    layout->addWidget(bar);
    stack = new QStackedLayout;
    layout->addLayout(stack, 1);

    // Every page is made with the parent it will keep: moving a built widget into another parent
    // styles its whole subtree again.
    // Page 0: the area and category chooser.
    areaView = new qvmViewArea(this);
    stack->addWidget(areaView);

    // Page 1: the bar of pushed listings above the result view.
    auto* results = new QWidget(this);
    results->setObjectName(QStringLiteral("pageResults"));
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->setSpacing(5);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    pushWidget = new QWidget(results);
    pushWidget->setObjectName(QStringLiteral("pushWidget"));
    pushWidget->setFixedHeight(35);
    auto* pushLayout = new QHBoxLayout(pushWidget);
    pushLayout->setObjectName(QStringLiteral("pushLayout"));
    pushLayout->setSpacing(0);
    pushLayout->setContentsMargins(5, 5, 5, 5);
    auto* newhouse1 = new QLabel(tr("new house1"), pushWidget);
    newhouse1->setObjectName(QStringLiteral("newhouse1"));
    number = new QLabel(pushWidget);
    number->setObjectName(QStringLiteral("number"));
    auto* newhouse3 = new QLabel(tr("new house3"), pushWidget);
    newhouse3->setObjectName(QStringLiteral("newhouse3"));
    newhouseSet = new QPushButton(pushWidget);
    newhouseSet->setObjectName(QStringLiteral("newhouseSet"));
    // Without a caption the user would see a blank button: say where it leads.
    newhouseSet->setText(tr("Push conditions"));
    newhouseSet->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    pushLayout->addWidget(newhouse1);
    pushLayout->addWidget(number);
    pushLayout->addWidget(newhouse3);
    pushLayout->addItem(new QSpacerItem(10, 7, QSizePolicy::Expanding, QSizePolicy::Minimum));
    pushLayout->addWidget(newhouseSet);
    pushWidget->hide();
    resultsLayout->addWidget(pushWidget);
    view = new qvmResultView(results, bar);
    // Its parent is the results page, which cannot go back: swiping the last list away reaches us.
    connect(view, &qvmResultView::gotoCondition, this, &qvmWidgetSource::onGoBack);
    view->setPushBar(pushWidget);
    resultsLayout->addWidget(view, 1);
    stack->addWidget(results);

    // Page 2: the condition form, built when first shown or asked for.
    conditionSlot = new kwdLazyPage(
        [this](QWidget* parent) {
            conditionView = new qvmSetCondition(parent);
            connect(conditionView->view(), &ConditionView::doSearch, this,
                    &qvmWidgetSource::onSearchFromConditionView);
            return conditionView;
        },
        this);
    stack->addWidget(conditionSlot);

    // Page 3: the subscription form of the new-listing push, also built on first use.
    pushConditionSlot = new kwdLazyPage(
        [this](QWidget* parent) {
            pushCondition = new kwdNewHouseCondition(parent);
            connect(pushCondition, &kwdNewHouseCondition::back, this, &qvmWidgetSource::onGoBack);
            return pushCondition;
        },
        this);
    stack->addWidget(pushConditionSlot);

    stack->setCurrentIndex(PageArea);

    connect(areaView->area(), &kwdWidgetArea::doSearch, this, &qvmWidgetSource::onSearchFromAreaView);
    connect(newhouseSet, &QPushButton::clicked, this, &qvmWidgetSource::onBtnSet);
    connect(bar, &TitleBar::goBack, this, &qvmWidgetSource::onGoBack);
    connect(bar, &TitleBar::doAction, this, &qvmWidgetSource::onTitleBarAction);
    connect(view, &qvmResultView::back, this, &qvmWidgetSource::onGoBack);
}

kwdNewHouseCondition* qvmWidgetSource::pushConditionPage()
{
    pushConditionSlot->content();
    return pushCondition;
}

qvmSetCondition* qvmWidgetSource::conditionPage()
{
    conditionSlot->content();
    return conditionView;
}

int qvmWidgetSource::currentPage() const
{
    return stack->currentIndex();
}

void qvmWidgetSource::showPage(int index)
{
    stack->setCurrentIndex(index);
}

kwdFinder* qvmWidgetSource::topCondition() const
{
    qvmGraphicsItem* top = view->topPage();
    if (top && (top->kind() == qvmGraphicsItem::KindList || top->kind() == qvmGraphicsItem::KindPush)) {
        if (kwdFinder* c = static_cast<qvmResultListItem*>(top)->condition)
            return c;
    }
    return kwdStore::instance()->currentFinder;
}

void qvmWidgetSource::onSearchFromAreaView(bool search)
{
    if (!search) {
        showPage(PageResults);
        view->openList(kwdStore::instance()->currentFinder, true, false);
        return;
    }
    // The push condition form: filled from the push record each time it is opened.
    QObject* form = pushConditionPage();
    QMetaObject::invokeMethod(form, "fill");
    QMetaObject::invokeMethod(form, "refresh");
    showPage(PagePushCondition);
    bar->setTitle(tr("new house condition"), QString(), QString());
    bar->setBackFlags(TitleBar::ShowBack);
    bar->setButtons(0, false);
}

void qvmWidgetSource::showPushResults(const QList<qvmListItem*>& rows, int kind)
{
    showPage(PageResults);
    number->setText(QStringLiteral("%1").arg(rows.size()));
    pushWidget->show();
    view->showPush(rows, kind);
}

void qvmWidgetSource::onSearchFromConditionView()
{
    showPage(PageResults);
    view->openList(conditionPage()->view()->record(), false, false);
}

void qvmWidgetSource::onBtnSet()
{
    onSearchFromAreaView(true);
}

void qvmWidgetSource::onTitleBarAction(int act, quint32 param)
{
    if (act == 0) {
        kwdFinder* record = view->pageCount() > 0 ? topCondition() : kwdStore::instance()->currentFinder;
        conditionPage()->view()->setCondition(record);
        showPage(PageCondition);
        const int category = record ? record->category : -1;
        bar->setTitle(kwdStore::categoryTitle(category) + QStringLiteral("-") + tr("Set Condition"),
                      QString(), QString());
        bar->setButtons(0, false);
        return;
    }
    if (act == 1) {
        if (view->pageCount() == 0)
            return;
        kwdFinder* record = topCondition();
        if (!record)
            return;
        QString sort;
        if (param == 11)
            sort = QStringLiteral("p1");
        else if (param == 12)
            sort = QStringLiteral("p2");
        else
            sort = QString::number(param);
        record->setField(record->category == 1 ? kwdFinder::SortHa : kwdFinder::SortHouse, sort);
        view->openList(record, false, false);
        return;
    }
    if (act == 3) {
        // One tap drops the carried-over conditions and searches again without them.
        kwdFinder* record = view->pageCount() > 0 ? topCondition() : nullptr;
        if (!record)
            return;
        record->clearConditions();
        kwdStore::instance()->saveFinders(kwdStore::instance()->finders);
        view->openList(record, false, false);
        return;
    }
    if (view->isVisible())
        view->toggleFavorite(act, param != 0);
}

void qvmWidgetSource::onGoBack()
{
    switch (currentPage()) {
    case PageResults:
        if (view->pageCount() > 1) {
            view->goBack();
        } else {
            view->clear();
            pushWidget->hide();
            showPage(PageArea);
            bar->setTitle(QString());
        }
        break;
    case PageCondition: {
        showPage(PageResults);
        const kwdFinder* current = topCondition();
        bar->setTitle(kwdStore::categoryTitle(current ? current->category : -1), tr("Back"),
                      tr("Set Condition"));
        qvmGraphicsItem* top = view->topPage();
        if (top && top->kind() == qvmGraphicsItem::KindList) {
            bar->setConditionCount(current ? current->activeConditions() : 0);
            bar->setButtons(TitleBar::ShowCondition, false);
        }
        break;
    }
    case PagePushCondition: {
        const kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
        const bool subscribed = push && push->field(kwdFinder::PushFlag) == QLatin1String("1");
        if (subscribed && view->pageCount() > 0) {
            showPage(PageResults);
            // The result view sets the bar from its top page exactly as when that page arrived.
            view->updateTitle();
        } else {
            showPage(PageArea);
            bar->setTitle(QString());
        }
        break;
    }
    default:
        break;
    }
}
