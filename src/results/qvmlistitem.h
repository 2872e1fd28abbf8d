#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>

class QDataStream;
class QFont;
class QDomElement;
class QImage;
class QPainter;
class QPoint;
class international;
class qvmItemRegion;
class qvmItemRelateHA;
class qvmItemRoad;
class qvmProjectItem;
class qvmListItem;

// The picture of a row: where it comes from and, once downloaded, the decoded image.
struct qvmPictureJob
{
    QImage* image = nullptr;
    QString url;
    QString localPath;
    int requestId = 0;
};

// A tappable area of a detail body. `action` follows the result view's related-page numbers;
// `target` is the item the tap opens (the district, street or housing area, or the row itself);
// `title` names the related group for action 6.
struct qvmLink
{
    QRect rect;
    int action = -1;
    QString title;
    qvmListItem* target = nullptr;
};

// A caption and its value as the last laid-out detail body shows them, for readers that cannot see
// the painting; `link` indexes the body's links when the value opens one, else -1.
struct qvmShownField
{
    QString caption;
    QString value;
    QRect rect;
    int link = -1;
};

// One line of a price block: caption, value in its colour, unit after it.
struct qvmValueLine
{
    QString caption;
    QString value;
    QColor colour;
    QString unit;
};

// One record of a result document: the listing's data and the code that lays it out and paints it,
// as a list row (mode 0), a detail body (mode 1) or a compact link (mode 2). Not a graphics item:
// pages call paint and height with their own painter and rectangle. Owns its picture, its linked
// district, street and housing-area items and its children.
class qvmListItem
{
public:
    enum Type
    {
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
    // What the list row shows besides its title (district, place, price, area, age), as one text.
    virtual QString shownText() const;
    // The listing category the row belongs to (1 housing area, 2 sale, 3 lease, 5 district, 6 street,
    // -1 none): pages choose links, pictures and favourites by it, whatever row class carries it.
    virtual int category() const;
    // The related housing areas the row links to, if it has any.
    virtual const qvmItemRelateHA* relatedAreas() const;
    // An empty row of the same class, for copies that must paint like the original.
    virtual qvmListItem* blankCopy() const;
    virtual void write(QDataStream& out) const;
    virtual bool read(QDataStream& in);
    virtual void assign(const qvmListItem* other);
    virtual void invalidate();
    virtual int type() const;

    enum LinkAction
    {
        LinkPictures = 0,
        LinkDistrict = 1,
        LinkStreet = 2,
        LinkHousingArea = 3,
        LinkMoreSales = 4,
        LinkMoreLeases = 5,
        LinkRelated = 6,
    };

    // The links of the detail body as laid out by the last height(width, 1) or paint(.., 1), in the
    // coordinates of the rectangle given to paint (measured at (0, 0)).
    virtual QList<qvmLink> links() const;
    // The numbers the contact panel offers for this row (an agency's own, or its first agency's).
    virtual QStringList phoneNumbers() const;

    // A new row of a category's class (1 housing area, 2 sale, 3 lease, 4 agency; the favourite kinds
    // are the first three); null for categories without rows.
    static qvmListItem* createForKind(int kind);
    // The category of a row type: housing area 1, sale 2, lease 3, district 5, street 6, else -1.
    static int categoryOfType(int type);

    // Decodes the downloaded picture into the picture job; true when the row then holds a picture.
    bool loadPicture(const QString& path);
    // The record names a picture (drawn with the picture mark in titles).
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
    // Where a tap opens the contact panel in the detail body, one entry per phone block (each agency
    // band, or an agency's own phone line); `target` is the item whose numbers the block offers.
    QList<qvmLink> contactLinks;
    QList<qvmLink> detailLinks;
    QList<qvmShownField> shownFields;
    int listHeight = 0;
    int detailHeight = 0;
    int layoutWidth = 0;
    QList<QPair<QString, QString>> items;
    bool idOptional = false;
    international* labels = nullptr;

    // Shared measures of the list fonts (pixels), computed once.
    static int smallLine();
    static int titleLine();
    static int margin();
    static int quarter();
    static int pixels(int points);
    static QFont titleFont();
    static QFont textFont();

protected:
    // The three painters behind paint(): list row, detail body (returns the height it used and
    // records the links), compact link form.
    virtual void paintList(QPainter* painter, const QRect& rect);
    virtual int paintDetail(QPainter* painter, const QRect& rect);
    virtual void paintLink(QPainter* painter, const QRect& rect);
    virtual int listRowHeight(int width);
    // Lays the detail body out on a scratch painter to learn its height and links.
    int measureDetail(int width);

    // Linked items of the stream form (district, housing area, street), in that order.
    void writeLinked(QDataStream& out) const;
    bool readLinked(QDataStream& in);

    void elide(const QString& text, QString& cache, QPainter* painter, int maxWidth, bool withPictureMark);
    void drawPicture(QPainter* painter, const QPoint& topLeft, int boxWidth, int boxHeight, int fallback = 0);
    void drawCaptionLine(QPainter* painter, const QString& caption, const QString& value, int& y, int left,
                         int captionWidth, int valueWidth, bool highlight, QRect* linkRect,
                         const QString& linkText);

    // Building blocks of the detail bodies; each draws from y across `rect` and returns the new y.
    int drawTitleBand(QPainter* painter, const QRect& rect, int y, const QString& text, const QColor& colour);
    int drawIdLine(QPainter* painter, const QRect& rect, int y);
    int drawValueBlock(QPainter* painter, const QRect& rect, int y, const QList<qvmValueLine>& lines,
                       bool withPicture);
    int drawTextBox(QPainter* painter, const QRect& rect, int y, const QString& caption, const QString& text);
    // The widest of the given label-table captions in the painter's font.
    int captionWidth(QPainter* painter, const QList<int>& labelIndexes) const;
    void addLink(const QRect& rect, int action, qvmListItem* target, const QString& title = QString());
    // Reads the agencies anywhere below a record into children; a detail reply brings them again, so
    // they replace what an earlier read found instead of being added twice.
    void readAgencies(const QDomElement& element);
    // A caption line whose link (linkText, or the whole value when linkText is empty) opens `target`
    // with `action` when tapped; drawn as plain text when there is nothing to open.
    void drawLinkedCaptionLine(QPainter* painter, const QString& caption, const QString& value,
                               const QString& linkText, int& y, int left, int captionWidth, int valueWidth,
                               int action, qvmListItem* target);
    // Picture box of rows and bodies: width and height for a row of the given width.
    static QSize pictureBox(int width);

private:
    qvmListItem(const qvmListItem&) = delete;
    qvmListItem& operator=(const qvmListItem&) = delete;
};
