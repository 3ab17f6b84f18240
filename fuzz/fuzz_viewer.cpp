// The video viewer (or its full-screen variant) driven by a sequence of fuzzed calls:
// input sizes and stereoscopic layouts, aspect ratios, widget sizes, frames of any size
// and format (null ones included), still pictures, padding, full screen and paints.

#include "FuzzSupport.h"

#include <UxVideoFullScreenViewer.h>
#include <UxVideoViewer.h>

#include <QPainter>
#include <QPixmap>

#include <memory>

namespace {

void paint(UxVideoViewer &viewer, fuzz::Reader &in)
{
    if (in.flag()) {
        const QPixmap grabbed = viewer.grab();
        return;
    }
    if (viewer.width() <= 0 || viewer.height() <= 0)
        return;
    QImage target(viewer.size(), in.flag() ? QImage::Format_RGB32 : QImage::Format_RGB888);
    viewer.render(&target);
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
    fuzz::Reader in(data, size);
    std::unique_ptr<UxVideoViewer> viewer(in.flag() ? new UxVideoFullScreenViewer
                                                    : new UxVideoViewer);
    viewer->resize(in.range(0, 1024), in.range(0, 768));
    for (int step = 0; step < 48 && !in.empty(); ++step) {
        switch (in.u8() % 12) {
        case 0: {
            const QSize input(in.anyInt(), in.anyInt());
            const uint8_t layout = in.u8();
            viewer->setInputVideo(input, layout & 1, layout & 2, layout & 4);
            break;
        }
        case 1: {
            const uint8_t layout = in.u8();
            viewer->update3DInput(layout & 1, layout & 2, layout & 4);
            break;
        }
        case 2:
            viewer->setAspectRatio(UxVideoViewer::AspectRatio(in.anyInt()));
            break;
        case 3:
            viewer->resize(in.range(0, 2048), in.range(0, 2048));
            break;
        case 4:
        case 5:
            viewer->onUpdateVideo(fuzz::readImage(in));
            break;
        case 6: {
            const bool show = in.flag();
            viewer->setShowStaticPicture(show, fuzz::readImage(in));
            break;
        }
        case 7: {
            const bool show = in.flag();
            viewer->setShowStaticPicture(
                show, fuzz::expandPaths(QStringLiteral("$%1").arg(in.range(0, 7))));
            break;
        }
        case 8:
            viewer->clearVideo();
            break;
        case 9: {
            const uint8_t which = in.u8();
            const QColor color = QColor::fromRgba(in.u32());
            if (which % 3 == 0)
                viewer->setMarginColor(color);
            else if (which % 3 == 1)
                viewer->setPaddingColor(color);
            else
                viewer->setPaddingBrush(
                    fuzz::expandPaths(QStringLiteral("$%1").arg(in.range(0, 7))));
            break;
        }
        case 10: {
            const int width = in.anyInt();
            const QSize video(in.anyInt(), in.anyInt());
            const int num = in.anyInt();
            viewer->calcVideoHint(width, video, num, in.anyInt());
            break;
        }
        default:
            if (in.flag())
                viewer->toggleFullscreen();
            paint(*viewer, in);
            break;
        }
    }
    paint(*viewer, in);
    return 0;
}
