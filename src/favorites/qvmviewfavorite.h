#pragma once

#include "qvmresultview.h"

#include <QList>
#include <QString>

class TitleBar;
class qvmListItem;
class qvmResultListItem;

// A result view that keeps one list page of its own for rows it is handed (favourites, the guide's
// compounds): clearing empties and keeps that page, and details opened from it slide over it.
// Owns the list page, its copies of the rows and every page pushed over it.
class qvmViewFavorite : public qvmResultView
{
    Q_OBJECT
public:
    explicit qvmViewFavorite(QWidget* parent, TitleBar* titleBar = nullptr);

    // Empties the list page and keeps it as the only page; nothing is requested.
    void clear() override;
    // Gives a favourite's detail the picture kept with the favourites before it opens.
    void openDetail(int category, qvmListItem* row) override;
    // Shows copies of `rows` on the list page, titled `title`: the page owns the copies, so the
    // owner of the originals may delete them at any time (unstarring deletes a favourite).
    void showCopies(const QList<qvmListItem*>& rows, int category, const QString& title);
    // A detail page lies on top of the list.
    bool showsDetail() const;
    qvmResultListItem* listPage() const { return list; }

    // A copy of a row of the favourite kinds (housing area, sale, lease) with its stream fields and
    // its picture; null for other rows.
    static qvmListItem* copyRow(const qvmListItem* row);

Q_SIGNALS:
    void backtoFirst();

protected:
    void pagePopped() override;

private:
    // Keeps the pictures that the list's favourites have by now but the store does not.
    void keepPictures();

    qvmResultListItem* list = nullptr;
};
