#ifndef TESTARTWORK_H
#define TESTARTWORK_H

// Skin pictures for the tests, the benchmarks and the fuzz targets, drawn in code so that
// none of them needs picture files of its own. The pictures are plain QImages; an
// ArtworkFolder writes them as PNG files into a temporary folder for the properties that
// take paths.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QString>
#include <QTemporaryDir>

namespace TestArtwork {

// Every pixel in one colour.
inline QImage solid(const QSize &size, const QColor &colour,
                    QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(size, format);
    image.fill(colour);
    return image;
}

// Red grows to the right and green downwards over the whole picture, blue is fixed: every
// pixel differs from its neighbours, so a wrong source part or a stretch shows.
inline QImage gradient(const QSize &size, int blue = 90)
{
    QImage image(size, QImage::Format_ARGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y,
                                QColor(x * 255 / size.width(), y * 255 / size.height(), blue));
    return image;
}

// One colour with a one-pixel frame in a lighter shade of it.
inline QImage framed(const QSize &size, const QColor &colour)
{
    QImage image = solid(size, colour);
    QPainter painter(&image);
    painter.setPen(colour.lighter());
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

// The middle in one colour, the left and right `endWidth` columns in colours of their own.
inline QImage withEnds(const QSize &size, const QColor &middle, int endWidth, const QColor &left,
                       const QColor &right)
{
    QImage image = solid(size, middle, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, endWidth, size.height(), left);
    painter.fillRect(size.width() - endWidth, 0, endWidth, size.height(), right);
    return image;
}

// A checkerboard of single pixels, `even` where x + y is even.
inline QImage checker(const QSize &size, const QColor &even, const QColor &odd)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y, (x + y) % 2 ? odd : even);
    return image;
}

// Antialiased shapes on a transparent ground, as a designer's skin would have.
inline QImage roundRect(const QSize &size, const QColor &colour)
{
    QImage image = solid(size, Qt::transparent, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker());
    painter.drawRoundedRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    return image;
}

inline QImage ring(int side, const QColor &colour)
{
    QImage image = solid(QSize(side, side), Qt::transparent, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, side / 10.0));
    const double inset = side / 16.0;
    painter.drawEllipse(QRectF(image.rect()).adjusted(inset, inset, -inset, -inset));
    return image;
}

// A triangle pointing right.
inline QImage arrow(int side, const QColor &colour)
{
    QImage image = solid(QSize(side, side), Qt::transparent, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(
        QPolygonF({QPointF(side / 4.0, side / 4.0), QPointF(side * 0.75, side / 2.0),
                   QPointF(side / 4.0, side * 0.75)}));
    return image;
}

} // namespace TestArtwork

// A temporary folder of picture files, removed with the object.
class ArtworkFolder
{
public:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // Writes the picture as the PNG file `name` (a name ending in @2x.png is the picture
    // for a device-pixel ratio of 2) and returns its path. A folder that cannot be written
    // stops the program: every check after it would be about missing artwork.
    QString save(const QString &name, const QImage &image) const
    {
        const QString file = path(name);
        if (!m_dir.isValid() || !image.save(file, "PNG"))
            qFatal("cannot write the artwork %s", qPrintable(file));
        return file;
    }

    // An empty file under a picture's name, which no image reader accepts.
    QString saveBroken(const QString &name) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        return file.fileName();
    }

private:
    QTemporaryDir m_dir;
};

#endif // TESTARTWORK_H
