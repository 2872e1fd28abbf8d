#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Draws the sample photographs: a small room or street scene whose layout and colours follow
// from the record, so the same address always gives the same JPEG.
class kwdPicturePainter
{
public:
    static const int bigWidth = 640;
    static const int bigHeight = 480;
    static const int smallWidth = 160;
    static const int smallHeight = 120;

    // kind: "forsale", "lease" (rooms), "ha", "district", "street" (buildings), "co" (a shop front).
    static QImage render(const QString& kind, const QString& id, int n, bool big);
    static QByteArray jpeg(const QString& kind, const QString& id, int n, bool big);

private:
    static void paintRoom(QImage& image, quint64 seed, int n);
    static void paintBuildings(QImage& image, quint64 seed);
    static void paintShop(QImage& image, quint64 seed);
};
