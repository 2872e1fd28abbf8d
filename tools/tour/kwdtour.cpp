#include "kwdtour.h"

#include "kwdcheckbonus.h"
#include "kwdfinder.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdmessageitem.h"
#include "kwdnewhousecondition.h"
#include "kwdnewhouses.h"
#include "kwdserviceconfig.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdupdatehandler.h"
#include "mainwindow.h"
#include "qvmgitemimagelist.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmnavbutton.h"
#include "qvmnotice.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetaroundfunction.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"
#include "qvmwidgetsystem.h"
#include "titlebar.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QUrl>

#include <cstdio>

kwdTour::kwdTour(MainWindow* w, const QString& outDir) : window(w), dir(outDir)
{
    dir.mkpath(QStringLiteral("."));
}

bool kwdTour::waitFor(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents, 50);
    }
    return true;
}

qvmResultListItem* kwdTour::topList() const
{
    qvmGraphicsItem* top = view ? view->topPage() : nullptr;
    if (!top || (top->kind() != qvmGraphicsItem::KindList && top->kind() != qvmGraphicsItem::KindPush))
        return nullptr;
    return static_cast<qvmResultListItem*>(top);
}

bool kwdTour::settle(int timeoutMs)
{
    return waitFor(
        [this] {
            if (view->isAnimating() || view->isCoasting() || view->isScrollPending() ||
                !view->pendingRequests().isEmpty())
                return false;
            const qvmResultListItem* list = topList();
            return !list || list->listRequest <= 0;
        },
        timeoutMs);
}

void kwdTour::tap(QWidget* widget, const QPoint& pos)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, pos);
}

void kwdTour::tapButton(const char* objectName)
{
    QWidget* b = window->findChild<QWidget*>(QLatin1String(objectName));
    if (b && b->isVisible())
        tap(b, b->rect().center());
    else
        failure = QStringLiteral("button %1 is not on screen").arg(QLatin1String(objectName));
}

void kwdTour::drag(const QPoint& from, const QPoint& to, int steps)
{
    QWidget* vp = view->viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    for (int i = 1; i <= steps; ++i)
        QTest::mouseMove(vp, from + (to - from) * i / steps);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
}

QPoint kwdTour::bringIntoView(const QRect& sceneRect)
{
    QScrollBar* bar = view->verticalScrollBar();
    const int h = view->viewport()->height();
    if (sceneRect.top() < bar->value() || sceneRect.bottom() > bar->value() + h)
        bar->setValue(qBound(0, sceneRect.center().y() - h / 2, bar->maximum()));
    QCoreApplication::processEvents();
    return view->mapFromScene(QPointF(sceneRect.center()));
}

bool kwdTour::shot(const QString& name)
{
    // Let pending paints land first.
    QCoreApplication::processEvents();
    const QString file =
        dir.filePath(QStringLiteral("%1-%2.png").arg(++number, 2, 10, QLatin1Char('0')).arg(name));
    if (!window->grab().save(file)) {
        failure = QStringLiteral("cannot write %1").arg(file);
        return false;
    }
    written << file;
    return true;
}

bool kwdTour::step(const char* name, const std::function<bool()>& action)
{
    failure.clear();
    const bool ok = action();
    if (!ok) {
        std::fprintf(stderr, "kwd-tour: step %s failed: %s\n", name, qPrintable(failure));
        return false;
    }
    if (!shot(QLatin1String(name))) {
        std::fprintf(stderr, "kwd-tour: %s\n", qPrintable(failure));
        return false;
    }
    std::printf("kwd-tour: %s\n", name);
    std::fflush(stdout);
    return true;
}

bool kwdTour::search(const char* button)
{
    tapButton(button);
    if (!failure.isEmpty())
        return false;
    if (!waitFor([this] { return source->currentPage() == qvmWidgetSource::PageResults && topList(); })) {
        failure = QStringLiteral("no list page");
        return false;
    }
    if (!settle() || !topList() || topList()->rows.isEmpty()) {
        failure = QStringLiteral("the list did not fill");
        return false;
    }
    return true;
}

