#ifndef UXVIDEOOPERATIONVIEWER_H
#define UXVIDEOOPERATIONVIEWER_H

#include "UxVideoViewer.h"

class UxOperationScreen;

// A video viewer with a crop editor on top. The host announces its own video (the
// logic video) with setLogicVideo; the user moves and resizes the focus rectangle with
// eight handles over the picture, and every edit is reported in the host's pixels with
// focusRectChanged. Host controls drive the rectangle through the onFocus... slots,
// which do not emit. For stereoscopic input each view has its own editor, and the two
// always show the same rectangle.
//
// Call setInputVideo and update3DInput on this type: they hide the viewer's own.
class COMMONCTRLS_EXPORT UxVideoOperationViewer : public UxVideoViewer
{
    Q_OBJECT

public:
    explicit UxVideoOperationViewer(QWidget *parent = nullptr);

    // szLogic shown at nNum:nDen, with the current crop and the smallest allowed one,
    // all in logic pixels. A zero or negative aspect term means square pixels.
    void setLogicVideo(const QSize &szLogic, int nNum, int nDen, const QRect &rcFocus,
                       const QSize &szMin);
    void setInputVideo(const QSize &szVideo, bool is3D, bool isTopBottom, bool isUnstretched);
    void update3DInput(bool is3D, bool isTopBottom, bool isUnstretched);

    QRect focusRect() const;
    double pixelAspect() const;

    // Lock the rectangle to nW:nH logic pixels, or to nW:nH as displayed. With
    // isKeepRect the current rectangle is kept as it is until the next edit.
    void setFocusZoneKeepAspectRatioByLogic(bool keep, int nW, int nH, bool isKeepRect);
    void setFocusZoneKeepAspectRatioByView(bool keep, int nW, int nH, bool isKeepRect);

    void setShowFocusZone(bool show);
    bool showFocusZone() const;
    void setMaskUnfocusZone(bool mask);
    bool maskUnfocusZone() const;
    void setClipRectColor(const QColor &color);
    void setClipRegionColor(const QColor &color);
    void reset();

Q_SIGNALS:
    void focusRectChanged(const QRect &rcFocus);

public Q_SLOTS:
    void onFocusLeftChanged(int nValue);
    void onFocusTopChanged(int nValue);
    void onFocusWidthChanged(int nValue);
    void onFocusHeightChanged(int nValue);
    void onFocusRectChanged(const QRect &rcFocus);

protected Q_SLOTS:
    void onVideoRectChanged(const QRect &rcVideo);
    void onScreenFocusRectChanged(const QRect &rcFocus);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void followInputLayout(bool is3D, bool isTopBottom, bool isUnstretched);
    UxOperationScreen *editorAt(const QPoint &pos) const;
    UxOperationScreen *draggingEditor() const;

    double m_pixelAspect = 1.0;
    UxOperationScreen *m_first;
    UxOperationScreen *m_second;
};

#endif // UXVIDEOOPERATIONVIEWER_H
