#ifndef FFMPEGTEXT_H
#define FFMPEGTEXT_H

#include <QString>

extern "C" {
#include <libavutil/error.h>
}

// FFmpeg's own words for one of its error codes.
inline QString ffmpegErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

#endif // FFMPEGTEXT_H