bool kwdTour::run()
{
    source = window->findChild<qvmWidgetSource*>();
    if (!source) {
        std::fprintf(stderr, "kwd-tour: the main window has no search page\n");
        return false;
    }
    view = source->resultView();
    TitleBar* bar = source->titleBar();
    qvmResultListItem* saleList = nullptr;
    qvmListItem* row = nullptr;
    int listScroll = 0;

    const bool ok =
        step("area",
             [&] {
                 if (!waitFor(
                         [&] { return window->isVisible() && QApplication::activePopupWidget() == nullptr; }))
                     return false;
                 // A fixed city, so that every run shows the same listings.
                 auto* province = window->findChild<QComboBox*>(QStringLiteral("cboProvince"));
                 auto* city = window->findChild<QComboBox*>(QStringLiteral("cboCity"));
                 if (!province || !city || province->count() == 0) {
                     failure = QStringLiteral("no cities to choose from");
                     return false;
                 }
                 province->setCurrentIndex(qMax(0, province->findText(QStringLiteral("北京"))));
                 city->setCurrentIndex(qMax(0, city->findText(QStringLiteral("北京"))));
                 return source->currentPage() == qvmWidgetSource::PageArea;
             }) &&
        step("sale-list",
             [&] {
                 if (!search("btnSale"))
                     return false;
                 saleList = topList();
                 return bar->titleText() == kwdStore::categoryTitle(2);
             }) &&
        step("scrolled",
             [&] {
                 const int before = view->verticalScrollBar()->value();
                 // Short drags (below a flick) move the list with the finger and leave it there.
                 for (int i = 0; i < 3; ++i)
                     drag(QPoint(180, 420), QPoint(180, 325), 5);
                 settle();
                 if (view->verticalScrollBar()->value() <= before) {
                     failure = QStringLiteral("the list did not scroll");
                     return false;
                 }
                 return true;
             }) &&
        step("end-of-page",
             [&] {
                 if (saleList->moreRect.isEmpty()) {
                     failure = QStringLiteral("the first page had no load-more row");
                     return false;
                 }
                 view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
                 return true;
             }) &&
        step("load-more",
             [&] {
                 const int before = saleList->rows.size();
                 const QPoint p = bringIntoView(saleList->mapRectToScene(saleList->moreRect).toRect());
                 tap(view->viewport(), p);
                 if (!waitFor([&] { return saleList->rows.size() > before; }) || !settle()) {
                     failure = QStringLiteral("no second page");
                     return false;
                 }
                 // The view moves to the first new row.
                 return waitFor([&] {
                     const int target =
                         qMin(int(saleList->rowRect(before).top()), view->verticalScrollBar()->maximum());
                     return view->verticalScrollBar()->value() == target;
                 });
             }) &&
        step("detail",
             [&] {
                 const QPoint centre = view->viewport()->rect().center();
                 const int index = saleList->hitTest(saleList->mapFromScene(view->mapToScene(centre)));
                 if (index < 0) {
                     failure = QStringLiteral("no row under the finger");
                     return false;
                 }
                 row = saleList->rows.at(index);
                 listScroll = view->verticalScrollBar()->value();
                 tap(view->viewport(), centre);
                 if (!waitFor([&] {
                         return view->topPage() && view->topPage()->kind() == qvmGraphicsItem::KindDetail;
                     }) ||
                     !settle() || !row->complete) {
                     failure = QStringLiteral("the detail did not open");
                     return false;
                 }
                 // Its picture, when it has one.
                 waitFor([&] { return !row->picture || row->picture->image; }, 5000);
                 return true;
             }) &&
        step("pictures",
             [&] {
                 bool tapped = false;
                 for (const qvmLink& link : row->links()) {
                     if (link.action == qvmListItem::LinkPictures) {
                         tap(view->viewport(), bringIntoView(link.rect));
                         tapped = true;
                         break;
                     }
                 }
                 if (!tapped)
                     view->openRelated(qvmListItem::LinkPictures, row, QString());
                 if (!waitFor([&] {
                         return view->topPage() && view->topPage()->title() == QStringLiteral("图片列表");
                     }) ||
                     !settle())
                     return false;
                 auto* pictures = static_cast<qvmGItemImageList*>(view->topPage());
                 waitFor(
                     [&] {
                         for (const qvmPictureEntry& e : pictures->pictures) {
                             if (e.small.isNull())
                                 return false;
                         }
                         return true;
                     },
                     5000);
                 return true;
             }) &&
        step("picture-enlarged",
             [&] {
                 auto* pictures = static_cast<qvmGItemImageList*>(view->topPage());
                 if (pictures->pictures.isEmpty()) {
                     failure = QStringLiteral("the listing has no pictures");
                     return false;
                 }
                 tap(view->viewport(), bringIntoView(pictures->pictures.first().cell.toRect()));
                 return pictures->enlarged && waitFor([&] { return pictures->bigImage != nullptr; }, 5000);
             }) &&
        step("picture-closed",
             [&] {
                 auto* pictures = static_cast<qvmGItemImageList*>(view->topPage());
                 tap(view->viewport(),
                     view->mapFromScene(pictures->mapToScene(pictures->closeRect.center())));
                 return !pictures->enlarged;
             }) &&
        step("back-to-detail",
             [&] {
                 tap(bar->backButton(), bar->backButton()->rect().center());
                 return waitFor([&] { return view->pageCount() == 2; }) && settle() &&
                        view->topPage()->kind() == qvmGraphicsItem::KindDetail;
             }) &&
        step("district",
             [&] {
                 bool tapped = false;
                 view->verticalScrollBar()->setValue(0);
                 for (const qvmLink& link : row->links()) {
                     if (link.action == qvmListItem::LinkDistrict) {
                         tap(view->viewport(), bringIntoView(link.rect));
                         tapped = true;
                         break;
                     }
                 }
                 if (!tapped) {
                     failure = QStringLiteral("the detail shows no district link");
                     return false;
                 }
                 if (!waitFor([&] { return view->pageCount() == 3; }) || !settle())
                     return false;
                 auto* detail = static_cast<qvmResultDetailItem*>(view->topPage());
                 return detail->kind() == qvmGraphicsItem::KindDetail && detail->row &&
                        detail->row->type() == qvmListItem::TypeRegion && detail->row->complete;
             }) &&
        step("back-to-list",
             [&] {
                 for (int pages = 2; pages >= 1; --pages) {
                     tap(bar->backButton(), bar->backButton()->rect().center());
                     if (!waitFor([&] { return view->pageCount() == pages; }) || !settle())
                         return false;
                 }
                 // The list is where it was left.
                 if (view->topPage() != saleList || view->verticalScrollBar()->value() != listScroll) {
                     failure = QStringLiteral("the list came back at %1 instead of %2")
                                   .arg(view->verticalScrollBar()->value())
                                   .arg(listScroll);
                     return false;
                 }
                 return true;
             }) &&
        step("condition-form",
             [&] {
                 tap(bar->conditionButton(), bar->conditionButton()->rect().center());
                 return source->currentPage() == qvmWidgetSource::PageCondition;
             }) &&
        step("refined-list",
             [&] {
                 auto* low = window->findChild<QLineEdit*>(QStringLiteral("editprice1"));
                 auto* high = window->findChild<QLineEdit*>(QStringLiteral("editprice2"));
                 if (low && high) {
                     low->setText(QStringLiteral("100"));
                     high->setText(QStringLiteral("400"));
                 }
                 tapButton("btnSearch");
                 if (!failure.isEmpty())
                     return false;
                 return waitFor([&] { return source->currentPage() == qvmWidgetSource::PageResults; }) &&
                        settle() && topList() == saleList;
             }) &&
        step("lease-list",
             [&] {
                 tap(bar->backButton(), bar->backButton()->rect().center());
                 if (!waitFor([&] { return source->currentPage() == qvmWidgetSource::PageArea; }))
                     return false;
                 return search("btnLease") && bar->titleText() == kwdStore::categoryTitle(3);
             }) &&
        step("housing-area-list",
             [&] {
                 tap(bar->backButton(), bar->backButton()->rect().center());
                 if (!waitFor([&] { return source->currentPage() == qvmWidgetSource::PageArea; }))
                     return false;
                 return search("btnHA") && bar->titleText() == kwdStore::categoryTitle(1);
             }) &&
        step("housing-area-detail", [&] {
            qvmResultListItem* list = topList();
            tap(view->viewport(), view->mapFromScene(list->mapToScene(list->rowRect(0).center())));
            if (!waitFor([&] { return view->pageCount() == 2; }) || !settle())
                return false;
            auto* detail = static_cast<qvmResultDetailItem*>(view->topPage());
            return detail->kind() == qvmGraphicsItem::KindDetail && detail->row->complete;
        });
    return ok && runAround() && systemSteps() && pushSteps();
}

