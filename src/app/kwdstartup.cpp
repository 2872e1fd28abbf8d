#include "kwdstartup.h"

#include "kwddatabase.h"
#include "kwdfavorites.h"
#include "kwdlog.h"
#include "kwdsplash.h"
#include "kwdstartupprefetch.h"
#include "kwdstore.h"
#include "kwdtheme.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QNetworkProxyFactory>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>
#include <QTranslator>

#include <memory>

namespace {

// Closes and deletes the splash screen once the main window has painted for the first time, so
// that start-up never blocks waiting for the window to appear.
class SplashCloser : public QObject
{
public:
    SplashCloser(QWidget* window, kwdSplash* splash) : QObject(window), splash(splash)
    {
        window->installEventFilter(this);
    }
    ~SplashCloser() override { delete splash; }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            splash->close();
            // After this paint, not inside it.
            deleteLater();
        }
        return false;
    }

private:
    kwdSplash* splash;
};

} // namespace

int kwdStartup::selfCheck(QApplication* app, QTextStream& out)
{
    bool ok = true;
    auto report = [&](const char* name, const QString& path, bool found) {
        out << name << ": " << (found ? QDir::toNativeSeparators(path) : QStringLiteral("missing")) << '\n';
        ok = ok && found;
    };
    const QString cities = kwdStore::appFile(QStringLiteral("citylist.xml"));
    report("citylist", cities, QFileInfo(cities).isReadable());
    const QString skin = kwdTheme::instance()->skinDir();
    report("skin", skin, QFileInfo(skin + QStringLiteral("/style.css")).isReadable());
    const QString catalogue = kwdStore::appFile(QStringLiteral("kwdpersonal_zh.qm"));
    // Loaded, not only present: a file that is not a catalogue fails here.
    report("catalogue", catalogue,
           installCatalogue(app) &&
               QCoreApplication::translate("TitleBar", "GoBack") != QLatin1String("GoBack"));
    out.flush();
    return ok ? 0 : 1;
}

MainWindow* kwdStartup::start(QApplication* app, kwdStartupPrefetch* prefetch)
{
    // QT_LOGGING_RULES="kwd.startup.debug=true" prints each step's time: what start-up spends, on
    // any machine.
    QElapsedTimer clock;
    clock.start();
    auto step = [&](const char* name) {
        qCDebug(kwdStartupLog, "startup %-12s %6.1f ms", name, clock.nsecsElapsed() / 1e6);
        clock.restart();
    };
    // The demo and the tests reach the local service as an HTTP proxy (http_proxy).
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    QCoreApplication::addLibraryPath(kwdStore::appFile(QStringLiteral("plugins")));
    std::unique_ptr<kwdStartupPrefetch> ownPrefetch;
    if (!prefetch) {
        ownPrefetch = std::make_unique<kwdStartupPrefetch>();
        prefetch = ownPrefetch.get();
    }
    prefetch->applicationReady();
    // Unhinted text: FreeType's auto-hinter first studies a Chinese face for several milliseconds
    // of start-up, and its light hinting does not visibly change these glyphs at the skin's sizes.
    QFont font = QApplication::font();
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
    installCatalogue(app);
    step("catalogue");

    auto* splash = new kwdSplash;
    splash->showFullScreen();
    app->processEvents();
    splash->showMessage(QString::fromUtf8("正在检测数据库..."));
    step("splash");

    openDatabase(splash);
    step("database");
    kwdStore::instance()->load();
    // Read with the store, as the favourite page and every detail's star ask for them.
    kwdFavorites::instance();
    splash->showMessage(QString::fromUtf8("正在加载数据..."));
    step("store");

    prefetch->wait();
    step("prefetch");
    // The prefetch has freed the other core: the images of the first paint decode there while the
    // window is made (the tray icon first, the search page's picture last).
    kwdTheme::instance()->decodeAhead({kwdTheme::AppIcon, kwdTheme::RedBg2, kwdTheme::Logo1,
                                       kwdTheme::NavIcon0, kwdTheme::NavIcon0 + 1, kwdTheme::NavIcon0 + 2,
                                       kwdTheme::PushHouseIcon, kwdTheme::LeftArrow, kwdTheme::IndexPic});
    // The style sheet goes in before the window's widgets exist, so that each is styled once as it is
    // made; the window's pages are made in the parents they keep (a move would style them again).
    installStyleSheet(app, kwdTheme::instance()->skinDir());
    step("stylesheet");
    auto* window = new MainWindow;
    step("window");
    window->resize(360, 640);
    window->restoreWindowGeometry();
    window->show();
    step("show");
    new SplashCloser(window, splash);
    return window;
}

bool kwdStartup::installCatalogue(QApplication* app)
{
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("kwdpersonal_zh"),
                          QFileInfo(kwdStore::appFile(QStringLiteral("kwdpersonal_zh.qm"))).path())) {
        qWarning("failed to load kwdpersonal_zh.qm");
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    // Qt's own texts (standard buttons, dialogs, network errors) in the same language as ours; a
    // missing Qt catalogue leaves them in English but is no reason to fail.
    auto* qtTranslator = new QTranslator(app);
    if (qtTranslator->load(QStringLiteral("qtbase_zh_CN"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTranslator);
    else
        delete qtTranslator;
    return true;
}

bool kwdStartup::openDatabase(kwdSplash* splash)
{
    const QString path = QDir::toNativeSeparators(kwdStore::instance()->dataPath() + QDir::separator() +
                                                  QStringLiteral("kwdpersonal.db.sqlite"));
    kwdDatabase* db = kwdDatabase::instance();
    if (db->open(path))
        return true;
    if (splash) {
        splash->showMessage(QString::fromUtf8("本地数据库不可用...") + QLatin1Char('\n') + db->errorText());
        // Long enough to be read; start-up goes on without a database.
        QThread::msleep(600);
    }
    return false;
}

bool kwdStartup::installStyleSheet(QApplication* app, const QString& skinDir)
{
    QFile file(QDir::toNativeSeparators(skinDir + QStringLiteral("/style.css")));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("failed to load style.css");
        return false;
    }
    const QString css = QString::fromUtf8(file.readAll());
    app->setStyleSheet(expandStyleSheet(css, skinDir));
    return true;
}

QString kwdStartup::expandStyleSheet(const QString& css, const QString& skinDir)
{
    // url() in a style sheet wants forward slashes and an absolute path, whatever the working directory.
    const QString dir = QDir::fromNativeSeparators(QDir(skinDir).absolutePath());
    static const QRegularExpression placeholder(QStringLiteral("%currentPath%"),
                                                QRegularExpression::CaseInsensitiveOption);
    QString out = css;
    out.replace(placeholder, dir);
    return out;
}
