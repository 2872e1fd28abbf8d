#include "kwdchooseha.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

kwdChooseHA::kwdChooseHA(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("kwdChooseHA"));
    setWindowTitle(tr("Form"));
    resize(219, 190);
    // The panel lies over the form: it must hide what is under it.
    setAutoFillBackground(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);

    auto* grid = new QGridLayout(this);
    grid->setObjectName(QStringLiteral("gridLayout"));

    label = new QLabel(tr("请选择您要查询的小区"), this);
    label->setObjectName(QStringLiteral("label"));
    grid->addWidget(label, 0, 0);

    btnCancelChoose = new QPushButton(tr("取 消"), this);
    btnCancelChoose->setObjectName(QStringLiteral("btnCancelChoose"));
    grid->addWidget(btnCancelChoose, 0, 1);

    listWidget = new QListWidget(this);
    listWidget->setObjectName(QStringLiteral("listWidget"));
    listWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listWidget->setAlternatingRowColors(true);
    grid->addWidget(listWidget, 1, 0, 1, 2);

    connect(listWidget, &QListWidget::itemClicked, this, &kwdChooseHA::onListItemClicked);
    connect(btnCancelChoose, &QPushButton::clicked, this, &QWidget::hide);
}

void kwdChooseHA::clear()
{
    listWidget->clear();
}

void kwdChooseHA::addEntry(const QString& text, const QString& data)
{
    auto* item = new QListWidgetItem(text, listWidget);
    item->setData(Qt::UserRole, data);
}

int kwdChooseHA::count() const
{
    return listWidget->count();
}

void kwdChooseHA::onListItemClicked(QListWidgetItem* item)
{
    if (!item)
        return;
    const QString data = item->data(Qt::UserRole).toString();
    const QString text = item->text();
    // The display text is the name followed by " (district address)".
    const int bracket = text.indexOf(QLatin1Char('('));
    QString name;
    if (bracket < 0)
        name = text.trimmed();
    else if (bracket == 0)
        name = text;
    else
        name = text.left(bracket).trimmed();
    hide();
    Q_EMIT HASelected(name, data);
}
