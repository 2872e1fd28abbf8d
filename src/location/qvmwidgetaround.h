#pragma once

#include <QWidget>

class QLabel;
class QStackedLayout;
class TitleBar;
class kwdFinder;
class kwdLocation;
class qvmResultView;
class qvmSetCondition;
class qvmViewAroundFunction;
class qvmWidgetAroundFunction;
class qvmWidgetGPSGuide;

// The around-me page of the main window: a title bar above a stack of four pages (the form, the
// results around the user, the condition form, the GPS guide). Creates the one position source
// and moves between its pages. Owns the title bar, the stack, its pages and the position source.
class qvmWidgetAround : public QWidget
{
    Q_OBJECT
public:
    enum Page
    {
        PageForm = 0,
        PageResults = 1,
        PageCondition = 2,
        PageGuide = 3,
    };

    explicit qvmWidgetAround(QWidget* parent = nullptr);

    int currentPage() const;
    TitleBar* titleBar() const { return bar; }
    qvmResultView* resultView() const { return view; }
    QLabel* addressName() const { return addressLabel; }
    qvmViewAroundFunction* functionView() const { return functionPage; }
    qvmWidgetAroundFunction* form() const;
    qvmSetCondition* conditionPage() const { return conditionView; }
    qvmWidgetGPSGuide* guidePage() const { return guide; }
    kwdLocation* location() const { return source; }

    int guideType = 0;

public Q_SLOTS:
    void onGoBack();
    void onTitleBarAction(int act, quint32 param);
    void onSearchFromConditionView();
    void onSearchFromAreaView(QString address, QString range);
    void onUseGPSGuide(QString jm, int range, int type);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The condition of the list shown in the results, else the form's.
    kwdFinder* shownCondition() const;
    // The list shown has a condition of its own.
    bool listShown() const;

    kwdLocation* source = nullptr;
    TitleBar* bar = nullptr;
    QStackedLayout* stack = nullptr;
    qvmViewAroundFunction* functionPage = nullptr;
    QLabel* addressLabel = nullptr;
    qvmResultView* view = nullptr;
    qvmSetCondition* conditionView = nullptr;
    qvmWidgetGPSGuide* guide = nullptr;
};
