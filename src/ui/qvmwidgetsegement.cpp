#include "qvmwidgetsegement.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>

qvmWidgetSegement::qvmWidgetSegement(QWidget* parent) : QWidget(parent)
{
    layout = new QHBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
}

QPushButton* qvmWidgetSegement::addSegment(const QString& text)
{
    auto* button = new QPushButton(text, this);
    addButton(button);
    return button;
}

void qvmWidgetSegement::addButton(QPushButton* button)
{
    if (!button || buttons.contains(button))
        return;
    button->setCheckable(true);
    // One of a row is checked: a screen reader reads the segments as radio buttons with their titles,
    // and the arrow keys move between them.
    button->setAutoExclusive(true);
    QSizePolicy policy = button->sizePolicy();
    policy.setHorizontalPolicy(QSizePolicy::Expanding);
    button->setSizePolicy(policy);
    button->installEventFilter(this);
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, &qvmWidgetSegement::onButtonClicked);
    buttons.append(button);

    // The skin styles the ends and the middle of the row by these names.
    const int n = buttons.size();
    if (n == 1) {
        buttons[0]->setObjectName(QStringLiteral("LeftSegButton"));
    } else {
        buttons[n - 1]->setObjectName(QStringLiteral("RightSegButton"));
        if (n > 2)
            buttons[n - 2]->setObjectName(QStringLiteral("MiddleSegButton"));
    }
}

void qvmWidgetSegement::setValue(int v)
{
    if (v < 0 || v >= buttons.size())
        return;
    if (current >= 0)
        buttons[current]->setChecked(false);
    buttons[v]->setChecked(true);
    if (v != current) {
        current = v;
        Q_EMIT valueChanged(v);
    }
}

void qvmWidgetSegement::onButtonClicked()
{
    const int index = buttons.indexOf(qobject_cast<QPushButton*>(sender()));
    // Only the segments themselves choose a value: a stray call must not leave the row unchecked.
    if (index < 0)
        return;
    // A keyboard click on the checked segment toggles it off; keep it checked and stay silent.
    if (index == current) {
        buttons[index]->setChecked(true);
        return;
    }
    if (current >= 0)
        buttons[current]->setChecked(false);
    buttons[index]->setChecked(true);
    current = index;
    Q_EMIT valueChanged(current);
}

bool qvmWidgetSegement::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button && button->isChecked() && buttons.contains(button)) {
        const int type = event->type();
        // Presses, double clicks and the handset's OK request on the checked segment are swallowed.
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick || type == 94)
            return true;
    }
    return QWidget::eventFilter(watched, event);
}