bool kwdTour::control(const QString& pathAndQuery)
{
    // A manager of its own (the program's holder deletes every reply it did not ask for); it takes
    // the same proxy as the program.
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(
        QStringLiteral("http://control.%1").arg(kwdServiceConfig::instance().listingDomain) + pathAndQuery)));
    const bool done = waitFor([reply] { return reply->isFinished(); });
    const bool ok = done && reply->error() == QNetworkReply::NoError;
    if (!ok)
        failure = QStringLiteral("control %1 failed: %2").arg(pathAndQuery, reply->errorString());
    delete reply;
    return ok;
}

bool kwdTour::runAround()
{
    qvmWidgetAround* around = nullptr;
    qvmWidgetAroundFunction* form = nullptr;
    TitleBar* bar = nullptr;
    const bool ok =
        step("around-locating",
             [&] {
                 QPushButton* tab = window->segment->button(1);
                 tap(tab, tab->rect().center());
                 around = qobject_cast<qvmWidgetAround*>(window->pageContent(1));
                 if (!around || !waitFor([&] { return around->isVisible(); })) {
                     failure = QStringLiteral("no around-me page");
                     return false;
                 }
                 form = around->form();
                 bar = around->titleBar();
                 // The tour's receiver sends its first fix a few seconds after it starts.
                 return around->location()->isRunning() && form->widgetButton->isHidden();
             }) &&
        step("around-address",
             [&] {
                 if (!waitFor([&] { return !form->address.isEmpty() && form->widgetButton->isVisible(); })) {
                     failure = QStringLiteral("no address: %1").arg(form->lblGeoInfo->text());
                     return false;
                 }
                 return true;
             }) &&
        step("around-sale-list",
             [&] {
                 view = around->resultView();
                 tap(form->btnSale, form->btnSale->rect().center());
                 if (!waitFor([&] {
                         return around->currentPage() == qvmWidgetAround::PageResults && topList();
                     })) {
                     failure = QStringLiteral("no list around the user");
                     return false;
                 }
                 if (!settle() || topList()->rows.isEmpty()) {
                     failure = QStringLiteral("the list around the user did not fill");
                     return false;
                 }
                 return true;
             }) &&
        step("around-condition",
             [&] {
                 tap(bar->conditionButton(), bar->conditionButton()->rect().center());
                 return waitFor([&] { return around->currentPage() == qvmWidgetAround::PageCondition; });
             }) &&
        step("around-back-to-list",
             [&] {
                 tap(bar->backButton(), bar->backButton()->rect().center());
                 return waitFor([&] { return around->currentPage() == qvmWidgetAround::PageResults; }) &&
                        settle();
             }) &&
        step("around-back-to-form", [&] {
            tap(bar->backButton(), bar->backButton()->rect().center());
            return waitFor([&] { return around->currentPage() == qvmWidgetAround::PageForm; });
        });
    view = source->resultView();
    return ok;
}

