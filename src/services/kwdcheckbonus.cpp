#include "kwdcheckbonus.h"

#include "kwdpopuppanel.h"
#include "kwdserviceconfig.h"
#include "kwdweblink.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

kwdCheckBonus::kwdCheckBonus(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("kwdCheckBonus"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 10);
    label = new QLabel(this);
    label->setObjectName(QStringLiteral("lblBonus"));
    label->setWordWrap(true);
    label->setTextFormat(Qt::RichText);
    column->addWidget(label);
    auto* row = new QHBoxLayout;
    btnBonusOK = new QPushButton(this);
    btnBonusOK->setObjectName(QStringLiteral("btnBonusOK"));
    btnDetail = new QPushButton(this);
    btnDetail->setObjectName(QStringLiteral("btnDetail"));
    row->addWidget(btnBonusOK);
    row->addWidget(btnDetail);
    column->addLayout(row);
    connect(btnBonusOK, &QPushButton::clicked, this, &kwdCheckBonus::onBtnClicked);
    connect(btnDetail, &QPushButton::clicked, this, &kwdCheckBonus::onBtnDetail);
    hide();
}

void kwdCheckBonus::showPrize(const QString& prizeText, const QString& codeText)
{
    prize = prizeText;
    code = codeText;
    prizeView = true;
    if (prize.isEmpty() && code.isEmpty()) {
        label->setText(tr("Querying...").toHtmlEscaped());
        btnBonusOK->hide();
        btnDetail->hide();
    } else {
        // Prize and code come from the service: escaped, never taken as markup.
        label->setText(
            QStringLiteral("<h2 style=\"color:red\">%1</h2><p>%2<span style=\"color:red\">%3</span></p>"
                           "<p>%4%5</p><p>%6</p>")
                .arg(tr("Congratulation!!!").toHtmlEscaped(), tr("You Got:").toHtmlEscaped(),
                     prize.toHtmlEscaped(), tr("Your bonusid:").toHtmlEscaped(), code.toHtmlEscaped(),
                     tr("Contact us: %1")
                         .arg(QCoreApplication::translate("qvmSystem", "global phone"))
                         .toHtmlEscaped()));
        btnDetail->setText(tr("Check Your Prize"));
        btnDetail->show();
        btnBonusOK->setText(tr("OK"));
        btnBonusOK->show();
    }
    placeAtBottom();
}

void kwdCheckBonus::showCounts(int today, int week, const QString& codeText)
{
    code = codeText;
    prizeView = false;
    if (today >= 0) {
        label->setText(QStringLiteral("<p>%1</p><p>%2</p><p>%3</p><p>%4</p>")
                           .arg(tr("Your day time:%1").arg(today).toHtmlEscaped(),
                                tr("week time: %1").arg(week).toHtmlEscaped(),
                                tr("Code:%1").arg(code).toHtmlEscaped(),
                                tr("Count maybe delayed").toHtmlEscaped()));
        btnBonusOK->setText(tr("Ok"));
        btnDetail->setText(tr("View Detail"));
        btnBonusOK->show();
        btnDetail->show();
    } else {
        label->setText(tr("Querying...").toHtmlEscaped());
    }
    placeAtBottom();
}

void kwdCheckBonus::showMessage(const QString& text)
{
    label->setText(text.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>")));
    btnBonusOK->setText(tr("OK"));
    btnBonusOK->show();
    btnDetail->hide();
    placeAtBottom();
}

void kwdCheckBonus::placeAtBottom()
{
    const QWidget* window = parentWidget();
    if (!window)
        return;
    const int width = window->width() - 2;
    const int height = hasHeightForWidth() ? heightForWidth(width) : sizeHint().height();
    setGeometry(1, window->height() - 2 - height, width, height);
    show();
    raise();
}

void kwdCheckBonus::onBtnClicked()
{
    hide();
}

void kwdCheckBonus::onBtnDetail()
{
    hide();
    kwdWebLink::open(kwdServiceConfig::instance().prizeUrl);
}

void kwdCheckBonus::paintEvent(QPaintEvent*)
{
    kwdPopupPanel::paintFrame(this);
}
