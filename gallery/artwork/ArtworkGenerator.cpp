// Paints the gallery's artwork and writes it as PNG files plus a Qt resource file.
//
// Every picture is drawn in artwork units, twice its size at zoom 1.0, and written
// twice: name.png at one device pixel per unit and name@2x.png at two.
//
// Usage: commonctrls-artwork <output folder>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <functional>
#include <vector>

namespace {

struct Artwork
{
    QString name;
    QSize size; // artwork units
    std::function<void(QPainter &, const QRectF &, int scale)> paint;
};

QLinearGradient vertical(const QRectF &r, const QColor &top, const QColor &bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A rounded face with a hairline rim: the body of every button picture.
void paintFace(QPainter &p, const QRectF &r, const QColor &top, const QColor &bottom,
               const QColor &rim, qreal radius = 12)
{
    p.setPen(QPen(rim, 2));
    p.setBrush(vertical(r, top, bottom));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), radius, radius);
}

void paintPlayGlyph(QPainter &p, const QPointF &centre, qreal size, const QColor &colour)
{
    QPainterPath triangle;
    triangle.moveTo(centre + QPointF(-size * 0.35, -size * 0.45));
    triangle.lineTo(centre + QPointF(size * 0.5, 0));
    triangle.lineTo(centre + QPointF(-size * 0.35, size * 0.45));
    triangle.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(triangle);
}

void paintRecordGlyph(QPainter &p, const QPointF &centre, qreal size, const QColor &colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, size * 0.4, size * 0.4);
}

