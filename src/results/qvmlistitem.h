#pragma once

#include <QList>
#include <QPair>
#include <QRect>
#include <QString>

class QDataStream;
class QDomElement;
class QImage;
class QPainter;
class QPoint;
class international;
class qvmItemRegion;
class qvmItemRoad;
class qvmProjectItem;

// The picture of a row: where it comes from and, once downloaded, the decoded image.
struct qvmPictureJob
{
    QImage* image = nullptr;
    QString url;
    QString localPath;
    int requestId = 0;
};

// One record of a result document: the listing's data and the code that lays it out and paints it,
// as a list row (mode 0), a detail body (mode 1) or a compact link (mode 2). Not a graphics item:
// pages call paint and height with their own painter and rectangle. Owns its picture, its linked
// district, street and housing-area items and its children.
class qvmListItem
{
public:
    enum Type {
        TypeBase = 0,
        TypeInter = 1,
        TypeRelateHA = 2,
        TypeGuideProject = 3,
        TypeLease = 4,
        TypeSale = 5,
        TypeRoad = 6,
        TypeRegion = 7,
        TypeProject = 8,
    };

    explicit qvmListItem(bool idOptional = false);
    virtual ~qvmListItem();

    virtual bool read(const QDomElement& element);
    virtual void paint(QPainter* painter, const QRect& rect, int mode);
    virtual int height(int width, int mode);
    virtual QString displayName() const;
    virtual void write(QDataStream& out) const;
    virtual bool read(QDataStream& in);
    virtual void assign(const qvmListItem* other);
    virtual void invalidate();
    virtual int type() const;

    // Creates the row class of a favourite kind (1 housing area, 2 sale, 3 lease); null otherwise.
    static qvmListItem* createForKind(int kind);

    bool loadPicture(const QString& path);
    bool hasPicture() const;

    QString id;
    QString name;
    QString address;
    double latitude = 0;
    double longitude = 0;
    double altitude = 0;
    QString distance;
    int imageCount = 0;
    bool complete = false;
    qvmProjectItem* housingArea = nullptr;
    qvmItemRoad* street = nullptr;
    qvmItemRegion* district = nullptr;
    qvmPictureJob* picture = nullptr;
    int pageView = 0;
    QList<qvmListItem*> children;
    QRect linkRect;
    int listHeight = 0;
    int detailHeight = 0;
    int layoutWidth = 0;
    QList<QPair<QString, QString>> items;
    bool idOptional = false;
    international* labels = nullptr;

protected:
    // Shared measures of the list fonts (pixels), computed once.
    static int smallLine();
    static int titleLine();
    static int margin();
    static int quarter();

    void elide(const QString& text, QString& cache, QPainter* painter, int maxWidth, bool withPictureMark);
    void drawPicture(QPainter* painter, const QPoint& topLeft, int boxWidth, int boxHeight);
    void drawCaptionLine(QPainter* painter, const QString& caption, const QString& value, int& y, int left,
                         int captionWidth, int valueWidth, bool highlight, QRect* linkRect,
                         const QString& linkText);

private:
    qvmListItem(const qvmListItem&) = delete;
    qvmListItem& operator=(const qvmListItem&) = delete;
};
