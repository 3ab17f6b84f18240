#ifndef UXVIDEOVIEWER_H
#define UXVIDEOVIEWER_H

#include "CommonCtrls.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QRect>
#include <QSize>

#include <memory>

class QTimer;
class UxFrameScaler;

// The video surface. The host pushes decoded frames (onUpdateVideo) and announces the
// input size and stereoscopic layout (setInputVideo); the viewer draws each frame
// letter-boxed into its viewer rectangle, keeping the picture's shape, with margin and
// padding colours or a tiled padding image around it.
//
// Clicks, double clicks, the wheel and keys become player commands emitted as signals;
// the viewer never plays or pauses anything itself. toggleFullscreen switches the widget
// to and from full screen, where the pointer hides after a second of rest.
class COMMONCTRLS_EXPORT UxVideoViewer : public QFrame
{
    Q_OBJECT
    Q_PROPERTY(AspectRatio aspectRatio READ aspectRatio WRITE setAspectRatio
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor clrMargin READ marginColor WRITE setMarginColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor clrPadding READ paddingColor WRITE setPaddingColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QString paddingBrush READ paddingBrush WRITE setPaddingBrush
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    // The outer shape of the viewer rectangle.
    enum AspectRatio : int {  // any int may be stored; see calcViewerRect
        AspectRatio_Auto = 0, // the whole widget
        AspectRatio_4_3 = 1,
        AspectRatio_16_9 = 2,
    };
    Q_ENUM(AspectRatio)

    explicit UxVideoViewer(QWidget *parent = nullptr);
    ~UxVideoViewer() override;

    AspectRatio aspectRatio() const;
    void setAspectRatio(AspectRatio ratio);
    QColor marginColor() const;
    void setMarginColor(const QColor &color);
    QColor paddingColor() const;
    void setPaddingColor(const QColor &color);
    /// \brief The setters that forms compiled by uic call for `clrMargin` and `clrPadding`;
    /// the same as setMarginColor() and setPaddingColor().
    void setClrMargin(const QColor &color) { setMarginColor(color); }
    /// \copydoc setClrMargin
    void setClrPadding(const QColor &color) { setPaddingColor(color); }
    QString paddingBrush() const; // always empty: the path is not kept
    void setPaddingBrush(const QString &strImage);

    // The incoming video's size and layout. A stereoscopic frame holds two views
    // squeezed to half size unless isUnstretched; the display size stretches them back.
    void setInputVideo(const QSize &szVideo, bool is3D, bool isTopBottom, bool isUnstretched);
    void update3DInput(bool is3D, bool isTopBottom, bool isUnstretched);

    // Shows a picture instead of video; while isShow is set, frames are ignored.
    void setShowStaticPicture(bool isShow, const QImage &img);
    void setShowStaticPicture(bool isShow, const QString &strPath);
    bool isShowStaticPicture() const;
    void clearVideo();

    // A widget size for a host layout: szVideo in the nNum:nDen shape at width nWidth,
    // the width a multiple of 8 and the height of 4.
    QSize calcVideoHint(int nWidth, const QSize &szVideo, int nNum, int nDen) const;
    QSize calcVideoHint(const QSize &szVideo, int nNum, int nDen) const;

    QRect viewerRect() const; // the area reserved for the picture
    QRect videoRect() const;  // where video of the announced size lands

    void setMouseHidable(bool isHidable);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void videoRectChanged(const QRect &rcVideo);
    void changeScreen();
    void wheelValue(int);
    void mouseShow(const QPoint &);
    void mouseHide();
    void actPlayOrPause();
    void volumChange(int);
    void previous();
    void next();
    void stop();
    void outFullscreen();

public Q_SLOTS:
    void onUpdateVideo(const QImage &imgVideo);
    void onActPlayOrPause();
    void toggleFullscreen();

private Q_SLOTS:
    void hideMouse();

protected:
    void calcViewerRect();
    virtual void calcVideoRect();
    void setViewerRect(const QRect &rect);
    bool is3D() const { return m_is3D; }
    bool isTopBottom() const { return m_isTopBottom; }
    bool isUnstretched() const { return m_isUnstretched; }

    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void changeVideoWidget();
    void releaseBlankCursor();
    void setFrame(std::unique_ptr<QImage> frame);
    void updateOpaquePainting();
    bool hasFrame() const;
    QRect pictureRect() const;
    void paintSurroundings(QPainter &painter, const QRect &picture);
    void paintFrame(QPainter &painter, const QRect &picture);

    AspectRatio m_aspectRatio = AspectRatio_Auto;
    QColor m_marginColor = QColor(255, 255, 255, 255);
    QColor m_paddingColor = QColor(0, 0, 0, 255);
    QImage m_paddingImage;
    QRect m_viewerRect;
    QRect m_videoRect;
    std::unique_ptr<QImage> m_frame; // the video buffer or the still picture
    QSize m_inputSize = QSize(-1, -1);
    QSize m_displaySize = QSize(-1, -1);
    bool m_is3D = false;
    bool m_isTopBottom = false;
    bool m_isUnstretched = false;
    bool m_showStaticPicture = false;
    QTimer *m_mouseHideTimer = nullptr;
    bool m_mouseHidden = false;
    bool m_blankCursorPushed = false; // our blank override cursor is on Qt's stack
    bool m_clickPending = false;
    bool m_mouseHidable = true;
    std::unique_ptr<UxFrameScaler> m_scaler;
};

#endif // UXVIDEOVIEWER_H
