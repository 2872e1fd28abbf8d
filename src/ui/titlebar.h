#pragma once

#include <QString>
#include <QWidget>

class QHBoxLayout;
class QPushButton;

// The bar at the top of a page: back button, centred title (the logo when there is none), the
// right-hand button and the favourite toggle. Owns its buttons; reports them through goBack() and
// doAction(act, param).
class TitleBar : public QWidget
{
    Q_OBJECT
public:
    // Flags of setButtons() and setBackFlags().
    enum Flag
    {
        ShowFavorite = 2,
        ShowCondition = 4,
        ShowBack = 8,
    };

    explicit TitleBar(QWidget* parent = nullptr);

    virtual void setTitle(const QString& title, const QString& backText = QString(),
                          const QString& rightText = QString());
    virtual void setButtons(int flags, bool checked);
    void setBackFlags(int flags);
    // The condition button names how many stored conditions narrow the list ("筛选·3") and the
    // clear button next to it removes them (action 3); 0 restores the plain button.
    void setConditionCount(int count);

    QString titleText() const { return title; }
    bool showsTitle() const { return hasTitle; }
    QPushButton* backButton() const { return btnBack; }
    QPushButton* conditionButton() const { return btnCondition; }
    QPushButton* clearConditionButton() const { return btnClearCondition; }
    QPushButton* favoriteButton() const { return btnFavorite; }

Q_SIGNALS:
    void titleChanged(const QString& title);
    void goBack();
    void doAction(int act, quint32 param);
    void sortChange(QString str);

public Q_SLOTS:
    void onbtnBackClicked();
    void onRightButtonClicked();

protected:
    virtual void createWidgets();
    // The star says what a press does ("收藏" / "取消收藏") to a screen reader and in its tip.
    void nameFavorite();
    void paintEvent(QPaintEvent* event) override;

    QString title;
    QPushButton* btnBack = nullptr;
    QPushButton* btnCondition = nullptr;
    // Reserved for a sort control reporting action 1; the bar never creates it.
    QPushButton* btnSort = nullptr;
    QPushButton* btnFavorite = nullptr;
    QPushButton* btnClearCondition = nullptr;
    int conditionCount = 0;
    // The title last announced by titleChanged().
    QString titleShown;
    bool hasTitle = false;
    QHBoxLayout* layout = nullptr;
};
