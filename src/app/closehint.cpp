#include "closehint.h"

#include "kwdstore.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CloseHint::CloseHint(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CloseHint"));
    setWindowTitle(tr("close set"));

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("lblimage"));
    auto* question = new QLabel(tr("您点击了关闭按钮，您是想："), this);
    question->setObjectName(QStringLiteral("label_4"));
    rdbmini = new QRadioButton(tr("最小化到系统托盘区，不退出程序"), this);
    rdbmini->setObjectName(QStringLiteral("rdbmini"));
    rdbedit = new QRadioButton(tr("退出程序"), this);
    rdbedit->setObjectName(QStringLiteral("rdbedit"));
    checkBox = new QCheckBox(tr("不再提醒"), this);
    checkBox->setObjectName(QStringLiteral("checkBox"));
    btnok1 = new QPushButton(tr("确定"), this);
    btnok1->setObjectName(QStringLiteral("btnok1"));
    btncancel = new QPushButton(tr("取消"), this);
    btncancel->setObjectName(QStringLiteral("btncancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addWidget(question, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnok1);
    buttons->addWidget(btncancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rdbmini);
    layout->addWidget(rdbedit);
    layout->addWidget(checkBox);
    layout->addLayout(buttons);

    rdbedit->setChecked(true);
    rdbedit->setFocus();
    checkBox->setChecked(false);

    connect(btnok1, &QPushButton::clicked, this, &CloseHint::onOK);
    connect(btncancel, &QPushButton::clicked, this, &CloseHint::onCancel);
}

void CloseHint::prepare(bool trayAvailable)
{
    rdbmini->setText(trayAvailable ? tr("最小化到系统托盘区，不退出程序") : tr("最小化窗口，不退出程序"));
    result = Cancelled;
    choice = ChoiceNone;
    remind = RemindUnset;
}

void CloseHint::onOK()
{
    kwdStore* store = kwdStore::instance();
    if (rdbmini->isChecked()) {
        choice = ToTray;
        store->setConfig(kwdStore::cfgOnQuit, QStringLiteral("0"));
    } else if (rdbedit->isChecked()) {
        choice = Quit;
        store->setConfig(kwdStore::cfgOnQuit, QStringLiteral("1"));
    }
    if (checkBox->isChecked()) {
        remind = DontAsk;
        store->setConfig(kwdStore::cfgOnClose, QStringLiteral("1"));
    } else {
        remind = AskAgain;
        store->setConfig(kwdStore::cfgOnClose, QStringLiteral("0"));
    }
    result = Confirmed;
    close();
}

void CloseHint::onCancel()
{
    result = Cancelled;
    close();
}

void CloseHint::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(214, 214, 214));
    // A one-pixel frame one pixel inside the dialog's edge.
    painter.drawRect(QRect(1, 1, width() - 3, height() - 3));
}
