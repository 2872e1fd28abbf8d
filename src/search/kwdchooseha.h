#pragma once

#include <QFrame>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The list panel that offers the housing areas found by a name lookup; owns its entries until the
// next lookup clears them. A tap reports the entry and hides the panel.
class kwdChooseHA : public QFrame
{
    Q_OBJECT
public:
    explicit kwdChooseHA(QWidget* parent = nullptr);

    void clear();
    void addEntry(const QString& text, const QString& data);
    int count() const;

    QListWidget* list() const { return listWidget; }

Q_SIGNALS:
    void HASelected(QString name, QString id);

public Q_SLOTS:
    void onListItemClicked(QListWidgetItem* item);

private:
    QLabel* label = nullptr;
    QPushButton* btnCancelChoose = nullptr;
    QListWidget* listWidget = nullptr;
};
