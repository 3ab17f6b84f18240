#ifndef UXVIDEOOPERATIONVIEWER_H
#define UXVIDEOOPERATIONVIEWER_H

#include "UxVideoViewer.h"

class UxOperationScreen;

/// \brief A video viewer with a crop editor on top: the focus rectangle, moved and resized
/// with eight handles, reported in the host's pixels.
///
/// The host announces its own video (the logic video) with setLogicVideo(); the user moves
/// and resizes the focus rectangle with eight handles over the picture (edges and corners
/// grab within 3 pixels, the inside moves it), and every edit is reported in the host's
/// pixels with focusRectChanged(). Drags stay inside the video and keep the minimum size;
/// after a resize only the edges the user moved are rewritten, so the others never drift
/// through rounding. Host controls drive the rectangle through the onFocus... slots, which
/// do not emit. For stereoscopic input each view has its own editor, and the two always
/// show the same rectangle.
///
/// Call setInputVideo() and update3DInput() on this type: they hide the viewer's own.
class COMMONCTRLS_EXPORT UxVideoOperationViewer : public UxVideoViewer
{
    Q_OBJECT

public:
    /// \brief Creates the viewer with its two editors and no logic video: nothing to edit
    /// until setLogicVideo().
    explicit UxVideoOperationViewer(QWidget *parent = nullptr);

    /// \brief szLogic shown at nNum:nDen, with the current crop and the smallest allowed one,
    /// all in logic pixels.
    ///
    /// A zero or negative aspect term, or a logic size without area, means square pixels.
    /// Taken as given (a crop outside the video is not clamped) and emits nothing. The user
    /// can edit once both the logic size and the video rectangle have area.
    ///
    /// For pictures that come turned (UxVideoFrame::rotation()), give the size, shape and
    /// rectangles as the picture is stored: the editors turn them with the picture, and
    /// focusRect(), focusRectChanged() and the onFocus... slots stay in stored pixels, as an
    /// encoder's crop of the stored picture needs them. A lock then does not reshape host
    /// edits of one value.
    void setLogicVideo(const QSize &szLogic, int nNum, int nDen, const QRect &rcFocus,
                       const QSize &szMin);
    /// \brief As UxVideoViewer::setInputVideo(), and gives the second editor to the second
    /// view of stereoscopic input.
    void setInputVideo(const QSize &szVideo, bool is3D, bool isTopBottom, bool isUnstretched);
    /// \brief As UxVideoViewer::update3DInput(), and lays the editors out for the new
    /// layout.
    void update3DInput(bool is3D, bool isTopBottom, bool isUnstretched);

    /// \brief The focus rectangle in logic pixels.
    QRect focusRect() const;
    /// \brief Displayed width of one logic pixel over its height, from the last
    /// setLogicVideo(); 1.0 at first and after reset().
    double pixelAspect() const;

    /// \brief Locks the rectangle to nW:nH logic pixels (keep), or unlocks it.
    ///
    /// Without isKeepRect a rectangle of another shape is reshaped at once from its width,
    /// its height cut at the video's bottom, and reported with focusRectChanged(); with
    /// isKeepRect it is kept as it is until the next edit. A lock with a term of 0 or less
    /// is ignored.
    void setFocusZoneKeepAspectRatioByLogic(bool keep, int nW, int nH, bool isKeepRect);
    /// \brief As setFocusZoneKeepAspectRatioByLogic(), with nW:nH the shape as displayed
    /// (logic shape times the pixel aspect).
    void setFocusZoneKeepAspectRatioByView(bool keep, int nW, int nH, bool isKeepRect);

