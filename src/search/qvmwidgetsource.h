#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QPushButton;
class QStackedLayout;
class TitleBar;
class kwdFinder;
class qvmResultView;
class qvmSetCondition;
class kwdLazyPage;
class kwdNewHouseCondition;
class qvmListItem;
class qvmViewArea;

// The search page of the main window: a title bar above a stack of four pages (area chooser,
// results with the bar of pushed listings, condition form, push condition form). Moves between
// them and hands the search record from page to page. Owns the title bar, the stack and its pages.
class qvmWidgetSource : public QWidget
{
    Q_OBJECT
public:
    enum Page
    {
        PageArea = 0,
        PageResults = 1,
        PageCondition = 2,
        PagePushCondition = 3,
    };

    explicit qvmWidgetSource(QWidget* parent = nullptr);

    qvmResultView* resultView() const { return view; }
    QLabel* numberLabel() const { return number; }
    TitleBar* titleBar() const { return bar; }
    QWidget* pushBar() const { return pushWidget; }
    qvmViewArea* areaPage() const { return areaView; }
    // The condition form, built on first use (start-up pays only for the area page).
    qvmSetCondition* conditionPage();
    // The subscription form, built on first use like the condition form.
    kwdNewHouseCondition* pushConditionPage();
    // Shows rows of new listings (not owned) as the push page of the results, with their count in
    // the bar above.
    void showPushResults(const QList<qvmListItem*>& rows, int kind);
    int currentPage() const;

public Q_SLOTS:
    void onSearchFromAreaView(bool search);
    void onSearchFromConditionView();
    void onBtnSet();
    void onGoBack();
    void onTitleBarAction(int act, quint32 param);

private:
    // The record the condition form edits: that of the list on top of the results, else the
    // store's current search record.
    kwdFinder* topCondition() const;
    void showPage(int index);

    QStackedLayout* stack = nullptr;
    TitleBar* bar = nullptr;
    qvmResultView* view = nullptr;
    kwdNewHouseCondition* pushCondition = nullptr;
    QWidget* pushWidget = nullptr;
    QLabel* number = nullptr;
    QPushButton* newhouseSet = nullptr;
    qvmViewArea* areaView = nullptr;
    qvmSetCondition* conditionView = nullptr;
    kwdLazyPage* conditionSlot = nullptr;
    kwdLazyPage* pushConditionSlot = nullptr;
};
