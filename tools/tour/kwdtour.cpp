#include "kwdtour.h"

#include "closehint.h"
#include "kwdcheckbonus.h"
#include "kwddevice.h"
#include "kwdfavorites.h"
#include "kwdfinder.h"
#include "kwdguidetrail.h"
#include "kwdlocation.h"
#include "kwdmessage.h"
#include "kwdmessageitem.h"
#include "kwdnewhousecondition.h"
#include "kwdnewhouses.h"
#include "kwdpositionsource.h"
#include "kwdreleasehouse.h"
#include "kwdreleaseload.h"
#include "kwdserviceconfig.h"
#include "kwdshowscroll.h"
#include "kwdstore.h"
#include "kwdupdatehandler.h"
#include "mainwindow.h"
#include "qvmdetailaction.h"
#include "qvmgitemimagelist.h"
#include "qvmguiderequest.h"
#include "qvmhttpholder.h"
#include "qvmlistitem.h"
#include "qvmnavbutton.h"
#include "qvmnotice.h"
#include "qvmresultdetailitem.h"
#include "qvmresultlistitem.h"
#include "qvmresultview.h"
#include "qvmscrollarea.h"
#include "qvmsystem.h"
#include "qvmviewfavorite.h"
#include "qvmwidgetaround.h"
#include "qvmwidgetaroundfunction.h"
#include "qvmwidgetfavorite.h"
#include "qvmwidgetgpsguide.h"
#include "qvmwidgetsegement.h"
#include "qvmwidgetsource.h"
#include "qvmwidgetsystem.h"
#include "titlebar.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGeoCoordinate>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <cstdio>

kwdTour::kwdTour(MainWindow* w, const QString& outDir, const QString& drive)
    : window(w), dir(outDir), driveAddress(drive)
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
    // Pages may share object names (the around-me form has its own btnSale): take the one shown.
    QWidget* b = nullptr;
    for (QWidget* w : window->findChildren<QWidget*>(QLatin1String(objectName))) {
        if (w->isVisible()) {
            b = w;
            break;
        }
    }
    if (b)
        tap(b, b->rect().center());
    else
        failure = QStringLiteral("button %1 is not on screen").arg(QLatin1String(objectName));
}