    /// \brief Shows or hides the rectangle, its handles and the mask; hidden, it cannot be
    /// grabbed. Shown at first.
    void setShowFocusZone(bool show);
    /// \brief Whether the rectangle is shown.
    bool showFocusZone() const;
    /// \brief Whether the video outside the rectangle is covered with the clip region
    /// colour; true at first.
    void setMaskUnfocusZone(bool mask);
    /// \brief Whether the video outside the rectangle is covered.
    bool maskUnfocusZone() const;
    /// \brief Colour of the outline, handles and centre cross; yellow at first. Shows at the
    /// next repaint.
    void setClipRectColor(const QColor &color);
    /// \brief Colour laid over the video outside the rectangle; white at half opacity
    /// (alpha 127) at first. Shows at the next repaint.
    void setClipRegionColor(const QColor &color);
    /// \brief Forgets the logic video, rectangle, minimum size, lock and layout and shows
    /// zone and mask again; the colours stay. Emits nothing and does not repaint.
    ///
    /// Call setLogicVideo() before the next edit.
    void reset();

Q_SIGNALS:
    /// \brief The user edited the rectangle, or a lock reshaped it: rcFocus in logic pixels,
    /// equal to focusRect(). Every drag step emits.
    void focusRectChanged(const QRect &rcFocus);

public Q_SLOTS:
    /// \brief Moves the rectangle to left edge nValue, keeping its width; emits nothing.
    void onFocusLeftChanged(int nValue);
    /// \brief Moves the rectangle to top edge nValue, keeping its height; emits nothing.
    void onFocusTopChanged(int nValue);
    /// \brief Sets the width, keeping the left edge; emits nothing.
    ///
    /// With a lock the height follows, and where it would pass the video's bottom it is
    /// cut there and the width follows it.
    void onFocusWidthChanged(int nValue);
    /// \brief Sets the height, keeping the top edge; emits nothing.
    ///
    /// With a lock the width follows, and where it would pass the video's right edge it is
    /// cut there and the height follows it.
    void onFocusHeightChanged(int nValue);
    /// \brief Replaces the rectangle as given (no clamp, no lock); emits nothing.
    void onFocusRectChanged(const QRect &rcFocus);

protected Q_SLOTS:
    /// \brief Hands each editor its part of the video rectangle: all of it for plain
    /// input, one half per view for stereoscopic input (the second half takes an odd extra
    /// row or column).
    void onVideoRectChanged(const QRect &rcVideo);
    /// \brief Copies one editor's edit to the other and emits focusRectChanged().
    void onScreenFocusRectChanged(const QRect &rcFocus);

protected:
    /// \brief A left press on a handle or inside the rectangle starts a drag; any other
    /// press is the viewer's (a click plays or pauses).
    void mousePressEvent(QMouseEvent *event) override;
    /// \brief Ends a drag with a last step.
    void mouseReleaseEvent(QMouseEvent *event) override;
    /// \brief Drags, or over the video shows the cursor of the handle under the pointer;
    /// elsewhere the viewer's.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// \brief The viewer's keys as they are, then the crop keys on top: the arrows move the
    /// rectangle by one screen pixel, Shift with Left or Right moves its right edge and Shift
    /// with Up or Down its bottom edge; Ctrl makes the step ten pixels.
    ///
    /// A crop key acts only while the rectangle is shown and a logic video is set, as a drag
    /// of the same length would: within the video, the minimum size and the aspect lock, and
    /// reported with focusRectChanged(). Keys reach the viewer when it has keyboard focus.
    void keyPressEvent(QKeyEvent *event) override;
    /// \brief Paints the video, then each view's mask, outline, handles and centre cross.
    void paintEvent(QPaintEvent *event) override;
    /// \brief Turns the editors with the picture when frames of another rotation arrive;
    /// the rectangle stays where it was in the stored picture.
    void frameShapeChanged() override;

private:
    friend class UxAccessibleCrop; // describes the crop rectangles to screen readers
    struct Lock
    {
        bool keep = false;
        bool byView = false;
        int width = 0;
        int height = 0;
    };
    void followInputLayout(bool is3D, bool isTopBottom, bool isUnstretched);
    void layOutEditors(const QRect &rcFocus);
    void applyLock(bool isKeepRect);
    // Hidden: an exported class would otherwise export the instances, whose names carry
    // the editors' internal class.
    template <typename Edit>
    Q_DECL_HIDDEN void editFocus(int nValue, QRect (*turned)(const QRect &, int), Edit edit);
    int uprightRotation() const;
    QRect toUpright(const QRect &stored) const;
    QRect toStored(const QRect &upright) const;
    UxOperationScreen *editorAt(const QPoint &pos) const;
    UxOperationScreen *draggingEditor() const;

    double m_pixelAspect = 1.0;
    QSize m_logicSize = QSize(-1, -1); // as stored, like the rectangle the host sees
    QSize m_minimumSize = QSize(-1, -1);
    int m_rotation = 0; // of the frames, which the editors follow
    Lock m_lock;
    UxOperationScreen *m_first;
    UxOperationScreen *m_second;
};

#endif // UXVIDEOOPERATIONVIEWER_H
