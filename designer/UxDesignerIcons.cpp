#include "UxDesignerTable.h"

#include <QPainter>
#include <QPixmap>

#include <map>

// Each glyph is a short list of marks on a 24x24 grid; one painter draws any of them.

namespace {

enum class Shape {
    Box,      // x, y, width, height
    RoundBox, // x, y, width, height, corner radius
    Ellipse,  // x, y, width, height
    Arc,      // x, y, width, height, start and span in degrees, counter-clockwise
    Open,     // x1, y1, x2, y2, ...: a line through the points
    Closed,   // x1, y1, x2, y2, ...: a filled polygon
};

enum class Ink { None, Line, Face, Accent, Screen, Muted };

struct Mark
{
    Shape shape;
    Ink fill;
    Ink stroke;
    std::vector<qreal> v;
    qreal penWidth = 1.5;
    bool dotted = false;
};

QColor colour(Ink ink)
{
    switch (ink) {
    case Ink::Line:
        return QColor(0x3a, 0x44, 0x50);
    case Ink::Face:
        return QColor(0xf2, 0xf4, 0xf7);
    case Ink::Accent:
        return QColor(0x2e, 0x7b, 0xd6);
    case Ink::Screen:
        return QColor(0x1d, 0x22, 0x28);
    case Ink::Muted:
        return QColor(0x98, 0xa2, 0xad);
    case Ink::None:
        break;
    }
    return Qt::transparent;
}

const Mark kVideoScreen = {Shape::Box, Ink::Screen, Ink::None, {2, 4, 20, 16}};
const Mark kPlayTriangle = {Shape::Closed, Ink::Face, Ink::None, {10, 9.5, 10, 14.5, 14.5, 12}};

const std::map<UxGlyph, std::vector<Mark>> &glyphs()
{
    static const std::map<UxGlyph, std::vector<Mark>> table = {
        {UxGlyph::PushButton,
         {{Shape::RoundBox, Ink::Face, Ink::Line, {2, 7, 20, 10, 3}},
          {Shape::Open, Ink::None, Ink::Muted, {7, 12, 17, 12}, 2}}},
        {UxGlyph::CheckBox,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 7, 10, 10}},
          {Shape::Open, Ink::None, Ink::Accent, {4, 12, 6.5, 14.5, 10.5, 9}, 2},
          {Shape::Open, Ink::None, Ink::Muted, {14, 12, 22, 12}, 2}}},
        {UxGlyph::RadioButton,
         {{Shape::Ellipse, Ink::Face, Ink::Line, {2, 7, 10, 10}},
          {Shape::Ellipse, Ink::Accent, Ink::None, {4.5, 9.5, 5, 5}},
          {Shape::Open, Ink::None, Ink::Muted, {14, 12, 22, 12}, 2}}},
        {UxGlyph::ToolButton,
         {{Shape::RoundBox, Ink::Face, Ink::Line, {2, 5, 20, 14, 2}},
          {Shape::Box, Ink::Accent, Ink::None, {5, 8, 8, 8}},
          {Shape::Open, Ink::None, Ink::Muted, {15, 12, 19, 12}, 2}}},
        {UxGlyph::ArrowButton,
         {{Shape::RoundBox, Ink::Face, Ink::Line, {4, 4, 16, 16, 2}},
          {Shape::Closed, Ink::Accent, Ink::None, {14.5, 7, 14.5, 17, 8.5, 12}}}},
        {UxGlyph::ComboBox,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 7, 20, 10}},
          {Shape::Open, Ink::None, Ink::Muted, {5, 12, 12, 12}, 2},
          {Shape::Closed, Ink::Line, Ink::None, {15, 10.5, 20, 10.5, 17.5, 13.5}}}},
        {UxGlyph::DropDownList,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 2, 20, 8}},
          {Shape::Closed, Ink::Line, Ink::None, {15, 5, 20, 5, 17.5, 8}},
          {Shape::Box, Ink::Face, Ink::Line, {2, 11, 20, 11}},
          {Shape::Open, Ink::None, Ink::Accent, {4, 16.5, 6, 18.5, 9, 14}, 1.8},
          {Shape::Open, Ink::None, Ink::Muted, {11, 16.5, 19, 16.5}, 2}}},
        {UxGlyph::ProgressBar,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 9, 20, 6}},
          {Shape::Box, Ink::Accent, Ink::Line, {2, 9, 12, 6}}}},
        {UxGlyph::Ring,
         {{Shape::Ellipse, Ink::None, Ink::Muted, {4, 4, 16, 16}, 3.5},
          {Shape::Arc, Ink::None, Ink::Accent, {4, 4, 16, 16, 90, -250}, 3.5}}},
        {UxGlyph::Slider,
         {{Shape::Open, Ink::None, Ink::Muted, {2, 12, 22, 12}, 2},
          {Shape::Open, Ink::None, Ink::Accent, {2, 12, 13, 12}, 2.5},
          {Shape::Ellipse, Ink::Face, Ink::Line, {11, 8, 8, 8}}}},
        {UxGlyph::SeekBar,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 10, 20, 4}},
          {Shape::Box, Ink::Accent, Ink::None, {2.75, 10.75, 12, 2.5}},
          {Shape::Box, Ink::Line, Ink::None, {14, 6, 3, 12}}}},
        {UxGlyph::TrimBar,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 6, 20, 4}},
          {Shape::Box, Ink::Accent, Ink::None, {6, 6.75, 12, 2.5}},
          {Shape::Closed, Ink::Line, Ink::None, {6, 11, 3, 17, 6, 17}},
          {Shape::Closed, Ink::Line, Ink::None, {18, 11, 18, 17, 21, 17}}}},
        {UxGlyph::Video,
         {kVideoScreen,
          {Shape::Open, Ink::None, Ink::Face, {3, 5.8, 21, 5.8}, 1.2, true},
          {Shape::Open, Ink::None, Ink::Face, {3, 18.2, 21, 18.2}, 1.2, true},
          {Shape::Box, Ink::Accent, Ink::None, {4, 8, 16, 8}},
          kPlayTriangle}},
        {UxGlyph::FullScreenVideo,
         {kVideoScreen,
          {Shape::Open, Ink::None, Ink::Face, {4, 9, 4, 6, 7, 6}},
          {Shape::Open, Ink::None, Ink::Face, {17, 6, 20, 6, 20, 9}},
          {Shape::Open, Ink::None, Ink::Face, {20, 15, 20, 18, 17, 18}},
          {Shape::Open, Ink::None, Ink::Face, {7, 18, 4, 18, 4, 15}},
          kPlayTriangle}},
        {UxGlyph::CropVideo,
         {kVideoScreen,
          {Shape::Box, Ink::None, Ink::Face, {6, 8, 12, 8}, 1.2, true},
          {Shape::Box, Ink::Accent, Ink::None, {5, 7, 2.5, 2.5}},
          {Shape::Box, Ink::Accent, Ink::None, {16.5, 7, 2.5, 2.5}},
          {Shape::Box, Ink::Accent, Ink::None, {5, 14.5, 2.5, 2.5}},
          {Shape::Box, Ink::Accent, Ink::None, {16.5, 14.5, 2.5, 2.5}}}},
        {UxGlyph::List,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 2, 20, 20}},
          {Shape::Closed, Ink::Line, Ink::None, {9, 6, 15, 6, 12, 3.5}},
          {Shape::Open, Ink::None, Ink::Muted, {5, 8.5, 19, 8.5}, 1.5},
          {Shape::Box, Ink::Accent, Ink::None, {3, 10.5, 18, 3}},
          {Shape::Open, Ink::None, Ink::Muted, {5, 15.5, 19, 15.5}, 1.5},
          {Shape::Closed, Ink::Line, Ink::None, {9, 18, 15, 18, 12, 20.5}}}},
        {UxGlyph::LineEdit,
         {{Shape::Box, Ink::Face, Ink::Line, {2, 7, 20, 10}},
          {Shape::Open, Ink::None, Ink::Line, {5, 9.5, 5, 14.5}},
          {Shape::RoundBox, Ink::Accent, Ink::None, {15, 9, 5, 6, 1}}}},
        {UxGlyph::Clock,
         {{Shape::Ellipse, Ink::Face, Ink::Line, {3, 3, 18, 18}},
          {Shape::Open, Ink::None, Ink::Accent, {12, 6.5, 12, 12, 16, 14.5}, 2}}},
    };
    return table;
}