bool kwdTour::systemSteps()
{
    auto* system = window->findChild<qvmWidgetSystem*>();
    auto* page = window->findChild<QWidget*>(QStringLiteral("pageSystem"));
    auto promptSays = [this](const char* source) {
        return waitFor([this, source] {
            kwdUpdateHandler* prompt = window->updateHandler;
            return prompt && prompt->isVisible() && prompt->slide->state() == QAbstractAnimation::Stopped &&
                   prompt->lblInfo->text().contains(QCoreApplication::translate("MainWindow", source));
        });
    };
    auto closePrompt = [this] {
        QPushButton* close = window->updateHandler->btnClose;
        tap(close, close->rect().center());
        return waitFor([this] { return window->updateHandler == nullptr; });
    };
    const QString sn = QString::fromLatin1(QUrl::toPercentEncoding(qvmHttpHolder::deviceId()));
    return step("system-menu",
                [&] {
                    tap(window->segment->button(3), window->segment->button(3)->rect().center());
                    system = window->findChild<qvmWidgetSystem*>();
                    // The automatic prize check at start decides whether the prize entry is offered.
                    return system && page && page->isVisible() &&
                           waitFor([this] { return window->prizeRequests[0] == 0; });
                }) &&
           step("about",
                [&] {
                    tapButton("btnAbout");
                    return failure.isEmpty() &&
                           system->findChild<QWidget*>(QStringLiteral("page_2"))->isVisible();
                }) &&
           step("update-latest",
                [&] {
                    tap(system->bar->backButton(), system->bar->backButton()->rect().center());
                    tapButton("btnCheckUpdate");
                    return failure.isEmpty() && promptSays("You have latest app");
                }) &&
           step("update-found",
                [&] {
                    if (!closePrompt() ||
                        !control(QStringLiteral("/update?build=1017&version=1.1.7&time=2026-12-01&url=") +
                                 QString::fromLatin1(QUrl::toPercentEncoding(
                                     QStringLiteral("http://www.%1/download/kwdpersonal-1.1.7.exe")
                                         .arg(kwdServiceConfig::instance().listingDomain)))))
                        return false;
                    tapButton("btnCheckUpdate");
                    return failure.isEmpty() && promptSays("Found new version: ") &&
                           window->updateHandler->btnGoUpdate->isVisible();
                }) &&
           step("notice",
                [&] {
                    if (!closePrompt() ||
                        !control(QStringLiteral("/notice?link=") +
                                 QString::fromLatin1(QUrl::toPercentEncoding(
                                     QStringLiteral("http://www.%1/")
                                         .arg(kwdServiceConfig::instance().listingDomain)))))
                        return false;
                    // The window asks once per run, 5 s after start: a fresh panel asks again.
                    delete window->notice;
                    window->notice = nullptr;
                    window->check_notice();
                    return waitFor([this] {
                        return window->notice->isVisible() &&
                               window->notice->slide->state() == QAbstractAnimation::Stopped;
                    });
                }) &&
           step("prize-counts",
                [&] {
                    tapButton("btnNoticeOK");
                    tapButton("btnBonus");
                    return failure.isEmpty() && waitFor([this] {
                               return window->bonus && window->bonus->isVisible() &&
                                      !window->bonus->prizeView && window->bonus->btnDetail->isVisible();
                           });
                }) &&
           step("prize-won", [&] {
               tapButton("btnBonusOK");
               if (!failure.isEmpty() ||
                   !control(QStringLiteral("/prize?sn=%1&prize=%2&code=KWD-2026-0815&claimed=false")
                                .arg(sn, QString::fromLatin1(
                                             QUrl::toPercentEncoding(QStringLiteral("购物卡 200 元"))))))
                   return false;
               tapButton("btnBonus");
               return failure.isEmpty() && waitFor([this] {
                          return window->bonus->isVisible() && window->bonus->prizeView &&
                                 window->bonus->btnDetail->isVisible();
                      });
           });
}

