#include "kwdwidgetarea.h"

#include "kwdfinder.h"
#include "kwdpinyin.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "qvmnavbutton.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString caption(const char* text)
{
    return QCoreApplication::translate("ChooseArea", text);
}

} // namespace

kwdWidgetArea::kwdWidgetArea(QWidget* parent) : QWidget(parent)
{
    buildForm();

    connect(cboProvince, &QComboBox::currentTextChanged, this, &kwdWidgetArea::onProvinceChanged);
    for (QPushButton* b : {static_cast<QPushButton*>(btnSale), static_cast<QPushButton*>(btnLease),
                           static_cast<QPushButton*>(btnHA), static_cast<QPushButton*>(btnpushres), btnNew})
        connect(b, &QPushButton::clicked, this, &kwdWidgetArea::onBtnSearchClicked);
    connectMainWindow();

    kwdStore* store = kwdStore::instance();
    QStringList provinces = store->cities.keys();
    kwdPinyin::sort(provinces);
    cboProvince->addItems(provinces);

    const kwdFinder* current = store->currentFinder;
    const int index = current ? cboProvince->findText(current->field(kwdFinder::Province),
                                                      Qt::MatchExactly | Qt::MatchCaseSensitive)
                              : -1;
    // Filling the empty box already selected the first province; a stored one replaces it.
    if (index > 0)
        cboProvince->setCurrentIndex(index);

    // A previous search is repeated once the page stack is in place.
    if (current && current->category != -1)
        QTimer::singleShot(10, this, &kwdWidgetArea::onBtnSearchClicked);
}

void kwdWidgetArea::buildForm()
{
    setObjectName(QStringLiteral("ChooseArea"));
    setWindowTitle(caption(QT_TRANSLATE_NOOP("ChooseArea", "Form")));
    resize(277, 312);

    auto* main = new QVBoxLayout(this);

    frame1 = new QFrame(this);
    frame1->setObjectName(QStringLiteral("frame1"));
    frame1->setFrameShape(QFrame::StyledPanel);
    frame1->setFrameShadow(QFrame::Raised);
    auto* grid = new QGridLayout(frame1);
    auto* label6 = new QLabel(caption(QT_TRANSLATE_NOOP("ChooseArea", "省　份：")), frame1);
    label6->setObjectName(QStringLiteral("label_6"));
    cboProvince = new QComboBox(frame1);
    cboProvince->setObjectName(QStringLiteral("cboProvince"));
    auto* label7 = new QLabel(caption(QT_TRANSLATE_NOOP("ChooseArea", "城　市：")), frame1);
    label7->setObjectName(QStringLiteral("label_7"));
    cboCity = new QComboBox(frame1);
    cboCity->setObjectName(QStringLiteral("cboCity"));
    grid->addWidget(label6, 0, 0);
    grid->addWidget(cboProvince, 0, 1);
    grid->addWidget(label7, 1, 0);
    grid->addWidget(cboCity, 1, 1);
    grid->setColumnStretch(1, 1);
    main->addWidget(frame1);

    widget_btns = new QWidget(this);
    widget_btns->setObjectName(QStringLiteral("widget_btns"));
    auto* buttons = new QVBoxLayout(widget_btns);
    const auto nav = [this](const char* name, const char* text, int type) {
        auto* b = new qvmNavButton(widget_btns);
        b->setObjectName(QLatin1String(name));
        b->setText(caption(text));
        b->navType = type;
        b->setMinimumSize(0, 0);
        b->setMaximumSize(2000, 2000);
        return b;
    };
    btnSale = nav("btnSale", QT_TRANSLATE_NOOP("ChooseArea", "二手房"), 0);
    btnLease = nav("btnLease", QT_TRANSLATE_NOOP("ChooseArea", "租房"), 1);
    btnHA = nav("btnHA", QT_TRANSLATE_NOOP("ChooseArea", "楼盘小区"), 2);
    btnpushres = nav("btnpushres", QT_TRANSLATE_NOOP("ChooseArea", "房源推送"), 5);
    buttons->addWidget(btnSale);
    buttons->addWidget(btnLease);
    buttons->addWidget(btnHA);
    buttons->addItem(new QSpacerItem(20, 24, QSizePolicy::Minimum, QSizePolicy::Fixed));
    buttons->addWidget(btnpushres);
    buttons->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
    main->addWidget(widget_btns, 1);

    btnNew = new QPushButton(this);
    btnNew->setObjectName(QStringLiteral("btnNew"));
    btnNew->setFixedSize(38, 32);
    // A badge without text: say where it leads.
    btnNew->setAccessibleName(tr("查看新房源"));
    btnNew->setToolTip(tr("查看新房源"));
    btnNew->hide();
}