QPolygonF points(const std::vector<qreal> &v)
{
    QPolygonF polygon;
    for (size_t i = 0; i + 1 < v.size(); i += 2)
        polygon << QPointF(v[i], v[i + 1]);
    return polygon;
}

void paintMark(QPainter &painter, const Mark &mark)
{
    painter.setBrush(mark.fill == Ink::None ? QBrush(Qt::NoBrush) : QBrush(colour(mark.fill)));
    if (mark.stroke == Ink::None)
        painter.setPen(Qt::NoPen);
    else
        painter.setPen(QPen(colour(mark.stroke), mark.penWidth,
                            mark.dotted ? Qt::DotLine : Qt::SolidLine, Qt::RoundCap,
                            Qt::RoundJoin));
    const std::vector<qreal> &v = mark.v;
    switch (mark.shape) {
    case Shape::Box:
        painter.drawRect(QRectF(v[0], v[1], v[2], v[3]));
        break;
    case Shape::RoundBox:
        painter.drawRoundedRect(QRectF(v[0], v[1], v[2], v[3]), v[4], v[4]);
        break;
    case Shape::Ellipse:
        painter.drawEllipse(QRectF(v[0], v[1], v[2], v[3]));
        break;
    case Shape::Arc:
        painter.drawArc(QRectF(v[0], v[1], v[2], v[3]), qRound(v[4] * 16), qRound(v[5] * 16));
        break;
    case Shape::Open:
        painter.drawPolyline(points(v));
        break;
    case Shape::Closed:
        painter.drawPolygon(points(v));
        break;
    }
}

} // namespace

QIcon uxDesignerIcon(UxGlyph glyph)
{
    QIcon icon;
    for (const int side : {24, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(side / 24.0, side / 24.0);
        for (const Mark &mark : glyphs().at(glyph))
            paintMark(painter, mark);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}
