#pragma once

#include <QList>
#include <QMap>
#include <QPixmap>
#include <QString>

#include <memory>

class QPainter;
class QRect;

// The skin image cache: numbered theme images and category icons under skin/default, loaded on
// first request and kept for the life of the program. A missing file gives a null pixmap.
class kwdTheme
{
public:
    enum Image
    {
        Empty = 0,
        Gps = 1,
        LeftArrow = 2,
        Info = 3,
        Scroll = 4,
        Logo1 = 5,
        Logo2 = 6,
        HorBar = 7,
        RedBg1 = 8,
        RedBg2 = 9,
        IndexPic = 10,
        Phone = 11,
        DownArrow = 12,
        CallMe = 13,
        Downloading = 14,
        Close = 15,
        NavIcon0 = 16,
        PushHouseIcon = 21,
        NewHouse = 22,
        AppIcon = 23,
        LeftArrowPressed = 24,
        SupplyDot = 25,
        DemandDot = 26,
    };

    static kwdTheme* instance();

    // The skin directory (absolute); defaults to skin/default next to the program.
    QString skinDir() const { return baseDir; }
    // Points the cache at another skin directory and forgets what was loaded (tests, other skins).
    void setSkinDir(const QString& dir);

    QPixmap image(int no);
    // Decodes images `numbers` on a pool thread, in that order, while the caller goes on; image()
    // takes a decoded one, or waits for one still being decoded. Start-up hands over what the first
    // paint draws, so that the PNG decoding runs on the other core while the window is made.
    void decodeAhead(const QList<int>& numbers);
    // Image `no`'s size, read from the file's header when the image is not loaded yet; invalid for a
    // missing file. Sizing needs no decoding.
    QSize imageSize(int no);
    QPixmap categoryIcon(const QString& name);
    void drawTiled(QPainter* painter, const QRect& r, int no);

    // File name of image `no` relative to the skin directory, empty for an unknown number.
    static QString imageFile(int no);

private:
    kwdTheme();

    struct Ahead;

    QString baseDir;
    std::shared_ptr<Ahead> ahead;
    QMap<int, QPixmap> images;
    QMap<QString, QPixmap> icons;
};
