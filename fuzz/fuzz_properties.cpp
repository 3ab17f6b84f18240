// Packed property texts and skin pictures on every widget that parses them, set through
// the property system, a style sheet or both, then painted enabled or disabled at a
// fuzzed size. The input is text: a first line "widget how width height enabled zoom"
// and then one line per property, in the order of the widget's table below. "$0".."$6"
// in a text name artwork files (see FuzzSupport.h).

#include "FuzzSupport.h"

#include <UxCheckBox.h>
#include <UxCircleProgressBar.h>
#include <UxComboBox.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxPlaySeekingBar.h>
#include <UxProgressBar.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxResourceMgr.h>
#include <UxScrollButton.h>
#include <UxVideoViewer.h>
#include <uxToolButton.h>

#include <QPainter>
#include <QPixmap>
#include <QStyleOptionViewItem>

#include <cmath>
#include <functional>
#include <memory>

namespace {

enum Kind { Text, Color, Int };

struct Property
{
    const char *name;
    Kind kind;
};

struct Subject
{
    std::function<QWidget *()> make;
    std::vector<Property> properties;
    // Numbers from the line after the properties go to the widget's value setters.
    std::function<void(QWidget *, const QStringList &)> values;
};

int field(const QStringList &fields, int i)
{
    return i < fields.size() ? fields[i].toInt() : 0;
}

// Lengths and zoom factors between the realistic and the absurd are folded back into
// the realistic: a picture scaled to 20000 x 20000 pixels is the host's request, not a
// fault, and would only exhaust memory. The absurd (beyond 2^30, or 1e18 for zooms),
// which must saturate, stays as it is.
int length(int v)
{
    const int64_t magnitude = qAbs(int64_t(v));
    return magnitude > 4096 && magnitude < (int64_t(1) << 30) ? v % 4096 : v;
}

double zoom(double z)
{
    return std::isfinite(z) && std::abs(z) > 8 && std::abs(z) < 1e18 ? std::fmod(z, 8) : z;
}

const std::vector<Property> kDisabledSkin = {{"disableImage", Text}, {"disableTextInfo", Text}};

const std::vector<Subject> &subjects()
{
    static const std::vector<Subject> all = {
        {[] { return new UxPushButton; }, kDisabledSkin,
         [](QWidget *w, const QStringList &f) {
             static_cast<UxPushButton *>(w)->setText(f.join(' '));
         }},
        {[] {
             auto *combo = new UxComboBox;
             combo->addItems({"720p", "1080p"});
             return combo;
         },
         kDisabledSkin,
         [](QWidget *w, const QStringList &f) {
             static_cast<UxComboBox *>(w)->setCurrentIndex(field(f, 0));
         }},
        {[] { return new UxCheckBox; }, kDisabledSkin,
         [](QWidget *w, const QStringList &f) {
             static_cast<UxCheckBox *>(w)->setText(f.join(' '));
         }},
        {[] { return new UxRadioButton; }, kDisabledSkin,
         [](QWidget *w, const QStringList &f) {
             static_cast<UxRadioButton *>(w)->setText(f.join(' '));
         }},
        {[] { return new uxToolButton; },
         {{"disableImage", Text}, {"disableTextInfo", Text}, {"textAlign", Int}},
         [](QWidget *w, const QStringList &f) {
             static_cast<uxToolButton *>(w)->setText(f.join(' '));
         }},
        {[] { return new UxProgressBar; },
         {{"progressPixmap", Text}, {"progressMargin", Text}, {"textColor", Text}},
         [](QWidget *w, const QStringList &f) {
             auto *bar = static_cast<UxProgressBar *>(w);
             bar->setRange(field(f, 0), field(f, 1));
             bar->useFloat(field(f, 4) & 1);
             bar->setDoubleValue(field(f, 2), field(f, 3));
         }},
        {[] { return new UxCircleProgressBar; },
         {{"circleProgressBgImage", Text},
          {"circleProgressImage", Text},
          {"circleProgressMaskImage", Text},
          {"circleProgressTextColor", Color},
          {"circleProgressFontSize", Int}},
         [](QWidget *w, const QStringList &f) {
             auto *bar = static_cast<UxCircleProgressBar *>(w);
             bar->setRange(field(f, 0), field(f, 1));
             bar->setValue(field(f, 2));
         }},
        {[] { return new UxPlaySeekingBar; },
         {{"trimRangeImage", Text}, {"trimRangeMargin", Text}, {"grooveOutterSpace", Text}},
         [](QWidget *w, const QStringList &f) {
             auto *bar = static_cast<UxPlaySeekingBar *>(w);
             bar->setRange(field(f, 0), field(f, 1));
             bar->setUsableRange(field(f, 2), field(f, 3));
             bar->setValue(field(f, 4));
             bar->setTrimRangeShowOnly(field(f, 5) & 1);
             bar->setOrientation(field(f, 5) & 2 ? Qt::Vertical : Qt::Horizontal);
         }},
        {[] { return new UxVideoViewer; },
         {{"paddingBrush", Text},
          {"clrMargin", Color},
          {"clrPadding", Color},
          {"aspectRatio", Int}},
         [](QWidget *w, const QStringList &f) {
             static_cast<UxVideoViewer *>(w)->setInputVideo(QSize(field(f, 0), field(f, 1)),
                                                            field(f, 2) & 1, field(f, 2) & 2,
                                                            field(f, 2) & 4);
         }},
        {[] { return new UxScrollButton; },
         {{"arrowImage", Text}, {"arrowDisableImage", Text}},
         nullptr},
    };
    return all;
}

QString quoted(QString text)
{
    text.replace('\\', QStringLiteral("\\\\")).replace('"', QStringLiteral("\\\""));
    return '"' + text + '"';
}

QVariant valueOf(const Property &p, const QString &text)
{
    switch (p.kind) {
    case Color:
        return QColor(text);
    case Int:
        return length(text.toInt());
    default:
        return text;
    }
}

void paint(QWidget *widget, int w, int h)
{
    widget->resize(w, h);
    const QPixmap grabbed = widget->grab();
    if (w > 0 && h > 0) {
        QImage target(w, h, QImage::Format_ARGB32_Premultiplied);
        target.fill(Qt::transparent);
        widget->render(&target);
    }
}

// The drop-down rows: the check images and the zoom-scaled sizes, painted into an image.
void fuzzDelegate(const QStringList &lines, const QStringList &head, int w, int h)
{
    UxDelegateComboBox combo;
    combo.addItems({"low", "medium", "high"});
    auto *rows = new UxComboboxViewItemDelegate(&combo);
    combo.setItemDelegate(rows);
    rows->setCheckImage(fuzz::expandPaths(lines.value(1)));
    const QStringList sizes = lines.value(2).split(' ');
    rows->setItemHeight(length(field(sizes, 0)));
    rows->setItemWidth(length(field(sizes, 1)));
    rows->setTextLeftMargin(length(field(sizes, 2)));
    rows->setCheckImageHeight(length(field(sizes, 3)));
    rows->setCheckImageWidth(length(field(sizes, 4)));
    rows->setTextColorH(QColor(lines.value(3)));
    rows->setBacColorH(QColor(lines.value(4)));
    combo.setCurrentIndex(field(head, 4) % 3);
    if (w <= 0 || h <= 0)
        return;
    QImage target(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&target);
    for (int row = 0; row < 3; ++row) {
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, w, h);
        option.state =
            QStyle::State_Enabled | (row == 1 ? QStyle::State_MouseOver : QStyle::State_None);
        const QModelIndex index = combo.model()->index(row, 0);
        rows->sizeHint(option, index);
        rows->paint(&painter, option, index);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initialize();
    fuzz::artworkDir();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines =
        QString::fromUtf8(reinterpret_cast<const char *>(data), int(size)).split('\n');
    const QStringList head = lines.value(0).split(' ');
    const int w = qBound(0, field(head, 2), 2048);
    const int h = qBound(0, field(head, 3), 2048);
    const bool zoomed = head.size() > 5 && !head[5].isEmpty();
    if (zoomed)
        UxResourceMgr::setZoomDPI(zoom(head[5].toDouble()));

    const auto &all = subjects();
    const int which = field(head, 0);
    if (which >= 0 && size_t(which) < all.size()) {
        const Subject &subject = all[size_t(which)];
        std::unique_ptr<QWidget> widget(subject.make());
        const int how = field(head, 1);
        QString sheet;
        int line = 1;
        for (const Property &p : subject.properties) {
            const QString text = fuzz::expandPaths(lines.value(line++));
            if (how % 3 != 1)
                widget->setProperty(p.name, valueOf(p, text));
            if (how % 3 != 0)
                sheet += QStringLiteral("qproperty-%1: %2;")
                             .arg(QLatin1String(p.name), p.kind == Text ? quoted(text) : text);
        }
        if (subject.values)
            subject.values(widget.get(), lines.value(line).split(' '));
        if (!sheet.isEmpty())
            widget->setStyleSheet(
                QStringLiteral("%1 { %2 }")
                    .arg(QLatin1String(widget->metaObject()->className()), sheet));
        widget->setEnabled(field(head, 4) & 1);
        paint(widget.get(), w, h);
    } else {
        fuzzDelegate(lines, head, w, h);
    }
    if (zoomed)
        UxResourceMgr::setZoomDPI(1.0);
    return 0;
}
