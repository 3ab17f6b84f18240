#ifndef UXSEEKPREVIEWPOPUP_H
#define UXSEEKPREVIEWPOPUP_H

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <cmath>

// A picture's size in logical pixels, its pixels over its device-pixel ratio, a part
// pixel counting whole.
inline QSize uxLogicalSize(const QPixmap &picture)
{
    const qreal ratio = picture.devicePixelRatio();
    return QSize(int(std::ceil(picture.width() / ratio)), int(std::ceil(picture.height() / ratio)));
}

// The small frameless window in which a seek bar shows the host's picture of a hovered
// value, with an optional caption under it. It never takes focus or the mouse. The
// picture is shown at its own device-pixel ratio's logical size and, where that ratio is
// the screen's, copied pixel for pixel.
class UxSeekPreviewPopup : public QWidget
{
public:
    explicit UxSeekPreviewPopup(QWidget *owner);

    // Takes the picture and caption; a null picture hides the popup.
    void setContent(const QPixmap &picture, const QString &caption);
    bool hasContent() const { return !m_picture.isNull(); }

    // Shows the popup centred above anchor (global), or below below (global y) where the
    // screen holding the anchor has no room above, kept inside that screen and, across,
    // inside the owner's window.
    void showAt(const QPoint &anchor, int below);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect captionRect() const;

    QPixmap m_picture;
    QString m_caption;
};

#endif // UXSEEKPREVIEWPOPUP_H
