#ifndef UXVIDEOVIEWER_H
#define UXVIDEOVIEWER_H

#include "CommonCtrls.h"
#include "UxVideoFrame.h"

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <memory>

class QTimer;
class UxFrameScaler;
class UxYuvPicture;

/// \brief The video surface: draws the frames a host pushes, letter-boxed, and turns clicks,
/// wheel and keys into player commands.
///
/// The host pushes decoded frames (onUpdateVideo()) and announces the input size and
/// stereoscopic layout (setInputVideo()); the viewer draws each frame letter-boxed into its
/// viewer rectangle, keeping the picture's shape, with margin and padding colours or a tiled
/// padding image around it. All geometry is in widget pixels. Sizes without width or height
/// never reach a division: they give an empty picture rectangle at the centre.
///
/// The host, or with zoomGestures the user, can magnify the picture (zoom) and move it
/// (pan) within the viewer rectangle; mapToVideo() and mapFromVideo() tell which video pixel
/// shows where.
///
/// Clicks, double clicks, the wheel and keys become player commands emitted as signals;
/// the viewer never plays or pauses anything itself. toggleFullscreen() switches the widget
/// to and from full screen, where the pointer hides after a second of rest. Keys reach the
/// viewer only once it has focus.
class COMMONCTRLS_EXPORT UxVideoViewer : public QFrame
{
    Q_OBJECT
    /// \brief The outer shape of the viewer rectangle; style sheet `qproperty-aspectRatio`,
    /// by value name (AspectRatio_16_9).
    ///
    /// AspectRatio_Auto (at first) uses the whole widget; the others the largest 4:3 or 16:9
    /// rectangle centred in it. Any other stored value counts as 4:3.
    Q_PROPERTY(AspectRatio aspectRatio READ aspectRatio WRITE setAspectRatio
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Colour outside the viewer rectangle; style sheet `qproperty-clrMargin`.
    ///
    /// Opaque white at first. A padding image replaces it.
    Q_PROPERTY(QColor clrMargin READ marginColor WRITE setMarginColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Colour between the viewer rectangle's edge and the picture, and of the picture
    /// while there is no frame; style sheet `qproperty-clrPadding`.
    ///
    /// Opaque black at first. A padding image replaces it around the picture.
    Q_PROPERTY(QColor clrPadding READ paddingColor WRITE setPaddingColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Path of an image tiled over everything outside the picture, margin included,
    /// in place of both colours; style sheet `qproperty-paddingBrush`.
    ///
    /// Loaded as named when set (no zoom scaling, no "@2x" lookup) and shown at the next
    /// repaint. An empty path, or one that does not load, goes back to the colours. Reads
    /// back empty: the path is not kept.
    Q_PROPERTY(QString paddingBrush READ paddingBrush WRITE setPaddingBrush
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief How much the video is magnified: 1 (at first) shows it letter-boxed as a
    /// whole, up to 8 times that; style sheet `qproperty-zoom`.
    ///
    /// The zoomed picture is the letter-boxed one scaled about its centre and moved by pan,
    /// cut to the viewer rectangle. Values are clamped to 1 to 8; a value that is not a
    /// number is ignored. See setZoom().
    Q_PROPERTY(double zoom READ zoom WRITE setZoom NOTIFY zoomChanged)
    /// \brief How far the zoomed picture is moved from its centred place, in widget
    /// pixels; (0, 0) at first; style sheet `qproperty-pan`.
    ///
    /// Kept so that the picture covers the viewer rectangle along each axis where it is at
    /// least as long, and centred along an axis where it is shorter: always (0, 0) at zoom
    /// 1. See setPan().
    Q_PROPERTY(QPointF pan READ pan WRITE setPan NOTIFY panChanged)
    /// \brief Whether the user zooms and pans with the mouse and keys; false at first;
    /// style sheet `qproperty-zoomGestures`.
    ///
    /// When set: Ctrl with the wheel zooms about the pointer, keeping the video pixel under
    /// it; dragging with the middle button, or with the left one while Space is held, pans;
    /// Ctrl+0, or a double click with Ctrl, goes back to zoom 1 (resetZoom()). Those
    /// gestures then emit no player command, and Space plays or pauses when it is released
    /// without having panned, once however long it was held. When clear, the wheel, clicks
    /// and keys only emit player commands.
    Q_PROPERTY(bool zoomGestures READ zoomGestures WRITE setZoomGestures
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief The outer shape of the viewer rectangle. Any int may be stored; values other
    /// than these count as AspectRatio_4_3 (see calcViewerRect()).
    enum AspectRatio : int {
        AspectRatio_Auto = 0, ///< The whole widget.
        AspectRatio_4_3 = 1,  ///< The largest 4:3 rectangle centred in the widget.
        AspectRatio_16_9 = 2, ///< The largest 16:9 rectangle centred in the widget.
    };
    Q_ENUM(AspectRatio)

    /// \brief Creates the viewer with mouse tracking on and no video announced.
    explicit UxVideoViewer(QWidget *parent = nullptr);
    /// \brief Gives back the blank cursor if this viewer set it.
    ~UxVideoViewer() override;

    /// \brief The viewer rectangle's shape.
    AspectRatio aspectRatio() const;
    /// \brief Sets the viewer rectangle's shape, recomputes both rectangles and repaints.
    void setAspectRatio(AspectRatio ratio);
    /// \brief The colour outside the viewer rectangle.
    QColor marginColor() const;
    /// \brief Sets the colour outside the viewer rectangle and repaints.
    void setMarginColor(const QColor &color);
    /// \brief The colour around and in place of the picture.
    QColor paddingColor() const;
    /// \brief Sets the colour around and in place of the picture and repaints.
    void setPaddingColor(const QColor &color);
    /// \brief The setters that forms compiled by uic call for `clrMargin` and `clrPadding`;
    /// the same as setMarginColor() and setPaddingColor().
    void setClrMargin(const QColor &color) { setMarginColor(color); }
    /// \copydoc setClrMargin
    void setClrPadding(const QColor &color) { setPaddingColor(color); }
    /// \brief Always empty: the path is not kept.
    QString paddingBrush() const;
    /// \brief Loads the padding image from strImage; see paddingBrush.
    void setPaddingBrush(const QString &strImage);

    /// \brief Announces the incoming video: its size in pixels and its stereoscopic layout.
    ///
    /// A stereoscopic frame (is3D) holds two views side by side, or one above the other with
    /// isTopBottom, each squeezed to half width or height unless isUnstretched; the display
    /// size stretches them back. The video rectangle is recomputed, with videoRectChanged()
    /// when it changed, and the viewer repaints. A size with a negative side announces no
    /// video: the video rectangle stays as it was.
    void setInputVideo(const QSize &szVideo, bool is3D, bool isTopBottom, bool isUnstretched);
    /// \brief Changes the stereoscopic layout of the announced video, keeping its size; as
    /// setInputVideo() otherwise.
    void update3DInput(bool is3D, bool isTopBottom, bool isUnstretched);

    /// \brief Shows a picture instead of video; while isShow is set, frames are ignored.
    ///
    /// The current frame goes in any case. A null img shows the padding colour. With isShow
    /// false, a non-null img shows until the next frame replaces it. The picture keeps its
    /// shape; while isShow is set it is scaled smoothly to the picture rectangle when painted.
    void setShowStaticPicture(bool isShow, const QImage &img);
    /// \brief As setShowStaticPicture(bool, const QImage &), loading the picture from
    /// strPath as named, only when isShow is set.
    ///
    /// An empty path, or one that does not load, shows the padding colour.
    void setShowStaticPicture(bool isShow, const QString &strPath);
    /// \brief Whether frames are ignored for a still picture.
    bool isShowStaticPicture() const;
    /// \brief Drops the frame or still picture, so the padding colour shows, and repaints.
    ///
    /// The still-picture mode stays as it is.
    void clearVideo();

    /// \brief A widget size for a host layout: szVideo cut to the nNum:nDen shape, scaled to
    /// width nWidth, then the width rounded down to a multiple of 8 and the height to a
    /// multiple of 4.
    ///
    /// An aspect term below 1 keeps szVideo's own shape; a shape without width gives 0 by 0.
    QSize calcVideoHint(int nWidth, const QSize &szVideo, int nNum, int nDen) const;
    /// \brief As calcVideoHint(int, const QSize &, int, int) const at the viewer rectangle's
    /// width.
    QSize calcVideoHint(const QSize &szVideo, int nNum, int nDen) const;

    /// \brief The area reserved for the picture: the whole widget, or the aspectRatio shape
    /// centred in it.
    QRect viewerRect() const;
    /// \brief Where video of the announced size lands: letter-boxed and centred in the viewer
    /// rectangle, then scaled by zoom about its centre and moved by pan (zoomed, it may reach
    /// beyond the viewer rectangle); empty at its centre for a size without area, null before
    /// any announcement.
    QRect videoRect() const;

    /// \brief The magnification; see the zoom property.
    double zoom() const;
    /// \brief Sets the magnification, clamped to 1 to 8, about the viewer rectangle's
    /// centre: the video pixel there stays there where the pan allows. NaN is ignored.
    ///
    /// Emits zoomChanged() and, when the picture moved, panChanged(); the video rectangle
    /// follows (videoRectChanged()) and the viewer repaints.
    void setZoom(double zoom);
    /// \brief Sets the magnification as setZoom() does, about widgetPoint instead: the
    /// video pixel under that point stays under it, as far as the pan allows.
    void setZoomAt(double zoom, const QPointF &widgetPoint);
    /// \brief The picture's offset from its centred place; see the pan property.
    QPointF pan() const;
    /// \brief Moves the zoomed picture by offset from its centred place, kept so that no
    /// black shows beyond the picture's edges where it covers the viewer rectangle.
    ///
    /// An offset that is not finite is ignored. Emits panChanged() when the kept offset
    /// changed; the video rectangle follows and the viewer repaints.
    void setPan(const QPointF &offset);
    /// \brief Whether the zoom and pan gestures are on; see the zoomGestures property.
    bool zoomGestures() const;
    /// \brief Turns the zoom and pan gestures on or off; the zoom and pan stay as they are.
    void setZoomGestures(bool enabled);

    /// \brief The point of the announced video, in its stored pixels (before rotation and
    /// sample aspect), shown at widgetPoint; pixel (x, y) covers x to x + 1, y to y + 1.
    ///
    /// Follows zoom, pan, rotation and sample aspect ratio; points outside the picture
    /// give coordinates outside the video. Without an announced video of some area, the
    /// point comes back as given.
    QPointF mapToVideo(const QPointF &widgetPoint) const;
    /// \brief The widget point where videoPoint, in stored pixels of the announced video,
    /// is shown; the inverse of mapToVideo().
    QPointF mapFromVideo(const QPointF &videoPoint) const;

    /// \brief Whether the pointer may hide after a second of rest in full screen; true at
    /// first.
    ///
    /// Turning it off does not bring back a pointer already hidden.
    void setMouseHidable(bool isHidable);

    /// \brief For 16:9 and 4:3, the current width rounded down to a multiple of 16 and the
    /// height of that shape; QFrame's hint otherwise.
    QSize sizeHint() const override;
    /// \brief 320 by 180 for 16:9, 320 by 240 for 4:3, QWidget's hint otherwise.
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    /// \brief The video rectangle changed, after a resize, a new shape or a new input, or
    /// a new zoom or pan: rcVideo is then the whole zoomed picture, which may reach beyond
    /// the viewer rectangle.
    void videoRectChanged(const QRect &rcVideo);
    /// \brief The magnification changed, by the host or a gesture.
    void zoomChanged(double zoom);
    /// \brief The picture's offset changed, by the host, a gesture, a new zoom or a resize
    /// that left it out of bounds.
    void panChanged(const QPointF &pan);
    /// \brief A double click: the host switches full screen, for example with
    /// toggleFullscreen().
    void changeScreen();
    /// \brief Kept for the host; never emitted. Wheel turns come as volumChange().
    void wheelValue(int);
    /// \brief In full screen, at every pointer move, with the pointer's global position.
    void mouseShow(const QPoint &);
    /// \brief In full screen, the pointer was hidden after a second of rest.
    void mouseHide();
    /// \brief A single left click, 300 ms after its press when no double click followed,
    /// or the Space key.
    void actPlayOrPause();
    /// \brief A volume step: +10 for the Up key, -10 for Down, and the wheel's angle delta
    /// on its dominant axis divided by 5 (one notch of 120 gives 24).
    void volumChange(int);
    /// \brief Kept for the host; never emitted.
    void previous();
    /// \brief Kept for the host; never emitted.
    void next();
    /// \brief Ctrl+S in full screen.
    void stop();
    /// \brief Escape or Alt+Return in full screen: the host leaves full screen, for example
    /// with toggleFullscreen().
    void outFullscreen();

public Q_SLOTS:
    /// \brief Takes a decoded frame: copies it into the viewer's 24-bit buffer before
    /// returning, so the caller may reuse the image, and repaints.
    ///
    /// A frame of a new size starts a buffer filled with the padding colour; frames with
    /// transparency are blended over the buffer. A null frame drops the picture, so the
    /// padding colour shows. Ignored while a still picture is shown.
    void onUpdateVideo(const QImage &imgVideo);
    /// \brief Emits actPlayOrPause() unless a double click followed the last left press or
    /// there was none; the viewer calls it 300 ms after each left press.
    void onActPlayOrPause();
    /// \brief Makes the widget a full-screen window, or puts it back as it was (embedded
    /// or a sub-window).
    ///
    /// In full screen the pointer hides after a second of rest unless setMouseHidable(false).
    void toggleFullscreen();
    /// \brief Goes back to zoom 1 with no pan, the whole picture letter-boxed.
    void resetZoom();

private Q_SLOTS:
    void hideMouse();

public Q_SLOTS:
    /// \brief Takes a decoded YUV picture: converts it straight to the screen's pixels at the
    /// size it is shown, and repaints.
    ///
    /// Before it returns the viewer has copied the planes, or, when the frame carries an
    /// owner(), kept that reference instead, so the decoder may reuse unshared buffers at
    /// once. The picture is shown upright and at its display aspect: its rotation and sample
    /// aspect ratio shape the picture rectangle, and the video rectangle (videoRectChanged())
    /// takes the same shape from the announced input size. Where the picture is shown more
    /// than 2:1 smaller than stored, each screen pixel is the average of the samples it
    /// covers. An invalid frame drops the picture, so the padding colour shows; ignored while
    /// a still picture is shown. A later onUpdateVideo() takes its place as any frame does,
    /// and turns the video rectangle back to the announced size.
    ///
    /// Across threads, connect with a queued connection and send frames that carry an
    /// owner: the planes must outlive the call.
    void onUpdateVideoFrame(const UxVideoFrame &frame);

protected:
    /// \brief Recomputes the viewer rectangle from the widget's size and aspectRatio.
    void calcViewerRect();
    /// \brief Recomputes the video rectangle in the viewer rectangle, emitting
    /// videoRectChanged() when it changed; nothing before a video is announced.
    virtual void calcVideoRect();
    /// \brief Sets the viewer rectangle as given, for subclasses that lay it out
    /// themselves; call calcVideoRect() after.
    void setViewerRect(const QRect &rect);
    /// \brief Whether the announced input is stereoscopic.
    bool is3D() const { return m_is3D; }
    /// \brief Whether stereoscopic views lie one above the other.
    bool isTopBottom() const { return m_isTopBottom; }
    /// \brief Whether stereoscopic views come at full size.
    bool isUnstretched() const { return m_isUnstretched; }
    /// \brief The clockwise rotation of the last onUpdateVideoFrame() picture: 0, 90, 180
    /// or 270; 0 after an onUpdateVideo() frame.
    int frameRotation() const { return m_frameRotation; }
    /// \brief Called after a frame of another rotation or sample aspect ratio has reshaped
    /// the video rectangle; does nothing here.
    virtual void frameShapeChanged() {}
    /// \brief Whether a drag is panning the picture now.
    bool isPanning() const { return m_panButton != Qt::NoButton; }
    /// \brief Whether this press starts panning: with zoomGestures, a middle press, or a
    /// left one while Space is held.
    bool startsPan(const QMouseEvent *event) const;

    /// \brief A left press starts the 300 ms wait for onActPlayOrPause(); the event goes on
    /// to the parent. With zoomGestures, a middle press starts panning instead.
    void mousePressEvent(QMouseEvent *event) override;
    /// \brief Ends a pan; any other release goes on to the parent.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// \brief Cancels the pending click and emits changeScreen(); the event goes on to the
    /// parent. With zoomGestures and Ctrl held, it calls resetZoom() instead.
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    /// \brief In full screen: emits mouseShow(), shows a hidden pointer and restarts its
    /// one-second wait. While panning, moves the picture with the pointer. The event goes
    /// on to the parent.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// \brief Emits volumChange(); the event goes on to the parent. With zoomGestures,
    /// Ctrl with the wheel zooms about the pointer instead, 1.25 times a notch.
    void wheelEvent(QWheelEvent *event) override;
    /// \brief Space, Up and Down become actPlayOrPause() and volumChange(); in full screen,
    /// Escape and Alt+Return become outFullscreen() and Ctrl+S stop().
    ///
    /// Those full-screen keys are accepted; every other key goes on to the parent. With
    /// zoomGestures, Ctrl+0 calls resetZoom() and is accepted.
    void keyPressEvent(QKeyEvent *event) override;
    /// \brief With zoomGestures, releasing Space that did not pan emits actPlayOrPause();
    /// the event goes on to the parent.
    void keyReleaseEvent(QKeyEvent *event) override;
    /// \brief Forgets a Space held for panning, whose release goes elsewhere.
    void focusOutEvent(QFocusEvent *event) override;
    /// \brief Paints margin and padding (or the padding image), then the frame or still
    /// picture letter-boxed into the picture rectangle.
    void paintEvent(QPaintEvent *event) override;
    /// \brief Recomputes both rectangles and repaints.
    void resizeEvent(QResizeEvent *event) override;
    /// \brief Gives back the blank cursor this viewer set; shown again in full screen, the
    /// viewer hides the pointer again within a second.
    void hideEvent(QHideEvent *event) override;
    /// \brief However the host makes the viewer full screen (toggleFullscreen() or
    /// showFullScreen()), the pointer hides after a second of rest; however it leaves,
    /// the blank cursor this viewer set goes with it.
    void changeEvent(QEvent *event) override;

private:
    friend class UxAccessibleVideo; // tells screen readers what the viewer shows
    // Our blank override cursor on the application's stack, which all windows share: it
    // is pushed at most once, and only what was pushed is popped, at the latest when the
    // viewer goes.
    class BlankCursor
    {
    public:
        BlankCursor() = default;
        BlankCursor(const BlankCursor &) = delete;
        BlankCursor &operator=(const BlankCursor &) = delete;
        ~BlankCursor();
        void push();
        bool pop(); // false when there was none of ours to pop
    private:
        bool m_pushed = false;
    };
    void changeVideoWidget();
    bool releaseBlankCursor();
    void popTopOverrideCursor();
    void setFrame(std::unique_ptr<QImage> frame);
    void setFrameShape(const QSize &sampleAspect, int rotation);
    void adoptYuvAsBuffer(const QSize &size);
    QSizeF shapedSize(double width, double height) const;
    void applyView(double zoom, const QPointF &pan);
    void zoomAbout(double zoom, const QPointF &widgetPoint, const QPointF &fraction);
    QPointF fractionAt(const QPointF &widgetPoint) const;
    QPointF keptPan(const QRect &fitted, const QPointF &pan, double zoom) const;
    QRect zoomedRect(const QRect &fitted) const;
    QRect fittedRect() const;
    QRect fittedPictureRect() const;
    void updateOpaquePainting();
    bool hasFrame() const;
    QRect pictureRect() const;
    QRect yuvPictureRect(const QSize &stored) const;
    void paintSurroundings(QPainter &painter, const QRect &picture);
    void paintFrame(QPainter &painter, const QRect &picture);
    bool drawScaled(QPainter &painter, QImage &image, const QRect &picture, qint64 maxDevicePixels);
    void drawYuvImage(QPainter &painter, const QRect &picture, qint64 maxDevicePixels);

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
    BlankCursor m_blankCursor;
    bool m_clickPending = false;
    bool m_mouseHidable = true;
    std::unique_ptr<UxFrameScaler> m_scaler;
    std::unique_ptr<UxYuvPicture> m_yuv; // the picture, when it came as a UxVideoFrame
    QSize m_sampleAspect = QSize(1, 1);  // of the last UxVideoFrame; shapes both rectangles
    int m_frameRotation = 0;
    QImage m_yuvUpright; // zoomed: the YUV picture upright in 24 bits, for m_scaler
    qint64 m_yuvUprightKey = 0;
    QRect m_fittedRect; // the video rectangle before zoom and pan
    double m_zoom = 1.0;
    QPointF m_pan;
    bool m_zoomGestures = false;
    Qt::MouseButton m_panButton = Qt::NoButton; // the button of the pan under way
    bool m_spaceHeld = false;                   // with zoomGestures: Space is down
    bool m_spacePanned = false;                 // and a pan began while it was
    QPoint m_panGrab;                           // where the pan drag started
    QPointF m_panAtGrab;                        // the pan then
    // The wheel zooms about the fraction of the picture first under the pointer for as
    // long as the pointer and the view stay as the last step left them, so that the
    // rounding of each step's rectangle does not add up.
    QPointF m_wheelPoint;
    QPointF m_wheelFraction;
    double m_wheelZoom = 0.0; // 0: no wheel anchor
    QPointF m_wheelPan;
};

#endif // UXVIDEOVIEWER_H
