#include "kwdtheme.h"

#include "kwdstore.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QRect>
#include <QStringList>
#include <QThreadPool>

#include <condition_variable>
#include <mutex>

namespace {

const char* const kImageFiles[] = {
    "theme/empty.png",      "theme/gps.png",           "theme/leftarrow.png",   "theme/info.png",
    "theme/scroll.png",     "theme/logo1.png",         "theme/logo2.png",       "theme/horbar.png",
    "theme/red_bg1.png",    "theme/red_bg2.png",       "theme/index_pic.png",   "theme/phone.png",
    "theme/downarrow.png",  "theme/callme.png",        "theme/downloading.png", "theme/close.png",
    "theme/kwdicon_03.png", "theme/kwdicon_06.png",    "theme/kwdicon_08.png",  "theme/kwdicon_12.png",
    "theme/kwdicon_12.png", "theme/pushhouseicon.png", "theme/newhouse.png",    "theme/kwdpersonal.png",
    "theme/leftarrowh.png", "theme/supplydot.png",     "theme/demanddot.png",
};
constexpr int kImageCount = int(sizeof(kImageFiles) / sizeof(kImageFiles[0]));

// The format is the file's suffix: probing the content would load every image plug-in at start-up.
void prepareReader(QImageReader& reader, const QString& path)
{
    reader.setFileName(path);
    reader.setFormat(QFileInfo(path).suffix().toLatin1());
    reader.setAutoDetectImageFormat(false);
}

QPixmap readPixmap(const QString& path)
{
    QImageReader reader;
    prepareReader(reader, path);
    return QPixmap::fromImage(reader.read());
}

// Decoded and already in the layout a raster pixmap keeps, so that the GUI thread only wraps it.
QImage readPixmapImage(const QString& path)
{
    QImageReader reader;
    prepareReader(reader, path);
    QImage image = reader.read();
    if (image.isNull())
        return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
}

// Category names of places, in the order of their icon files below.
const QStringList& categoryNames()
{
    static const QStringList names = {
        QStringLiteral("楼盘小区"), QStringLiteral("商业"),     QStringLiteral("医疗"),
        QStringLiteral("教育"),     QStringLiteral("宾馆"),     QStringLiteral("餐饮娱乐"),
        QStringLiteral("公共场所"), QStringLiteral("站场码头"), QStringLiteral("服务"),
        QStringLiteral("地名"),     QStringLiteral("其他"),
    };
    return names;
}

const char* const kCategoryFiles[] = {
    "theme/hotel.png",   "theme/shangye.png", "theme/medic.png",   "theme/edu.png",
    "theme/hotel.png",   "theme/canyin.png",  "theme/gongong.png", "theme/matou.png",
    "theme/service.png", "theme/diming.png",  "theme/other.png",
};

} // namespace

// Images handed to the pool thread: those not yet taken by image(), and those decoded so far.
struct kwdTheme::Ahead
{
    std::mutex lock;
    std::condition_variable decoded;
    QList<int> pending;
    QMap<int, QImage> done;
};

kwdTheme* kwdTheme::instance()
{
    // Lives until the end of the program: pixmaps drawn by any widget come from here.
    static kwdTheme* theme = new kwdTheme;
    return theme;
}

kwdTheme::kwdTheme() : baseDir(kwdStore::appFile(QStringLiteral("skin/default"))) {}

void kwdTheme::setSkinDir(const QString& dir)
{
    baseDir = QDir(dir).absolutePath();
    // Images still decoding come from the old directory; their thread keeps its own state alive.
    ahead.reset();
    images.clear();
    icons.clear();
}

QString kwdTheme::imageFile(int no)
{
    if (no < 0 || no >= kImageCount)
        return QString();
    return QLatin1String(kImageFiles[no]);
}

void kwdTheme::decodeAhead(const QList<int>& numbers)
{
    auto state = std::make_shared<Ahead>();
    QList<QString> files;
    for (int no : numbers) {
        const QString file = imageFile(no);
        if (file.isEmpty() || images.contains(no) || state->pending.contains(no))
            continue;
        state->pending << no;
        files << baseDir + QLatin1Char('/') + file;
    }
    if (state->pending.isEmpty())
        return;
    const QList<int> order = state->pending;
    ahead = state;
    QThreadPool::globalInstance()->start([state, order, files] {
        for (qsizetype i = 0; i < order.size(); ++i) {
            QImage image = readPixmapImage(files.at(i));
            std::lock_guard<std::mutex> guard(state->lock);
            state->done.insert(order.at(i), std::move(image));
            state->decoded.notify_all();
        }
    });
}

QPixmap kwdTheme::image(int no)
{
    auto it = images.constFind(no);
    if (it != images.constEnd())
        return it.value();
    QPixmap pixmap;
    if (ahead && ahead->pending.contains(no)) {
        QImage image;
        {
            std::unique_lock<std::mutex> guard(ahead->lock);
            ahead->decoded.wait(guard, [&] { return ahead->done.contains(no); });
            image = ahead->done.take(no);
            ahead->pending.removeOne(no);
        }
        if (ahead->pending.isEmpty())
            ahead.reset();
        pixmap = QPixmap::fromImage(std::move(image));
    } else {
        const QString file = imageFile(no);
        if (!file.isEmpty())
            pixmap = readPixmap(baseDir + QLatin1Char('/') + file);
    }
    images.insert(no, pixmap);
    return pixmap;
}

QSize kwdTheme::imageSize(int no)
{
    auto it = images.constFind(no);
    if (it != images.constEnd())
        return it.value().size();
    const QString file = imageFile(no);
    if (file.isEmpty())
        return QSize();
    QImageReader reader;
    prepareReader(reader, baseDir + QLatin1Char('/') + file);
    return reader.size();
}

QPixmap kwdTheme::categoryIcon(const QString& name)
{
    auto it = icons.constFind(name);
    if (it != icons.constEnd())
        return it.value();
    const int pos = categoryNames().indexOf(name);
    if (pos < 0)
        return QPixmap();
    const QPixmap pixmap = readPixmap(baseDir + QLatin1Char('/') + QLatin1String(kCategoryFiles[pos]));
    icons.insert(name, pixmap);
    return pixmap;
}

void kwdTheme::drawTiled(QPainter* painter, const QRect& r, int no)
{
    const QPixmap pixmap = image(no);
    if (pixmap.isNull() || r.height() <= 0 || r.width() <= 0)
        return;
    const int tileWidth = pixmap.width() * r.height() / pixmap.height();
    // A very flat rectangle can make the scaled tile zero pixels wide; it would never cover anything.
    if (tileWidth <= 0)
        return;
    const QPixmap tile =
        pixmap.scaled(tileWidth, r.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int x = r.left(); x < r.left() + r.width(); x += tileWidth)
        painter->drawPixmap(x, r.top(), tile);
}