void kwdTour::key(int key)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : static_cast<QWidget*>(window), Qt::Key(key));
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
    QImage picture = window->grab().toImage();
    // A box or dialog is a window of its own: drawn over the main window where it stands.
    const QPixmap b = box && box->isVisible() ? box->grab() : overlay;
    overlay = QPixmap();
    if (!b.isNull()) {
        QPainter painter(&picture);
        painter.drawPixmap((picture.width() - b.width()) / 2, (picture.height() - b.height()) / 2, b);
    }
    if (!picture.save(file)) {
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
    int keyRow = -1;

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
        step("keys-list-focus",
             [&] {
                 // The keyboard takes over where the finger left the list: the view gets the focus
                 // (as Tab or a click gives it) and Down walks the frame from the first row on screen.
                 window->activateWindow();
                 view->setFocus(Qt::TabFocusReason);
                 if (!waitFor([&] { return view->hasFocus(); })) {
                     failure = QStringLiteral("the list did not take the keyboard's focus");
                     return false;
                 }
                 const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
                 key(Qt::Key_Down);
                 const int first = saleList->focusEntry;
                 if (first < 0 || !saleList->mapRectToScene(saleList->rowRect(first)).intersects(shown)) {
                     failure = QStringLiteral("Down did not start on a row on screen");
                     return false;
                 }
                 key(Qt::Key_Down);
                 key(Qt::Key_Down);
                 keyRow = saleList->focusEntry;
                 if (keyRow != first + 2) {
                     failure = QStringLiteral("Down went from row %1 to %2").arg(first).arg(keyRow);
                     return false;
                 }
                 const QRectF frame = saleList->mapRectToScene(saleList->rowRect(keyRow));
                 return settle() && view->mapToScene(view->viewport()->rect()).boundingRect().contains(frame);
             }) &&
        step("keys-detail-opened",
             [&] {
                 key(Qt::Key_Return);
                 if (!waitFor([&] {
                         return view->topPage() && view->topPage()->kind() == qvmGraphicsItem::KindDetail;
                     }) ||
                     !settle()) {
                     failure = QStringLiteral("Return did not open the row");
                     return false;
                 }
                 auto* detail = static_cast<qvmResultDetailItem*>(view->topPage());
                 if (detail->row != saleList->rows.at(keyRow) ||
                     !waitFor([&] { return detail->row->complete; }))
                     return false;
                 // Its picture, when it has one.
                 waitFor([&] { return !detail->row->picture || detail->row->picture->image; }, 5000);
                 return true;
             }) &&
        step("keys-back",
             [&] {
                 key(Qt::Key_Escape);
                 if (!waitFor([&] { return view->pageCount() == 1; }) || !settle() ||
                     view->topPage() != saleList) {
                     failure = QStringLiteral("Escape did not go back to the list");
                     return false;
                 }
                 // The frame is still on the row that was opened.
                 return view->hasFocus() && saleList->focusEntry == keyRow;
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
    return ok && runContact() && runAround() && runFavorites() && systemSteps() && publishSteps() &&
           pushSteps() && closeSteps();
}

bool kwdTour::control(const QString& pathAndQuery, QString* answer)
{
    // A manager of its own (the program's holder deletes every reply it did not ask for); it takes
    // the same proxy as the program.
    QNetworkAccessManager manager;
    QNetworkReply* reply = manager.get(QNetworkRequest(QUrl(
        QStringLiteral("http://control.%1").arg(kwdServiceConfig::instance().listingDomain) + pathAndQuery)));
    const bool done = waitFor([reply] { return reply->isFinished(); });
    const bool ok = done && reply->error() == QNetworkReply::NoError;
    if (ok && answer)
        *answer = QString::fromUtf8(reply->readAll());
    if (!ok)
        failure = QStringLiteral("control %1 failed: %2").arg(pathAndQuery, reply->errorString());
    delete reply;
    return ok;
}

bool kwdTour::runContact()
{
    qvmDetailAction* panel = nullptr;
    // Sub-panels are only shown: nothing is sent, saved or dialled from the tour.
    auto closeSubPanel = [&](QWidget* sub) {
        if (QPushButton* cancel = sub->findChild<QPushButton*>(QStringLiteral("btnCancel")))
            tap(cancel, cancel->rect().center());
        return !sub->isVisible() && panel->widget_btns->isVisible();
    };
    auto openSubPanel = [&](QPushButton* button, QWidget* sub) {
        tap(button, button->rect().center());
        return waitFor([&] { return sub->isVisible(); }, 2000);
    };
    const bool ok =
        step("contact-numbers",
             [&] {
                 // The first housing area whose detail has an agency band with two or more numbers.
                 qvmResultListItem* list = topList();
                 if (!list && view->pageCount() == 2) {
                     TitleBar* bar = source->titleBar();
                     tap(bar->backButton(), bar->backButton()->rect().center());
                     if (!waitFor([&] { return view->pageCount() == 1; }) || !settle())
                         return false;
                     list = topList();
                 }
                 for (int i = 0; list && i < list->rows.size() && i < 20; ++i) {
                     view->verticalScrollBar()->setValue(0);
                     tap(view->viewport(), bringIntoView(list->mapRectToScene(list->rowRect(i)).toRect()));
                     if (!waitFor([&] { return view->pageCount() == 2; }) || !settle())
                         return false;
                     auto* detail = static_cast<qvmResultDetailItem*>(view->topPage());
                     detail->row->height(view->viewport()->width(), 1);
                     for (const qvmLink& phone : std::as_const(detail->row->contactLinks)) {
                         if (!phone.target || phone.target->phoneNumbers().size() < 2)
                             continue;
                         tap(view->viewport(), bringIntoView(detail->mapRectToScene(phone.rect).toRect()));
                         panel = dynamic_cast<qvmDetailAction*>(view->detailAction());
                         return waitFor([&] { return panel->isVisible(); }, 2000) &&
                                panel->widget_list->isVisible() && panel->lstPhones->count() >= 2;
                     }
                     tap(source->titleBar()->backButton(), source->titleBar()->backButton()->rect().center());
                     if (!waitFor([&] { return view->pageCount() == 1; }) || !settle())
                         return false;
                 }
                 failure = QStringLiteral("no housing area with an agency of two numbers");
                 return false;
             }) &&
        step("contact-buttons",
             [&] {
                 QListWidget* list = panel->lstPhones;
                 tap(list->viewport(), list->visualItemRect(list->item(0)).center());
                 return panel->widget_btns->isVisible() && !panel->widget_list->isVisible() &&
                        panel->number == list->item(0)->text();
             }) &&
        step("contact-sms",
             [&] {
                 QWidget* sms = panel->findChild<QWidget*>(QStringLiteral("SendSMS"));
                 if (!openSubPanel(panel->btnSMS, sms))
                     return false;
                 auto* text = sms->findChild<QTextEdit*>(QStringLiteral("textEdit"));
                 return text && !text->toPlainText().isEmpty();
             }) &&
        step("contact-add",
             [&] {
                 QWidget* sms = panel->findChild<QWidget*>(QStringLiteral("SendSMS"));
                 QWidget* add = panel->findChild<QWidget*>(QStringLiteral("AddContact"));
                 return closeSubPanel(sms) && openSubPanel(panel->btnAddContact, add);
             }) &&
        step("contact-call", [&] {
            QWidget* add = panel->findChild<QWidget*>(QStringLiteral("AddContact"));
            QWidget* call = panel->findChild<QWidget*>(QStringLiteral("MakePhoneCall"));
            return closeSubPanel(add) && openSubPanel(panel->btnCall, call);
        });
    if (panel) {
        QWidget* call = panel->findChild<QWidget*>(QStringLiteral("MakePhoneCall"));
        if (call && call->isVisible())
            closeSubPanel(call);
        view->hideDetailAction();
    }
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
    const bool guided = ok && runGuide(around);
    view = source->resultView();
    return guided;
}

bool kwdTour::useDrive(kwdLocation* location)
{
    if (driveAddress.isEmpty()) {
        failure = QStringLiteral("no simulated drive to follow");
        return false;
    }
    // The drive's clock stands still until the tour moves the car on.
    QString answer;
    if (!control(QStringLiteral("/drive?rate=0"), &answer))
        return false;
    static const QRegularExpression speedLine(QStringLiteral("speed=([0-9.]+)"));
    driveSpeed = speedLine.match(answer).captured(1).toDouble();
    if (!(driveSpeed > 0)) {
        failure = QStringLiteral("the drive has no speed: %1").arg(answer);
        return false;
    }
    // The receiver is swapped as a user plugs in a car's GPS: every user lets go of the old one and
    // takes the new one.
    const int users = location->userCount();
    for (int i = 0; i < users; ++i)
        location->stop();
    delete location->satelliteSource;
    location->satelliteSource = nullptr;
    delete location->cellSource;
    location->cellSource = nullptr;
    const QString choice = QStringLiteral("socket://") + driveAddress;
    location->sourceFactory = [choice](QObject* parent) { return kwdPositionSource::create(choice, parent); };
    for (int i = 0; i < users; ++i)
        location->start();
    if (!waitFor([location] { return !location->city().isEmpty(); })) {
        failure = QStringLiteral("no address at the drive's start");
        return false;
    }
    return true;
}

bool kwdTour::driveOn(qvmWidgetGPSGuide* guide, double metres)
{
    // Legs of a little over 250 m, so that every second one passes the guide's 500 m step although
    // the straight line between two fixes is a hair shorter than the road; each leg waits for the fix
    // to reach the page and for both answers of a new request point.
    static const QRegularExpression fixLines(QStringLiteral("latitude=([0-9.]+)\\nlongitude=([0-9.]+)"));
    constexpr double Leg = 255;
    for (double d = Leg; d <= metres + Leg / 2; d += Leg) {
        QString answer;
        if (!control(QStringLiteral("/drive?advance=%1").arg(Leg / driveSpeed, 0, 'f', 3), &answer))
            return false;
        const QRegularExpressionMatch m = fixLines.match(answer);
        const QGeoCoordinate to(m.captured(1).toDouble(), m.captured(2).toDouble());
        if (!waitFor([&] {
                const qvmGuideRequest* newest = guide->trail.newest();
                return QGeoCoordinate(guide->latitude, guide->longitude).distanceTo(to) < 5 && newest &&
                       newest->statId == 0 && !qvmHttpHolder::instance()->request(newest->listId);
            })) {
            failure = QStringLiteral("the guide did not follow the drive to %1").arg(to.toString());
            return false;
        }
    }
    return true;
}

bool kwdTour::runGuide(qvmWidgetAround* around)
{
    qvmWidgetAroundFunction* form = around->form();
    TitleBar* bar = around->titleBar();
    qvmWidgetGPSGuide* guide = around->guidePage();
    const auto open = [&](qvmNavButton* button) {
        tap(button, button->rect().center());
        if (!waitFor(
                [&] { return around->currentPage() == qvmWidgetAround::PageGuide && guide->tracking; })) {
            failure = QStringLiteral("the guide did not start tracking");
            return false;
        }
        // Both answers of the first point, so the picture does not depend on which came first.
        return waitFor([&] {
            const qvmGuideRequest* newest = guide->trail.newest();
            return newest && newest->statId == 0 && !qvmHttpHolder::instance()->request(newest->listId);
        });
    };
    const auto compounds = [&] {
        view = guide->listView;
        return waitFor([&] { return topList() && !topList()->rows.isEmpty(); }) && settle();
    };
    const bool ok =
        useDrive(around->location()) && step("guide-prices-start", [&] { return open(form->btnGPSGuide); }) &&
        step("guide-prices-1km", [&] { return driveOn(guide, 1000); }) &&
        step("guide-prices-3km", [&] { return driveOn(guide, 2000); }) &&
        step("guide-compounds", compounds) &&
        step("guide-compound-detail",
             [&] {
                 qvmResultListItem* list = topList();
                 tap(view->viewport(), view->mapFromScene(list->mapToScene(list->rowRect(0).center())));
                 return waitFor([&] { return view->pageCount() == 2; }) && settle();
             }) &&
        step("guide-rents-3km", [&] {
            guide->onHATitleAction();
            tap(bar->backButton(), bar->backButton()->rect().center());
            if (!waitFor([&] { return around->currentPage() == qvmWidgetAround::PageForm; }))
                return false;
            return open(form->btnGPSGuideLease) && driveOn(guide, 3000) && compounds();
        });
    if (around->currentPage() == qvmWidgetAround::PageGuide)
        tap(bar->backButton(), bar->backButton()->rect().center());
    return ok;
}

bool kwdTour::backToArea()
{
    TitleBar* bar = source->titleBar();
    for (int i = 0; i < 4 && source->currentPage() != qvmWidgetSource::PageArea; ++i) {
        const int pages = view->pageCount();
        tap(bar->backButton(), bar->backButton()->rect().center());
        if (!waitFor([&] {
                return source->currentPage() == qvmWidgetSource::PageArea || view->pageCount() < pages;
            }) ||
            !settle())
            break;
    }
    if (source->currentPage() != qvmWidgetSource::PageArea) {
        failure = QStringLiteral("the search page did not return to its area page");
        return false;
    }
    return true;
}

bool kwdTour::starRows(const char* button, int count)
{
    if (!backToArea() || !search(button))
        return false;
    qvmResultListItem* list = topList();
    TitleBar* bar = source->titleBar();
    for (int i = 0; i < count && i < list->rows.size(); ++i) {
        if (i > 0) {
            tap(bar->backButton(), bar->backButton()->rect().center());
            if (!waitFor([&] { return view->pageCount() == 1; }) || !settle())
                return false;
        }
        qvmListItem* row = list->rows.at(i);
        tap(view->viewport(), view->mapFromScene(list->mapToScene(list->rowRect(i).center())));
        if (!waitFor([&] { return view->pageCount() == 2; }) || !settle()) {
            failure = QStringLiteral("the detail did not open");
            return false;
        }
        waitFor([&] { return !row->picture || row->picture->image; }, 5000);
        QPushButton* star = bar->favoriteButton();
        if (!star->isVisible() || star->isChecked()) {
            failure = QStringLiteral("the detail offers no favourite button to check");
            return false;
        }
        tap(star, star->rect().center());
        if (!kwdFavorites::instance()->contains(row)) {
            failure = QStringLiteral("the listing did not become a favourite");
            return false;
        }
    }
    return true;
}

bool kwdTour::runFavorites()
{
    qvmWidgetFavorite* favorites = nullptr;
    qvmViewFavorite* list = nullptr;
    TitleBar* bar = nullptr;
    int before = 0;
    auto showSegment = [&](int index) {
        QPushButton* b = favorites->segmentWidget()->button(index);
        tap(b, b->rect().center());
        const int stored = kwdFavorites::instance()->rows.value(qvmWidgetFavorite::categoryOf(index)).size();
        return waitFor([&] {
            return bar->titleText() == qvmWidgetFavorite::titleOf(index) &&
                   list->listPage()->rows.size() == stored;
        });
    };
    const bool ok =
        step("favorite-star-sale",
             [&] {
                 tap(window->segment->button(0), window->segment->button(0)->rect().center());
                 // Two sales, so that unstarring one later leaves a shorter list, not an empty one.
                 return starRows("btnSale", 2);
             }) &&
        step("favorite-star-lease", [&] { return starRows("btnLease", 1); }) &&
        step("favorites-sale",
             [&] {
                 QPushButton* tab = window->segment->button(2);
                 tap(tab, tab->rect().center());
                 favorites = qobject_cast<qvmWidgetFavorite*>(window->pageContent(2));
                 if (!favorites || !waitFor([&] { return favorites->isVisible(); })) {
                     failure = QStringLiteral("no favourites page");
                     return false;
                 }
                 list = favorites->viewWidget();
                 bar = favorites->titleBarWidget();
                 view = list;
                 return showSegment(0) && !list->listPage()->rows.isEmpty();
             }) &&
        step("favorites-lease", [&] { return showSegment(1) && !list->listPage()->rows.isEmpty(); }) &&
        step("favorites-housing-area", [&] { return showSegment(2); }) &&
        step("favorite-opened",
             [&] {
                 if (!showSegment(0))
                     return false;
                 qvmResultListItem* rows = list->listPage();
                 before = rows->rows.size();
                 tap(list->viewport(), list->mapFromScene(rows->mapToScene(rows->rowRect(0).center())));
                 return waitFor([&] { return list->showsDetail(); }) && settle() &&
                        bar->favoriteButton()->isChecked();
             }) &&
        step("favorite-unstarred",
             [&] {
                 tap(bar->favoriteButton(), bar->favoriteButton()->rect().center());
                 return !bar->favoriteButton()->isChecked() &&
                        kwdFavorites::instance()->rows.value(2).size() == before - 1;
             }) &&
        step("favorite-back", [&] {
            tap(bar->backButton(), bar->backButton()->rect().center());
            return waitFor([&] { return list->pageCount() == 1; }) && settle() &&
                   list->listPage()->rows.size() == before - 1;
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
    const QString sn = QString::fromLatin1(QUrl::toPercentEncoding(kwdDevice::id()));
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

void kwdTour::closeBox()
{
    if (box) {
        box->accept();
        box->deleteLater();
    }
}

bool kwdTour::publishSteps()
{
    auto* system = window->findChild<qvmWidgetSystem*>();
    qvmSystem* menu = system ? system->menu : nullptr;
    if (!menu)
        return false;
    // Boxes open without blocking, so that the tour goes on and the shot shows them.
    kwdMessage::setHook([this](const QString& title, const QString& text) {
        closeBox();
        boxTexts << text;
        box = new QMessageBox(QMessageBox::Information, title, text, QMessageBox::Ok, window);
        box->setModal(false);
        box->show();
    });
    const QString headline = QStringLiteral("阳光花园南北通透三居");
    QTemporaryDir photoDir;
    const bool ok =
        step("publish-login",
             [&] {
                 tapButton("btnBonusOK");
                 tap(menu->btnrelease, menu->btnrelease->rect().center());
                 if (!menu->loginPage || !waitFor([&] { return menu->loginPage->isVisible(); })) {
                     failure = QStringLiteral("no login page");
                     return false;
                 }
                 QTest::keyClicks(menu->loginPage->editUser, QStringLiteral("demo"));
                 QTest::keyClicks(menu->loginPage->editPassword, QStringLiteral("demo123"));
                 return true;
             }) &&
        step("publish-form",
             [&] {
                 tap(menu->loginPage->btnOK, menu->loginPage->btnOK->rect().center());
                 if (!waitFor([&] { return menu->releaseForm && menu->releaseForm->isVisible(); })) {
                     failure =
                         QStringLiteral("the login did not lead to the form: %1").arg(boxTexts.join(" / "));
                     return false;
                 }
                 return true;
             }) &&
        step("publish-filled",
             [&] {
                 kwdReleaseHouse* form = menu->releaseForm;
                 if (form->cobdistrict->count() < 2) {
                     form->onDistrictPopup(0);
                     if (!waitFor(
                             [&] { return form->districtRequest == 0 && form->cobdistrict->count() > 1; })) {
                         failure = QStringLiteral("no district list");
                         return false;
                     }
                 }
                 form->cobdistrict->setCurrentIndex(1);
                 form->housesrc->setText(headline);
                 form->lifearea->setText(QStringLiteral("阳光花园"));
                 QTest::keyClicks(form->area, QStringLiteral("89.5"));
                 QTest::keyClicks(form->numberfloor, QStringLiteral("6"));
                 QTest::keyClicks(form->totlefloor, QStringLiteral("18"));
                 form->cobaspect->setCurrentIndex(1);
                 form->textEdit->setPlainText(QStringLiteral("南北通透，近地铁。"));
                 form->road->setText(QStringLiteral("建国路"));
                 form->door->setText(QStringLiteral("88号"));
                 QTest::keyClicks(form->value, QStringLiteral("260"));
                 QTest::keyClicks(form->room, QStringLiteral("3"));
                 QTest::keyClicks(form->hall, QStringLiteral("1"));
                 QTest::keyClicks(form->toilet, QStringLiteral("1"));
                 // Chinese cannot be typed with synthetic key clicks; it is entered as an input method would.
                 // The photo is set as the file dialog would set it.
                 QImage image(800, 600, QImage::Format_RGB32);
                 QPainter painter(&image);
                 painter.fillRect(image.rect(), QColor(120, 170, 220));
                 painter.fillRect(QRect(200, 250, 400, 350), QColor(230, 220, 200));
                 painter.end();
                 const QString path = photoDir.filePath(QStringLiteral("photo.jpg"));
                 if (!image.save(path) || !form->setPhotoFile(path)) {
                     failure = QStringLiteral("the photo was not taken");
                     return false;
                 }
                 system->scroll->verticalScrollBar()->setValue(
                     form->photo->mapTo(system->menu, QPoint()).y() - 200);
                 return true;
             }) &&
        step("publish-success",
             [&] {
                 kwdReleaseHouse* form = menu->releaseForm;
                 tap(form->btnrelease, form->btnrelease->rect().center());
                 if (!waitFor([&] {
                         return form->releaseRequest == 0 && form->uploadRequest == 0 && box &&
                                box->isVisible();
                     }) ||
                     box->text() != QCoreApplication::translate("kwdReleaseHouse", "release succeed")) {
                     failure = QStringLiteral("no success: %1").arg(boxTexts.join(" / "));
                     return false;
                 }
                 return true;
             }) &&
        step("publish-in-list",
             [&] {
                 closeBox();
                 tap(window->segment->button(0), window->segment->button(0)->rect().center());
                 TitleBar* bar = source->titleBar();
                 // From the housing-area detail left open by the search steps back to the area page.
                 if (view->pageCount() > 1) {
                     tap(bar->backButton(), bar->backButton()->rect().center());
                     if (!waitFor([&] { return view->pageCount() == 1; }) || !settle())
                         return false;
                 }
                 tap(bar->backButton(), bar->backButton()->rect().center());
                 if (!waitFor([&] { return source->currentPage() == qvmWidgetSource::PageArea; })) {
                     failure = QStringLiteral("not back on the area page");
                     return false;
                 }
                 if (!search("btnSale"))
                     return false;
                 view->verticalScrollBar()->setValue(0);
                 for (const qvmListItem* r : topList()->rows) {
                     if (r->displayName() == headline || r->name == headline)
                         return true;
                 }
                 failure = QStringLiteral("the new listing is not in the sale list");
                 return false;
             }) &&
        step("publish-logout", [&] {
            tap(window->segment->button(3), window->segment->button(3)->rect().center());
            menu->onGoBack();
            tap(menu->logout, menu->logout->rect().center());
            return box && box->isVisible() && !menu->releaseForm;
        });
    closeBox();
    kwdMessage::setHook({});
    return ok;
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

bool kwdTour::closeSteps()
{
    // A desktop without a system tray (GNOME Shell without an extension).
    const MainWindow::TrayProbe probe = MainWindow::trayProbe;
    MainWindow::trayProbe = [] { return false; };
    const auto restore = qScopeGuard([probe] { MainWindow::trayProbe = probe; });
    return step("close-prompt-no-tray", [this] {
        QString offer;
        // The prompt runs its own loop: it is grabbed and cancelled from inside it.
        QTimer::singleShot(0, window, [this, &offer] {
            auto* hint = qobject_cast<CloseHint*>(QApplication::activeModalWidget());
            if (!hint)
                return;
            offer = hint->rdbmini->text();
            hint->rdbmini->setChecked(true);
            overlay = hint->grab();
            hint->btncancel->click();
        });
        if (window->close() || !window->isVisible()) {
            failure = QStringLiteral("the window closed without asking");
            return false;
        }
        if (offer != CloseHint::tr("最小化窗口，不退出程序")) {
            failure = QStringLiteral("the prompt offered \"%1\"").arg(offer);
            return false;
        }
        return true;
    });
}
