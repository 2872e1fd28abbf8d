#include "kwdtestenvironment.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QtTest>

// The screenshot tour as the demo runs it: the real program walked through a search against the
// local service, the contact panel, the favourites page, then the system menu, the publication of a
// listing and the new-listing push. Every step must reach its page and leave a picture of the whole
// window.
class TestTour : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        outDir = kwdTestEnvironment::outputDir(QStringLiteral("tour"));
        QDir dir(outDir);
        for (const QString& old : dir.entryList({QStringLiteral("*.png")}, QDir::Files))
            dir.remove(old);
        QProcess tour;
        tour.setProcessChannelMode(QProcess::MergedChannels);
        tour.start(QCoreApplication::applicationDirPath() + QStringLiteral("/kwd-tour"), {outDir});
        QVERIFY2(tour.waitForStarted(10000), "kwd-tour did not start");
        QVERIFY2(tour.waitForFinished(240000), "kwd-tour did not finish");
        output = QString::fromLocal8Bit(tour.readAll());
        exitCode = tour.exitStatus() == QProcess::NormalExit ? tour.exitCode() : -1;
    }

    void everyStepHasItsPicture_data()
    {
        // The tool stops at the first step that does not reach its page and says which.
        QVERIFY2(exitCode == 0, qPrintable(output));
        QTest::addColumn<QString>("file");
        const QStringList files =
            QDir(outDir).entryList({QStringLiteral("[0-9][0-9]-*.png")}, QDir::Files, QDir::Name);
        QVERIFY2(files.size() > 50, qPrintable(output));
        for (int i = 0; i < files.size(); ++i) {
            // Numbered from 01 without a gap: no step was skipped.
            QVERIFY2(files.at(i).startsWith(QStringLiteral("%1-").arg(i + 1, 2, 10, QLatin1Char('0'))),
                     qPrintable(files.at(i)));
            QTest::newRow(qPrintable(files.at(i))) << files.at(i);
        }
    }

    void everyStepHasItsPicture()
    {
        QFETCH(QString, file);
        const QImage image(QDir(outDir).filePath(file));
        QVERIFY2(!image.isNull(), qPrintable(file));
        QCOMPARE(image.size(), QSize(360, 640));
        // A real picture, not an empty window: more than one colour in it.
        const QColor first = image.pixelColor(0, image.height() / 2);
        bool varied = false;
        for (int y = 0; y < image.height() && !varied; y += 7) {
            for (int x = 0; x < image.width() && !varied; x += 5)
                varied = image.pixelColor(x, y) != first;
        }
        QVERIFY(varied);
    }

private:
    QString outDir;
    QString output;
    int exitCode = -1;
};

KWD_TEST_MAIN(TestTour)
#include "tst_tour.moc"
