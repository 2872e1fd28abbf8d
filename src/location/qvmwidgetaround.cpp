#include "qvmwidgetaround.h"

#include "conditionview.h"
#include "kwdfinder.h"
#include "kwdlocation.h"
#include "kwdstore.h"
#include "qvmgraphicsitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmsetcondition.h"
#include "qvmviewaroundfunction.h"
#include "qvmwidgetaroundfunction.h"
#include "qvmwidgetgpsguide.h"
#include "titlebar.h"

#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

qvmWidgetAround::qvmWidgetAround(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("qvmWidgetAround"));
    // The form connects to the position source, so it must exist first.
    source = new kwdLocation(this);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    bar = new TitleBar(this);
    layout->addWidget(bar);
    stack = new QStackedLayout;
    layout->addLayout(stack, 1);

    functionPage = new qvmViewAroundFunction;
    stack->addWidget(functionPage);

    auto* results = new QWidget;
    results->setObjectName(QStringLiteral("pageAroundResults"));
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->setSpacing(8);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    addressLabel = new QLabel(results);
    addressLabel->setObjectName(QStringLiteral("addressName"));
    // The address comes from the geocoder: shown as it is, never read as markup.
    addressLabel->setTextFormat(Qt::PlainText);
    addressLabel->setContentsMargins(0, 8, 0, 8);
    addressLabel->setAlignment(Qt::AlignHCenter);
    addressLabel->setWordWrap(true);
    resultsLayout->addWidget(addressLabel);
    view = new qvmResultView(this, bar);
    resultsLayout->addWidget(view, 1);
    stack->addWidget(results);

    conditionView = new qvmSetCondition;
    stack->addWidget(conditionView);

    guide = new qvmWidgetGPSGuide(source);
    stack->addWidget(guide);
    stack->setCurrentIndex(PageForm);

    qvmWidgetAroundFunction* f = functionPage->form();
    connect(bar, &TitleBar::goBack, this, &qvmWidgetAround::onGoBack);
    connect(bar, &TitleBar::doAction, this, &qvmWidgetAround::onTitleBarAction);
    connect(conditionView->view(), &ConditionView::doSearch, this,
            &qvmWidgetAround::onSearchFromConditionView);
    connect(f, &qvmWidgetAroundFunction::doSearch, this, &qvmWidgetAround::onSearchFromAreaView);
    connect(f, &qvmWidgetAroundFunction::doGPSGuide, this, &qvmWidgetAround::onUseGPSGuide);
    connect(view, &qvmResultView::back, this, &qvmWidgetAround::onGoBack);
}

void qvmWidgetAround::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Coming back to the results, the conditions or the guide needs a live position as much as
    // coming back to the form does.
    form()->startPositioning();
}

int qvmWidgetAround::currentPage() const
{
    return stack->currentIndex();
}

qvmWidgetAroundFunction* qvmWidgetAround::form() const
{
    return functionPage->form();
}

bool qvmWidgetAround::listShown() const
{
    const qvmGraphicsItem* top = view->topPage();
    return top && top->kind() == qvmGraphicsItem::KindList &&
           static_cast<const qvmResultListItem*>(top)->condition;
}

kwdFinder* qvmWidgetAround::shownCondition() const
{
    if (listShown())
        return static_cast<qvmResultListItem*>(view->topPage())->condition;
    return form()->condition();
}

void qvmWidgetAround::onSearchFromAreaView(QString address, QString range)
{
    stack->setCurrentIndex(PageResults);
    addressLabel->setText(tr("Your Address:") + address + tr("Your range:") + range + QStringLiteral("m"));
    kwdFinder* c = form()->condition();
    c->setField(kwdFinder::SortHa, QStringLiteral("d1"));
    view->openList(c, false, false);
}

void qvmWidgetAround::onSearchFromConditionView()
{
    stack->setCurrentIndex(PageResults);
    view->openList(conditionView->view()->record(), false, false);
}

void qvmWidgetAround::onUseGPSGuide(QString jm, int range, int type)
{
    stack->setCurrentIndex(PageGuide);
    // A trail of sale prices means nothing as rents, and the other way round.
    if (type != guideType)
        guide->clearTrail();
    guideType = type;
    guide->guideType = type;
    guide->condition = form()->condition();
    guide->setArea(jm, range);
    // The guide's right button only updates; a count left by a filtered list would show "×" beside it.
    bar->setConditionCount(0);
    bar->setTitle(tr("GPS Guide"), QString(), tr("update imediate"));
    bar->setButtons(TitleBar::ShowCondition, false);
    guide->startGuide();
}

void qvmWidgetAround::onTitleBarAction(int act, quint32 param)
{
    if (act == 0) {
        if (currentPage() == PageGuide) {
            guide->updateNow();
            return;
        }
        kwdFinder* record = shownCondition();
        stack->setCurrentIndex(PageCondition);
        conditionView->view()->setCondition(record);
        bar->setTitle(kwdStore::categoryTitle(record ? record->category : -1) + QStringLiteral("-") +
                          tr("Set Condition"),
                      QString(), QString());
        bar->setButtons(0, false);
        return;
    }
    if (act == 1) {
        if (!listShown())
            return;
        kwdFinder* record = shownCondition();
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
        // "×" beside the condition button: the conditions carried over from the search go, and the
        // list asks again without them.
        if (!listShown())
            return;
        kwdFinder* record = shownCondition();
        record->clearConditions();
        view->openList(record, false, false);
        return;
    }
    if (view->isVisible())
        view->toggleFavorite(act, param != 0);
}

void qvmWidgetAround::onGoBack()
{
    switch (currentPage()) {
    case PageResults:
        if (view->pageCount() > 1) {
            view->goBack();
        } else {
            view->clear();
            stack->setCurrentIndex(PageForm);
            bar->setTitle(QString(), QString(), QString());
        }
        break;
    case PageCondition: {
        stack->setCurrentIndex(PageResults);
        const kwdFinder* record = shownCondition();
        bar->setTitle(kwdStore::categoryTitle(record ? record->category : -1), tr("Back"),
                      tr("Set Condition"));
        if (listShown()) {
            bar->setConditionCount(record->activeConditions());
            bar->setButtons(TitleBar::ShowCondition, false);
        }
        break;
    }
    case PageGuide:
        guide->stopGuide();
        stack->setCurrentIndex(PageForm);
        bar->setTitle(QString(), QString(), tr("Set Condition"));
        break;
    default:
        break;
    }
}
