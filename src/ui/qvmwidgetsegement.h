#pragma once

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QPushButton;

// A segmented control: a row of checkable buttons of which exactly one is checked. A checked
// segment swallows further presses, so valueChanged is never repeated for it.
class qvmWidgetSegement : public QWidget
{
    Q_OBJECT
public:
    explicit qvmWidgetSegement(QWidget* parent = nullptr);

    QPushButton* addSegment(const QString& text);
    void addButton(QPushButton* button);
    void setValue(int v);
    int value() const { return current; }
    int count() const { return buttons.size(); }
    QPushButton* button(int index) const { return buttons.value(index); }

Q_SIGNALS:
    void valueChanged(int val);

public Q_SLOTS:
    void onButtonClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QPushButton*> buttons;
    QHBoxLayout* layout = nullptr;
    int current = -1;
};