void paintExportGlyph(QPainter &p, const QPointF &centre, qreal size, const QColor &colour)
{
    p.setPen(QPen(colour, size * 0.12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const qreal h = size * 0.45;
    p.drawLine(centre + QPointF(0, h * 0.6), centre + QPointF(0, -h));
    p.drawPolyline(QVector<QPointF>{centre + QPointF(-h * 0.6, -h * 0.4), centre + QPointF(0, -h),
                                    centre + QPointF(h * 0.6, -h * 0.4)});
    p.drawPolyline(QVector<QPointF>{centre + QPointF(-h, h * 0.1), centre + QPointF(-h, h),
                                    centre + QPointF(h, h), centre + QPointF(h, h * 0.1)});
}

void paintCheckGlyph(QPainter &p, const QPointF &centre, qreal size, const QColor &colour)
{
    p.setPen(QPen(colour, size * 0.16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QVector<QPointF>{centre + QPointF(-size * 0.32, 0),
                                    centre + QPointF(-size * 0.08, size * 0.26),
                                    centre + QPointF(size * 0.34, -size * 0.26)});
}

// Faint diagonal hatching: the mark of a control that cannot be used right now.
void paintHatch(QPainter &p, const QRectF &r)
{
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(r.adjusted(3, 3, -3, -3), 10, 10);
    p.setClipPath(clip);
    p.setPen(QPen(QColor(255, 255, 255, 18), 6));
    for (qreal x = r.left() - r.height(); x < r.right(); x += 18)
        p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
    p.restore();
}

using Glyph = void (*)(QPainter &, const QPointF &, qreal, const QColor &);

const QColor kGreyedMark(0x8a, 0x8e, 0x96);

// Disabled-state picture of a skinned control: a muted, hatched face inside a
// transparent frame (sideFrame units left and right, topFrame above and below) that the
// control leaves out when it draws the picture, and a greyed mark painted on the face.
Artwork disabledControl(const QString &name, const QSize &size, qreal sideFrame, qreal topFrame,
                        std::function<void(QPainter &, const QRectF &face)> mark)
{
    return {name, size, [=](QPainter &p, const QRectF &all, int) {
                const QRectF face = all.adjusted(sideFrame, topFrame, -sideFrame, -topFrame);
                paintFace(p, face, QColor(0x4a, 0x4e, 0x56), QColor(0x3b, 0x3e, 0x45),
                          QColor(0x5c, 0x60, 0x68), qMin<qreal>(12, face.height() / 3));
                paintHatch(p, face);
                if (mark)
                    mark(p, face);
            }};
}

// The push button's picture: an 8-unit frame (4 pixels at 100 %) and, optionally, a
// greyed glyph at the left where the enabled button shows its icon.
Artwork disabledButton(const QString &name, Glyph glyph)
{
    return disabledControl(name, QSize(256, 80), 8, 8, [glyph](QPainter &p, const QRectF &face) {
        if (glyph)
            glyph(p, QPointF(face.left() + 40, face.center().y()), 28, kGreyedMark);
    });
}

// Check box and radio button pictures are drawn whole, so they have no frame; the
// greyed indicator sits where the enabled control has its own.
Artwork disabledIndicator(const QString &name, bool round)
{
    return disabledControl(name, QSize(240, 48), 0, 0, [round](QPainter &p, const QRectF &face) {
        const QRectF box(face.left() + 10, face.center().y() - 14, 28, 28);
        p.setPen(QPen(kGreyedMark, 3));
        p.setBrush(Qt::NoBrush);
        if (round) {
            p.drawEllipse(box);
            p.setBrush(kGreyedMark);
            p.drawEllipse(box.center(), 6, 6);
        } else {
            p.drawRoundedRect(box, 5, 5);
            paintCheckGlyph(p, box.center(), 24, kGreyedMark);
        }
    });
}

// The combo box picture: a greyed field with the drop-down chevron at its right.
Artwork disabledCombo()
{
    return disabledControl(
        "disabled_combo", QSize(240, 56), 0, 8, [](QPainter &p, const QRectF &face) {
            const QPointF c(face.right() - 22, face.center().y());
            p.setPen(QPen(kGreyedMark, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(
                QVector<QPointF>{c + QPointF(-8, -4), c + QPointF(0, 4), c + QPointF(8, -4)});
        });
}

// A scroll button's arrow: a filled chevron pointing up or down.
Artwork arrow(const QString &name, bool up, const QColor &colour)
{
    return {name, QSize(24, 24), [=](QPainter &p, const QRectF &all, int) {
                const QPointF c = all.center();
                const qreal dy = up ? -1 : 1;
                p.setPen(Qt::NoPen);
                p.setBrush(colour);
                p.drawPolygon(QVector<QPointF>{c + QPointF(-9, -5 * dy), c + QPointF(9, -5 * dy),
                                               c + QPointF(0, 6 * dy)});
            }};
}

Artwork enabledButton(const QString &name, const QColor &top, const QColor &bottom,
                      const QColor &rim)
{
    return {name, QSize(240, 64), [=](QPainter &p, const QRectF &all, int) {
                paintFace(p, all, top, bottom, rim);
                p.setPen(QPen(QColor(255, 255, 255, 60), 2));
                p.drawLine(QPointF(14, 4), QPointF(all.right() - 14, 4)); // top highlight
            }};
}

Artwork icon(const QString &name, Glyph glyph, const QColor &colour)
{
    return {name, QSize(64, 64),
            [=](QPainter &p, const QRectF &all, int) { glyph(p, all.center(), 56, colour); }};
}

// The drop-down list's check mark in front of the current item: a bare tick, drawn
// once per row state so that it reads on both backgrounds.
Artwork listCheck(const QString &name, const QColor &colour)
{
    return {name, QSize(32, 32), [=](QPainter &p, const QRectF &all, int) {
                paintCheckGlyph(p, all.center(), 30, colour);
            }};
}

// The search field's clear button: a cross in a soft disc.
Artwork fieldClear()
{
    return {"field_clear", QSize(32, 32), [](QPainter &p, const QRectF &all, int) {
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0x5c, 0x62, 0x6d));
                p.drawEllipse(all.adjusted(1, 1, -1, -1));
                p.setPen(QPen(QColor(0xe6, 0xe9, 0xee), 3.5, Qt::SolidLine, Qt::RoundCap));
                const QPointF c = all.center();
                p.drawLine(c + QPointF(-6, -6), c + QPointF(6, 6));
                p.drawLine(c + QPointF(-6, 6), c + QPointF(6, -6));
            }};
}

// Shows which file the helpers picked: "1x" in the plain file, "2x" in the "@2x" one.
Artwork badge()
{
    return {"badge", QSize(96, 96), [](QPainter &p, const QRectF &all, int scale) {
                paintFace(p, all.adjusted(2, 2, -2, -2), QColor(0x2f, 0x8f, 0xe8),
                          QColor(0x1c, 0x5f, 0xb0), QColor(0x9c, 0xcb, 0xff), 20);
                QFont font;
                font.setPixelSize(40);
                font.setBold(true);
                p.setFont(font);
                p.setPen(Qt::white);
                p.drawText(all, Qt::AlignCenter, scale == 1 ? "1x" : "2x");
            }};
}

// Tiled behind the video: faint diagonal stripes on a dark ground.
Artwork paddingTile()
{
    return {"padding_tile", QSize(32, 32), [](QPainter &p, const QRectF &all, int) {
                p.fillRect(all, QColor(0x16, 0x19, 0x1f));
                p.setPen(QPen(QColor(0x2a, 0x2f, 0x38), 6));
                p.drawLine(all.bottomLeft() + QPointF(-8, 8), all.topRight() + QPointF(8, -8));
                p.drawLine(QPointF(-8, 8), QPointF(8, -8));
                p.drawLine(all.bottomRight() + QPointF(-8, 8), all.bottomRight() + QPointF(8, -8));
            }};
}

// What a player shows instead of video: a poster frame.
Artwork stillPicture()
{
    return {
        "still_picture", QSize(640, 360), [](QPainter &p, const QRectF &all, int) {
            QLinearGradient sky(all.topLeft(), all.bottomLeft());
            sky.setColorAt(0, QColor(0x1b, 0x3a, 0x6b));
            sky.setColorAt(1, QColor(0xe0, 0x8a, 0x4c));
            p.fillRect(all, sky);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xff, 0xe0, 0x8a));
            p.drawEllipse(QPointF(all.width() * 0.7, all.height() * 0.62), 46, 46);
            p.setBrush(QColor(0x20, 0x1a, 0x2a));
            p.drawPolygon(QVector<QPointF>{QPointF(0, 300), QPointF(160, 200), QPointF(300, 290),
                                           QPointF(430, 220), QPointF(640, 310), QPointF(640, 360),
                                           QPointF(0, 360)});
            QFont font;
            font.setPixelSize(40);
            font.setBold(true);
            p.setFont(font);
            p.setPen(Qt::white);
            p.drawText(all.adjusted(0, 30, 0, 0), Qt::AlignHCenter | Qt::AlignTop, "Still picture");
        }};
}

// The seek bar's groove: a dark track whose end caps lie outside the value range.
Artwork seekGroove()
{
    return {"seek_groove", QSize(96, 16), [](QPainter &p, const QRectF &all, int) {
                paintFace(p, all.adjusted(1, 2, -1, -2), QColor(0x3a, 0x3f, 0x48),
                          QColor(0x30, 0x34, 0x3c), QColor(0x4c, 0x52, 0x5c), 6);
                p.setPen(Qt::NoPen);
                p.setBrush(QColor(0x8a, 0x90, 0x9a));
                p.drawEllipse(QPointF(12, 8), 3, 3); // the caps
                p.drawEllipse(QPointF(all.width() - 12, 8), 3, 3);
            }};
}

// What lies between the usable values: a bright fill with a light rim.
Artwork seekTrimRange()
{
    return {"seek_trim_range", QSize(32, 16), [](QPainter &p, const QRectF &all, int) {
                paintFace(p, all.adjusted(0, 2, 0, -2), QColor(0x5a, 0xa8, 0xff),
                          QColor(0x2d, 0x74, 0xcc), QColor(0xa5, 0xcf, 0xff), 6);
            }};
}

// A trim handle: a bracket that opens towards the kept range.
Artwork trimHandle(const QString &name, bool left)
{
    return {name, QSize(24, 36), [left](QPainter &p, const QRectF &all, int) {
                const qreal inner = left ? all.right() - 3 : all.left() + 3;
                const qreal outer = left ? all.left() + 6 : all.right() - 6;
                QPainterPath bracket;
                bracket.moveTo(inner, 2);
                bracket.lineTo(outer, 2);
                bracket.quadTo(left ? all.left() + 2 : all.right() - 2, 2,
                               left ? all.left() + 2 : all.right() - 2, 8);
                bracket.lineTo(left ? all.left() + 2 : all.right() - 2, 28);
                bracket.quadTo(left ? all.left() + 2 : all.right() - 2, 34, outer, 34);
                bracket.lineTo(inner, 34);
                bracket.closeSubpath();
                p.setPen(QPen(QColor(0xff, 0xd2, 0x8a), 2));
                p.setBrush(QColor(0xf0, 0x8c, 0x28));
                p.drawPath(bracket);
            }};
}

// The progress bar's skins: a sunken track and a glossy fill, nine-sliced by the bar.
Artwork progressSkin(const QString &name, bool fill)
{
    return {name, QSize(64, 32), [fill](QPainter &p, const QRectF &all, int) {
                if (fill)
                    paintFace(p, all.adjusted(2, 2, -2, -2), QColor(0x6a, 0xb4, 0xff),
                              QColor(0x1f, 0x6a, 0xd0), QColor(0xb4, 0xd8, 0xff), 12);
                else
                    paintFace(p, all, QColor(0x1a, 0x1d, 0x22), QColor(0x2a, 0x2f, 0x37),
                              QColor(0x45, 0x4b, 0x55), 14);
            }};
}

// The circle indicator's layers: a soft disc under everything, a grey ring and the
// coloured ring that the sector reveals. The ring's size passes the zoom rule twice,
// so it is drawn at four times its size at 100 %.
Artwork circleLayer(const QString &name, int layer, int size)
{
    return {name, QSize(size, size), [layer](QPainter &p, const QRectF &all, int) {
                const QPointF c = all.center();
                const qreal unit = all.width() / 320; // drawn for 320, scaled to the size
                if (layer == 0) {
                    QRadialGradient glow(c, all.width() / 2);
                    glow.setColorAt(0, QColor(0x2f, 0x6f, 0xc2, 120));
                    glow.setColorAt(1, QColor(0x2f, 0x6f, 0xc2, 0));
                    p.setPen(Qt::NoPen);
                    p.setBrush(glow);
                    p.drawEllipse(all);
                    return;
                }
                QConicalGradient sweep(c, 90);
                sweep.setColorAt(0, QColor(0x5a, 0xe0, 0xff));
                sweep.setColorAt(1, QColor(0x2d, 0x74, 0xcc));
                p.setPen(QPen(layer == 1 ? QBrush(QColor(0x3a, 0x3f, 0x48)) : QBrush(sweep),
                              36 * unit, Qt::SolidLine, Qt::FlatCap));
                p.setBrush(Qt::NoBrush);
                p.drawEllipse(c, 130 * unit, 130 * unit);
            }};
}

std::vector<Artwork> catalogue()
{
    return {
        enabledButton("button_normal", QColor(0x3d, 0x8b, 0xe0), QColor(0x23, 0x64, 0xb8),
                      QColor(0x7d, 0xb6, 0xf5)),
        enabledButton("button_hover", QColor(0x55, 0x9e, 0xef), QColor(0x2d, 0x74, 0xcc),
                      QColor(0xa5, 0xcf, 0xff)),
        enabledButton("button_pressed", QColor(0x1d, 0x56, 0xa0), QColor(0x2a, 0x6c, 0xc0),
                      QColor(0x5d, 0x96, 0xd5)),
        disabledButton("disabled_plain", nullptr),
        disabledButton("disabled_play", paintPlayGlyph),
        disabledButton("disabled_record", paintRecordGlyph),
        disabledButton("disabled_export", paintExportGlyph),
        disabledIndicator("disabled_check", false),
        disabledIndicator("disabled_radio", true),
        disabledControl("disabled_tool", QSize(200, 56), 6, 6, nullptr),
        disabledCombo(),
        arrow("arrow_up", true, QColor(0xe6, 0xe9, 0xee)),
        arrow("arrow_down", false, QColor(0xe6, 0xe9, 0xee)),
        arrow("arrow_up_disabled", true, QColor(0x5c, 0x60, 0x68)),
        arrow("arrow_down_disabled", false, QColor(0x5c, 0x60, 0x68)),
        icon("icon_play", paintPlayGlyph, Qt::white),
        icon("icon_record", paintRecordGlyph, QColor(0xff, 0x5a, 0x5a)),
        icon("icon_export", paintExportGlyph, Qt::white),
        icon("check_mark", paintCheckGlyph, Qt::white),
        listCheck("list_check", QColor(0x5a, 0xa8, 0xff)),
        listCheck("list_check_hover", Qt::white),
        fieldClear(),
        badge(),
        paddingTile(),
        stillPicture(),
        seekGroove(),
        seekTrimRange(),
        trimHandle("trim_left", true),
        trimHandle("trim_right", false),
        progressSkin("progress_background", false),
        progressSkin("progress_fill", true),
        circleLayer("circle_mask", 0, 320),
        circleLayer("circle_bg", 1, 320),
        circleLayer("circle_progress", 2, 320),
        circleLayer("circle_mask_small", 0, 200),
        circleLayer("circle_bg_small", 1, 200),
        circleLayer("circle_progress_small", 2, 200),
    };
}

bool write(const Artwork &art, int scale, const QString &path)
{
    QImage image(art.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    art.paint(painter, QRectF(QPointF(0, 0), QSizeF(art.size)), scale);
    painter.end();
    return image.save(path);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen"); // text needs a platform, never a display
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: commonctrls-artwork <output folder>\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path()))
        return 1;

    QFile qrc(out.filePath("artwork.qrc"));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    QTextStream list(&qrc);
    list << "<RCC>\n  <qresource prefix=\"/artwork\">\n";
    for (const Artwork &art : catalogue()) {
        for (int scale : {1, 2}) {
            const QString file = art.name + (scale == 1 ? ".png" : "@2x.png");
            if (!write(art, scale, out.filePath(file)))
                return 1;
            list << "    <file>" << file << "</file>\n";
        }
    }
    list << "  </qresource>\n</RCC>\n";
    return 0;
}
