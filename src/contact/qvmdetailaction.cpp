#include "qvmdetailaction.h"

#include "addcontact.h"
#include "kwdaddressbook.h"
#include "makephonecall.h"
#include "sendsms.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include <algorithm>

namespace {
const QColor kFrame(208, 208, 208);
const QColor kFill(243, 243, 243);

// Rows of the number list are one and a half lines high, the height the panel adds per number.
int rowHeight(const QFontMetrics& fm)
{
    return 3 * fm.lineSpacing() / 2;
}
} // namespace

qvmDetailAction::qvmDetailAction(QWidget* parent) : QWidget(parent), contacts(new kwdAddressBook)
{
    setObjectName(QStringLiteral("qvmDetailAction"));
    setWindowTitle(QStringLiteral("qvmDetailAction"));
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);

    widget_list = new QWidget(this);
    widget_list->setObjectName(QStringLiteral("widget_list"));
    label = new QLabel(tr("Select a Number:"), widget_list);
    label->setObjectName(QStringLiteral("label"));
    lstPhones = new QListWidget(widget_list);
    lstPhones->setObjectName(QStringLiteral("lstPhones"));
    lstPhones->setUniformItemSizes(true);
    lstPhones->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* listLayout = new QVBoxLayout(widget_list);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(label);
    listLayout->addWidget(lstPhones, 1);

    widget_btns = new QWidget(this);
    widget_btns->setObjectName(QStringLiteral("widget_btns"));
    btnCall = new QPushButton(tr("Call"), widget_btns);
    btnCall->setObjectName(QStringLiteral("btnCall"));
    btnSMS = new QPushButton(tr("SMS"), widget_btns);
    btnSMS->setObjectName(QStringLiteral("btnSMS"));
    btnSMSTo = new QPushButton(tr("SMS To"), widget_btns);
    btnSMSTo->setObjectName(QStringLiteral("btnSMSTo"));
    btnAddContact = new QPushButton(tr("Add Contact"), widget_btns);
    btnAddContact->setObjectName(QStringLiteral("btnAddContact"));
    auto* buttons = new QHBoxLayout(widget_btns);
    buttons->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : {btnCall, btnSMS, btnSMSTo, btnAddContact})
        buttons->addWidget(b);

    sms = new SendSMS(this);
    addContact = new AddContact(this);
    phoneCall = new MakePhoneCall(this);
    sms->contacts = contacts;
    addContact->contacts = contacts;

    auto* layout = new QVBoxLayout(this);
    const int m = fontMetrics().lineSpacing() / 2;
    layout->setContentsMargins(m, m, m, m);
    layout->addWidget(widget_list, 1);
    layout->addWidget(widget_btns);
    layout->addWidget(sms);
    layout->addWidget(addContact);
    layout->addWidget(phoneCall);

    for (QWidget* panel :
         {static_cast<QWidget*>(sms), static_cast<QWidget*>(addContact), static_cast<QWidget*>(phoneCall)})
        panel->installEventFilter(this);
    connect(btnCall, &QPushButton::clicked, this, &qvmDetailAction::on_btnCall_clicked);
    connect(btnSMS, &QPushButton::clicked, this, &qvmDetailAction::on_btnSMS_clicked);
    connect(btnSMSTo, &QPushButton::clicked, this, &qvmDetailAction::on_btnSMSTo_clicked);
    connect(btnAddContact, &QPushButton::clicked, this, &qvmDetailAction::on_btnAddContact_clicked);
    connect(lstPhones, &QListWidget::itemClicked, this, &qvmDetailAction::onListItemClicked);
    hide();
}

qvmDetailAction::~qvmDetailAction()
{
    // The sub-panels go before the book they point at.
    delete sms;
    delete addContact;
    delete phoneCall;
    delete contacts;
}

QStringList qvmDetailAction::numbersOf(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[^-0-9]+"));
    static const QRegularExpression digit(QStringLiteral("[0-9]"));
    QStringList list;
    // A run of dashes alone ("--" for "none") is not a number to call.
    for (const QString& part : text.split(separators, Qt::SkipEmptyParts)) {
        if (part.contains(digit))
            list << part;
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const QString& a, const QString& b) { return a.size() > b.size(); });
    return list;
}

QString qvmDetailAction::smsBody() const
{
    if (!fromBottom)
        return title;
    return tr("I'm intresting in %1,call me").arg(title);
}

QString qvmDetailAction::smsToBody() const
{
    if (!fromBottom)
        return title;
    QString body = tr("I find this %1").arg(title) + QLatin1Char('\n');
    if (!contact.isEmpty())
        body += tr("contact:") + contact + QLatin1Char('\n');
    return body + tr("phone:") + number;
}

int qvmDetailAction::hintHeight()
{
    layout()->invalidate();
    layout()->activate();
    return sizeHint().height();
}

