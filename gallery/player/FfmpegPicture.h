#ifndef FFMPEGPICTURE_H
#define FFMPEGPICTURE_H

#include <UxVideoFrame.h>

extern "C" {
#include <libavutil/frame.h>
}

// A picture whose stream does not say is BT.709 when it is taller than standard definition.
inline UxVideoFrame::ColorMatrix matrixOf(const AVFrame *picture)
{
    const bool hd = picture->colorspace == AVCOL_SPC_BT709 ||
                    (picture->colorspace == AVCOL_SPC_UNSPECIFIED && picture->height > 576);
    return hd ? UxVideoFrame::Matrix_BT709 : UxVideoFrame::Matrix_BT601;
}

inline bool isFullRange(const AVFrame *picture)
{
    return picture->color_range == AVCOL_RANGE_JPEG || picture->format == AV_PIX_FMT_YUVJ420P;
}

#endif // FFMPEGPICTURE_H
