#pragma once

#include <QString>
#include <QWidget>

class QShowEvent;
class TitleBar;
class qvmViewFavorite;
class qvmWidgetSegement;

// The favourites page of the main window: a title bar, the segment of the three kinds (sale,
// lease, housing area) and the view that lists the stored favourites of the chosen kind and opens
// their details. Owns the bar, the segment and the view; the favourites stay the store's.
class qvmWidgetFavorite : public QWidget
{
    Q_OBJECT
public:
    explicit qvmWidgetFavorite(QWidget* parent = nullptr);

    // Favourite category (2 sale, 3 lease, 1 housing area) and title of a segment index.
    static int categoryOf(int index);
    static QString titleOf(int index);

    TitleBar* titleBarWidget() const { return titleBar; }
    qvmWidgetSegement* segmentWidget() const { return segment; }
    qvmViewFavorite* viewWidget() const { return view; }

public Q_SLOTS:
    void onTypeChange(int index);
    void onViewFresh();
    void onGoBack();
    void onTitleBarAction(int act, quint32 param);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh(int index);

    TitleBar* titleBar = nullptr;
    qvmWidgetSegement* segment = nullptr;
    qvmViewFavorite* view = nullptr;
};
