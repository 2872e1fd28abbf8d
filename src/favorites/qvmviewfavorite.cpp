#include "qvmviewfavorite.h"

#include "kwdfavoritepictures.h"
#include "kwdfavorites.h"
#include "kwdstore.h"
#include "qvmgraphicsitem.h"
#include "qvmlistitem.h"
#include "qvmresultlistitem.h"
#include "titlebar.h"

#include <QFile>
#include <QImage>
#include <QScrollBar>

qvmViewFavorite::qvmViewFavorite(QWidget* parent, TitleBar* bar) : qvmResultView(parent, bar)
{
    list = new qvmResultListItem(this);
    putFirstPage(list);
}

void qvmViewFavorite::clear()
{
    // The contact panel spoke of a detail that is about to go.
    hideDetailAction();
    qvmGraphicsItem* first = takeFirstPage();
    stopMotion();
    destroyPages();
    // Only our own list is kept; anything else at the bottom went with the other pages.
    if (first != list)
        delete first;
    // An empty list of fixed rows: the page never asks the service for the current search.
    list->adoptRows(QList<qvmListItem*>(), list->category);
    list->customTitle.clear();
    list->relayout();
    putFirstPage(list);
    verticalScrollBar()->setValue(0);
}

void qvmViewFavorite::showCopies(const QList<qvmListItem*>& rows, int category, const QString& title)
{
    QList<qvmListItem*> copies;
    copies.reserve(rows.size());
    for (const qvmListItem* row : rows) {
        if (qvmListItem* copy = copyRow(row))
            copies.append(copy);
    }
    list->adoptRows(copies, category);
    list->customTitle = title;
    if (topPage() == list)
        setSceneRect(list->boundingRect());
    list->update();
}

void qvmViewFavorite::openDetail(int category, qvmListItem* row)
{
    // Decoded here rather than with the favourites: only the pictures that are looked at cost.
    if (row)
        kwdFavoritePictures(kwdStore::instance()->dataPath()).loadImage(category, row);
    qvmResultView::openDetail(category, row);
}

bool qvmViewFavorite::showsDetail() const
{
    return pageCount() >= 2 && topPage()->kind() == qvmGraphicsItem::KindDetail;
}

qvmListItem* qvmViewFavorite::copyRow(const qvmListItem* row)
{
    const int kind = row ? row->category() : -1;
    if (kind < 1 || kind > 3)
        return nullptr;
    qvmListItem* copy = row->blankCopy();
    if (!copy)
        return nullptr;
    copy->assign(row);
    // Not a stream field, but the guide's compounds are listed by it.
    copy->distance = row->distance;
    if (row->picture) {
        copy->picture = new qvmPictureJob;
        copy->picture->url = row->picture->url;
        copy->picture->localPath = row->picture->localPath;
        if (row->picture->image)
            copy->picture->image = new QImage(*row->picture->image);
    }
    return copy;
}

void qvmViewFavorite::pagePopped()
{
    if (pageCount() != 1)
        return;
    keepPictures();
    if (TitleBar* bar = titleBarWidget())
        bar->setBackFlags(0);
    emit backtoFirst();
}

void qvmViewFavorite::keepPictures()
{
    // A favourite starred before its picture arrived gets it once one of its details has shown it.
    kwdStore* store = kwdStore::instance();
    kwdFavoritePictures pictures(store->dataPath());
    for (const qvmListItem* row : std::as_const(list->rows)) {
        if (row->picture && row->picture->image && kwdFavorites::instance()->contains(row) &&
            !QFile::exists(pictures.imageFile(list->category, row->id)))
            pictures.save(list->category, row);
    }
}