bool kwdTour::pushSteps()
{
    // The form's answers would otherwise wait in modal boxes nobody closes.
    QStringList boxes;
    kwdMessage::setHook(
        [&boxes](const QString& title, const QString& text) { boxes << title + ": " + text; });
    const auto restore = qScopeGuard([] { kwdMessage::setHook({}); });
    kwdNewHouseCondition* form = source->pushConditionPage();
    const QString city = kwdStore::instance()->cityCode(QStringLiteral("北京"));
    const bool ok =
        step("push-form",
             [&] {
                 // The prize panel of the last step would cover the form.
                 if (window->bonus && window->bonus->isVisible())
                     tapButton("btnBonusOK");
                 failure.clear();
                 tap(window->segment->button(0), window->segment->button(0)->rect().center());
                 TitleBar* bar = source->titleBar();
                 // Back from the housing-area detail and list to the area page.
                 while (source->currentPage() != qvmWidgetSource::PageArea &&
                        bar->backButton()->isVisible()) {
                     tap(bar->backButton(), bar->backButton()->rect().center());
                     settle();
                 }
                 tapButton("btnpushres");
                 if (!failure.isEmpty() ||
                     !waitFor([&] { return source->currentPage() == qvmWidgetSource::PagePushCondition; }))
                     return false;
                 if (!waitFor([&] { return form->coxdis->count() > 1 && form->requestId == 0; })) {
                     failure = QStringLiteral("no districts to subscribe to");
                     return false;
                 }
                 form->widSegement->setValue(0);
                 form->coxdis->setCurrentIndex(1);
                 form->pricestart->setText(QStringLiteral("50"));
                 form->priceend->setText(QStringLiteral("3000"));
                 return true;
             }) &&
        step("push-popup",
             [&] {
                 tap(form->btnok1, form->btnok1->rect().center());
                 if (!waitFor([&] { return window->newHousePopup && window->newHousePopup->isVisible(); }) &&
                     failure.isEmpty())
                     failure =
                         QStringLiteral("no popup after subscribing: %1").arg(boxes.join(QLatin1Char(';')));
                 if (!failure.isEmpty())
                     return false;
                 // Listings published after the subscription come with the next poll; of a batch
                 // spread over the city some fall in the subscribed district.
                 const int before = int(window->newHouseRecords.size());
                 if (!control(QStringLiteral("/push?city=%1&kind=forsale&count=50").arg(city)))
                     return false;
                 window->pollIntervals[0] = window->pollIntervals[1] = window->pollIntervals[2] = 300;
                 window->check_newhouse();
                 if (!waitFor([&] { return window->newHouseRecords.size() > before; })) {
                     failure = QStringLiteral("the poll announced nothing");
                     return false;
                 }
                 window->pollIntervals[0] = window->pollIntervals[1] = window->pollIntervals[2] = 3600000;
                 window->check_newhouse();
                 kwdNewHouses* popup = window->newHousePopup;
                 waitFor([popup] { return popup->slide->state() == QAbstractAnimation::Stopped; });
                 // The popup is a window of its own: its picture goes next to the main window's.
                 if (!popup->grab().save(dir.filePath(QStringLiteral("push-popup-window.png")))) {
                     failure = QStringLiteral("cannot write the popup's picture");
                     return false;
                 }
                 return true;
             }) &&
        step("push-page",
             [&] {
                 kwdNewHouses* popup = window->newHousePopup;
                 tap(popup->btnlook, popup->btnlook->rect().center());
                 return waitFor([&] {
                            return source->currentPage() == qvmWidgetSource::PageResults && topList() &&
                                   topList()->kind() == qvmGraphicsItem::KindPush;
                        }) &&
                        settle();
             }) &&
        step("push-cancelled", [&] {
            tapButton("newhouseSet");
            if (!failure.isEmpty() ||
                !waitFor([&] { return source->currentPage() == qvmWidgetSource::PagePushCondition; }))
                return false;
            tap(form->btncancel, form->btncancel->rect().center());
            const kwdFinder* push = kwdStore::instance()->currentNewHouseFinder;
            // Without a subscription the form goes back to the area page.
            return push && push->field(kwdFinder::PushFlag) == QLatin1String("0") &&
                   waitFor([&] { return source->currentPage() == qvmWidgetSource::PageArea; });
        });
    return ok;
}