QObject* kwdWidgetArea::mainWindow() const
{
    for (QObject* o = parent(); o; o = o->parent()) {
        if (o->metaObject()->indexOfSlot("onLookNewHouse()") >= 0)
            return o;
    }
    return nullptr;
}

void kwdWidgetArea::connectMainWindow()
{
    if (mainWindowConnected)
        return;
    QObject* mw = mainWindow();
    if (!mw)
        return;
    // The main window's signals are reached by name: it lives in another part of the program.
    const QMetaObject* meta = mw->metaObject();
    if (meta->indexOfSignal("showBtnNew()") >= 0)
        connect(mw, SIGNAL(showBtnNew()), this, SLOT(onShowBtnNew()));
    if (meta->indexOfSignal("hideBtnNew()") >= 0)
        connect(mw, SIGNAL(hideBtnNew()), this, SLOT(onHideBtnNew()));
    mainWindowConnected = true;
}

void kwdWidgetArea::showEvent(QShowEvent* event)
{
    // The page may be built before its stack is placed in the main window.
    connectMainWindow();
    QWidget::showEvent(event);
}

void kwdWidgetArea::onProvinceChanged(QString str)
{
    kwdStore* store = kwdStore::instance();
    QStringList names;
    for (const kwdNameCode& city : store->cities.value(str))
        names.append(city.name);
    kwdPinyin::sort(names);
    cboCity->clear();
    cboCity->addItems(names);

    const kwdFinder* current = store->currentFinder;
    if (current && str == current->field(kwdFinder::Province)) {
        const int index =
            cboCity->findText(current->field(kwdFinder::City), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index >= 0)
            cboCity->setCurrentIndex(index);
    }
}

void kwdWidgetArea::writeArea(kwdFinder* record)
{
    const bool cityChanged = cboCity->currentText() != record->field(kwdFinder::City);
    record->setField(kwdFinder::Province, cboProvince->currentText());
    record->setField(kwdFinder::City, cboCity->currentText());
    if (cityChanged) {
        record->setField(kwdFinder::District, QString());
        record->setField(kwdFinder::HaId, QString());
        record->setField(kwdFinder::HaName, QString());
        record->setField(kwdFinder::Mode, QStringLiteral("101"));
    }
}

void kwdWidgetArea::onBtnSearchClicked()
{
    kwdStore* store = kwdStore::instance();
    kwdFinder* current = store->currentFinder;
    const QObject* button = qobject_cast<QPushButton*>(sender());
    if (current) {
        if (button == btnSale)
            current->category = 2;
        else if (button == btnLease)
            current->category = 3;
        else if (button == btnHA)
            current->category = 1;
    }

    if (!button || (button != btnpushres && button != btnNew)) {
        if (!current)
            return;
        writeArea(current);
        Q_EMIT doSearch(false);
        return;
    }

    kwdFinder* push = store->currentNewHouseFinder;
    if (!push)
        return;
    writeArea(push);
    if (push->field(kwdFinder::PushFlag) == QLatin1String("1")) {
        if (QObject* mw = mainWindow())
            QMetaObject::invokeMethod(mw, "onLookNewHouse", Qt::AutoConnection);
    } else {
        Q_EMIT doSearch(true);
    }
}

void kwdWidgetArea::onShowBtnNew()
{
    const QPoint topLeft = btnpushres->mapTo(this, QPoint(0, 0));
    const int w = btnpushres->width();
    const int h = btnpushres->height();
    btnNew->move(topLeft.x() + (2 * (w - 1) + 2) / 3, topLeft.y() - h / 2);
    btnNew->show();
    btnNew->raise();
}

void kwdWidgetArea::onHideBtnNew()
{
    btnNew->hide();
}

void kwdWidgetArea::onHttpResponse(int id, int err)
{
    // The page sends no request of its own; the slot completes the common receiver interface.
    Q_UNUSED(id);
    Q_UNUSED(err);
}

void kwdWidgetArea::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    const QRect r = widget_btns->geometry();
    painter.setPen(QColor(208, 208, 208));
    painter.setBrush(QColor(243, 243, 243));
    painter.drawRect(r);

    const QPixmap image = kwdTheme::instance()->image(kwdTheme::IndexPic);
    if (image.isNull() || image.width() <= 0)
        return;
    const int w = std::min(image.width(), r.width());
    const int h = image.height() * w / image.width();
    const QRect target(r.left() + (r.width() - w) / 2, r.bottom() + 1 - 6 - h, w, h);
    painter.drawPixmap(target, image);
}