QRect qvmDetailAction::keptInside(const QRect& r) const
{
    if (!parentWidget())
        return r;
    const QRect bounds = parentWidget()->rect();
    QRect out = r;
    out.setHeight(qMin(r.height(), bounds.height()));
    out.setWidth(qMin(r.width(), bounds.width()));
    out.moveLeft(qBound(bounds.left(), out.left(), bounds.right() + 1 - out.width()));
    out.moveTop(qBound(bounds.top(), out.top(), bounds.bottom() + 1 - out.height()));
    return out;
}

void qvmDetailAction::install()
{
    qvmContactPanel::setFactory([](QWidget* view) { return new qvmDetailAction(view); });
}

void qvmDetailAction::offer(const QString& who, const QString& text, const QRect& where, const QString& what,
                            bool bottom)
{
    show(who, text, where, what, bottom);
}

bool qvmDetailAction::isShown() const
{
    return isVisible();
}

void qvmDetailAction::dismiss()
{
    hide();
}

void qvmDetailAction::show(const QString& who, const QString& text, const QRect& where, const QString& what,
                           bool bottom)
{
    sms->hide();
    addContact->hide();
    phoneCall->hide();
    contact = who;
    title = what;
    area = where;
    phones = text;
    fromBottom = bottom;

    const QStringList numbers = numbersOf(phones);
    if (numbers.isEmpty())
        return;
    lstPhones->clear();
    const int row = rowHeight(lstPhones->fontMetrics());
    for (const QString& n : numbers) {
        auto* item = new QListWidgetItem(n, lstPhones);
        item->setSizeHint(QSize(0, row));
    }
    const bool single = numbers.size() == 1;
    // Several numbers: none is chosen yet, and the last listing's must not linger.
    number = single ? numbers.first() : QString();
    widget_btns->setVisible(single);
    widget_list->setVisible(!single);

    // The hint holds the list at one row; every further number adds a row to the panel.
    const int oneRow = row + 2 * lstPhones->frameWidth();
    lstPhones->setFixedHeight(oneRow);
    const int hint = hintHeight();
    lstPhones->setMinimumHeight(oneRow);
    lstPhones->setMaximumHeight(QWIDGETSIZE_MAX);
    const int w = qMin(sizeHint().width(), area.width());
    const int h = hint + (single ? 0 : (int(numbers.size()) - 1) * rowHeight(fontMetrics()));
    const int x = area.left() + (area.width() - w) / 2;
    const int y = fromBottom ? area.bottom() + 1 - h : area.top() + area.height() / 2;
    setGeometry(keptInside(QRect(x, y, w, h)));
    QWidget::show();
    raise();
    setFocus();
}

void qvmDetailAction::onListItemClicked(QListWidgetItem* item)
{
    if (!item)
        return;
    number = item->text();
    widget_list->hide();
    widget_btns->show();
    btnCall->setFocus();
    const int h = hintHeight();
    const int w = qMin(sizeHint().width(), area.width());
    const QRect r(area.left() + (area.width() - w) / 2, area.top() + (area.height() - h) / 2, w, h);
    setGeometry(keptInside(r));
}

void qvmDetailAction::setHeightKeepingEdge(int h)
{
    const QRect g = geometry();
    const int top = fromBottom ? g.bottom() + 1 - h : g.top();
    setGeometry(keptInside(QRect(g.left(), top, g.width(), h)));
}

void qvmDetailAction::openSubPanel(QWidget* panel)
{
    panel->show();
    if (!panel->isAncestorOf(focusWidget()))
        panel->setFocus();
    const int h = hintHeight();
    if (h > height())
        setHeightKeepingEdge(h);
}

void qvmDetailAction::on_btnCall_clicked()
{
    widget_btns->hide();
    phoneCall->setup(number);
    openSubPanel(phoneCall);
}

void qvmDetailAction::on_btnSMS_clicked()
{
    widget_btns->hide();
    sms->setup(number, smsBody());
    openSubPanel(sms);
}

void qvmDetailAction::on_btnSMSTo_clicked()
{
    widget_btns->hide();
    sms->setup(QString(), smsToBody());
    openSubPanel(sms);
}

void qvmDetailAction::on_btnAddContact_clicked()
{
    widget_btns->hide();
    addContact->setup(number, contact, title);
    openSubPanel(addContact);
}

bool qvmDetailAction::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::HideToParent &&
        (watched == sms || watched == addContact || watched == phoneCall) && isVisible()) {
        widget_btns->show();
        setHeightKeepingEdge(hintHeight());
    }
    return QWidget::eventFilter(watched, event);
}

void qvmDetailAction::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Context1) {
        btnCall->setFocus();
        event->accept();
    } else if (event->key() == Qt::Key_Context2) {
        close();
        event->accept();
    } else {
        QWidget::keyPressEvent(event);
    }
}

void qvmDetailAction::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setPen(kFrame);
    painter.setBrush(kFill);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
    painter.end();
    QWidget::paintEvent(event);
}
