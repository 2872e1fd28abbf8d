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
    void initTestCase();
    void everyStepHasItsPicture_data();
    void everyStepHasItsPicture();

private:
    QString outDir;
    QString output;
    int exitCode = -1;
};

void TestTour::initTestCase()
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

void TestTour::everyStepHasItsPicture_data()
{
    QTest::addColumn<QString>("file");
    const QStringList steps = {
        QStringLiteral("area"),
        QStringLiteral("sale-list"),
        QStringLiteral("scrolled"),
        QStringLiteral("end-of-page"),
        QStringLiteral("load-more"),
        QStringLiteral("detail"),
        QStringLiteral("pictures"),
        QStringLiteral("picture-enlarged"),
        QStringLiteral("picture-closed"),
        QStringLiteral("back-to-detail"),
        QStringLiteral("district"),
        QStringLiteral("back-to-list"),
        QStringLiteral("keys-list-focus"),
        QStringLiteral("keys-detail-opened"),
        QStringLiteral("keys-back"),
        QStringLiteral("condition-form"),
        QStringLiteral("refined-list"),
        QStringLiteral("lease-list"),
        QStringLiteral("housing-area-list"),
        QStringLiteral("housing-area-detail"),
        QStringLiteral("contact-numbers"),
        QStringLiteral("contact-buttons"),
        QStringLiteral("contact-sms"),
        QStringLiteral("contact-add"),
        QStringLiteral("contact-call"),
        QStringLiteral("around-locating"),
        QStringLiteral("around-address"),
        QStringLiteral("around-sale-list"),
        QStringLiteral("around-condition"),
        QStringLiteral("around-back-to-list"),
        QStringLiteral("around-back-to-form"),
        QStringLiteral("guide-prices-start"),
        QStringLiteral("guide-prices-1km"),
        QStringLiteral("guide-prices-3km"),
        QStringLiteral("guide-compounds"),
        QStringLiteral("guide-compound-detail"),
        QStringLiteral("guide-rents-3km"),
        QStringLiteral("favorite-star-sale"),
        QStringLiteral("favorite-star-lease"),
        QStringLiteral("favorites-sale"),
        QStringLiteral("favorites-lease"),
        QStringLiteral("favorites-housing-area"),
        QStringLiteral("favorite-opened"),
        QStringLiteral("favorite-unstarred"),
        QStringLiteral("favorite-back"),
        QStringLiteral("system-menu"),
        QStringLiteral("about"),
        QStringLiteral("update-latest"),
        QStringLiteral("update-found"),
        QStringLiteral("notice"),
        QStringLiteral("prize-counts"),
        QStringLiteral("prize-won"),
        QStringLiteral("publish-login"),
        QStringLiteral("publish-form"),
        QStringLiteral("publish-filled"),
        QStringLiteral("publish-success"),
        QStringLiteral("publish-in-list"),
        QStringLiteral("publish-logout"),
        QStringLiteral("push-form"),
        QStringLiteral("push-popup"),
        QStringLiteral("push-page"),
        QStringLiteral("push-cancelled"),
        QStringLiteral("close-prompt-no-tray"),
    };
    for (int i = 0; i < steps.size(); ++i) {
        const QString file = QStringLiteral("%1-%2.png").arg(i + 1, 2, 10, QLatin1Char('0')).arg(steps.at(i));
        QTest::newRow(qPrintable(steps.at(i))) << file;
    }
}

void TestTour::everyStepHasItsPicture()
{
    QFETCH(QString, file);
    // The tool stops at the first step that does not reach its page and says which.
    QVERIFY2(exitCode == 0, qPrintable(output));
    const QImage image(QDir(outDir).filePath(file));
    QVERIFY2(!image.isNull(), qPrintable(file + QStringLiteral(" is missing\n") + output));
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

KWD_TEST_MAIN(TestTour)
#include "tst_tour.moc"
