// What choosing a listing's photo costs on the GUI thread: decoding a camera-sized picture,
// scaling it to 640x480 and encoding the JPEG, then building the upload body around it.
#include "kwdphotoupload.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {
QByteArray cameraPicture(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    // Gradients and edges, so that the JPEG is not trivially small.
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor(40, 90, 160));
    g.setColorAt(1, QColor(230, 200, 150));
    p.fillRect(image.rect(), g);
    for (int i = 0; i < 40; ++i)
        p.fillRect(
            QRect(i * size.width() / 40, (i * 37) % size.height(), size.width() / 50, size.height() / 4),
            QColor::fromHsv((i * 23) % 360, 160, 200));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 90);
    return bytes;
}
} // namespace

class BenchPublish : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encodePhoto_data();
    void encodePhoto();
    void uploadBody();
};

void BenchPublish::encodePhoto_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("640x480") << QSize(640, 480);
    QTest::newRow("1600x1200") << QSize(1600, 1200);
    QTest::newRow("4000x3000") << QSize(4000, 3000);
}

void BenchPublish::encodePhoto()
{
    QFETCH(QSize, size);
    const QByteArray file = cameraPicture(size);
    QByteArray jpeg;
    QString error;
    QBENCHMARK
    {
        QVERIFY(kwdPhotoUpload::encode(file, &jpeg, &error));
    }
    qInfo("file %lld bytes, photo sent %lld bytes", qint64(file.size()), qint64(jpeg.size()));
}

void BenchPublish::uploadBody()
{
    QByteArray jpeg;
    QString error;
    QVERIFY(kwdPhotoUpload::encode(cameraPicture(QSize(1600, 1200)), &jpeg, &error));
    QByteArray body;
    QBENCHMARK
    {
        body = kwdPhotoUpload::body(QStringLiteral("/home/user/Pictures/房源 1.jpg"),
                                    QStringLiteral("D202612080001"), QStringLiteral("demo"),
                                    QStringLiteral("62cc2d8b4bf2d8728120d052163a77df"), jpeg);
    }
    qInfo("upload body %lld bytes", qint64(body.size()));
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    BenchPublish bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_publish.moc"
