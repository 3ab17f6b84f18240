// The video viewer (or its full-screen variant) driven by a sequence of fuzzed calls:
// input sizes and stereoscopic layouts, aspect ratios, widget sizes, frames of any size
// and format (null ones included), YUV frames of every format with any strides, shape and
// rotation (copied or shared), still pictures, padding, full screen and paints.

#include "FuzzSupport.h"

#include <UxVideoFrame.h>
#include <UxVideoFullScreenViewer.h>
#include <UxVideoViewer.h>

#include <QPainter>
#include <QPixmap>

#include <algorithm>
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

// A decoder's YUV picture: planes in a buffer of exactly the size its strides claim, which
// may be too short for the picture (the viewer must refuse it rather than read past).
// Shared frames hand the viewer the buffer's ownership; the others keep it in bytes,
// which lives for the call.
UxVideoFrame readYuvFrame(fuzz::Reader &in, std::shared_ptr<std::vector<uchar>> &bytes)
{
    const auto format = UxVideoFrame::PixelFormat(in.range(0, 5));
    const QSize size(in.range(-2, 400), in.range(-2, 300));
    UxVideoFrame frame(format, size);
    const bool tenBit =
        format == UxVideoFrame::Format_YUV420P10 || format == UxVideoFrame::Format_P010;
    const bool semiPlanar = frame.planeCount() == 2;
    const int chromaWidth = (qMax(0, size.width()) + 1) / 2;
    const int padding = in.range(-2, 40);
    const bool bottomUp = in.flag();
    qsizetype strides[3] = {0, 0, 0};
    qsizetype offsets[3] = {0, 0, 0};
    qsizetype total = 0;
    for (int p = 0; p < frame.planeCount(); ++p) {
        const int samples = p == 0 ? size.width() : chromaWidth * (semiPlanar ? 2 : 1);
        strides[p] = qMax(1, samples * (tenBit ? 2 : 1) + padding);
        const int rows = qMax(1, p == 0 ? size.height() : (size.height() + 1) / 2);
        offsets[p] = total;
        total += strides[p] * rows;
    }
    bytes = std::make_shared<std::vector<uchar>>(size_t(qMax<qsizetype>(total, 1)));
    for (uchar &b : *bytes)
        b = in.empty() ? uchar(0x80) : in.u8();
    for (int p = 0; p < frame.planeCount(); ++p) {
        const qsizetype rows = p + 1 < frame.planeCount()
                                   ? (offsets[p + 1] - offsets[p]) / strides[p]
                                   : (total - offsets[p]) / strides[p];
        const uchar *top = bytes->data() + offsets[p] + (bottomUp ? strides[p] * (rows - 1) : 0);
        frame.setPlane(p, top, bottomUp ? -strides[p] : strides[p]);
    }
    frame.setColorMatrix(UxVideoFrame::ColorMatrix(in.anyInt()));
    frame.setColorRange(UxVideoFrame::ColorRange(in.anyInt()));
    const int num = in.anyInt();
    frame.setSampleAspectRatio(num, in.anyInt());
    frame.setRotation(in.anyInt());
    if (in.flag())
        frame.setOwner(bytes);
    return frame;
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
        switch (in.u8() % 13) {
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
        case 11: {
            // Owned by the viewer when shared; otherwise overwritten and gone as soon as
            // the call returns.
            std::shared_ptr<std::vector<uchar>> bytes;
            const UxVideoFrame frame = readYuvFrame(in, bytes);
            viewer->onUpdateVideoFrame(frame);
            if (!frame.owner())
                std::fill(bytes->begin(), bytes->end(), uchar(0xee));
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
