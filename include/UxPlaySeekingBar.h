#ifndef UXPLAYSEEKINGBAR_H
#define UXPLAYSEEKINGBAR_H

#include "CommonCtrls.h"

#include <QColor>
#include <QList>
#include <QPixmap>
#include <QSlider>
#include <QStringList>

class UxSeekPreviewPopup;
class UxTrimSeekingBar;

/// \brief The position bar of a media player: a slider with a usable range, a trim-range
/// skin, groove end spaces and a show-only mode.
///
/// Beyond QSlider it has
///  - a usable range (minUsablePos()..maxUsablePos()), the part of the media in play;
///    clicks outside it are refused unless outer clicks are allowed;
///  - a trim-range image, a skin stretched over the groove by nine-slice scaling and
///    shown only between the two usable values (trimRangeImage, trimRangeMargin as
///    "top,right,bottom,left");
///  - groove outer spaces, pixels at each end that the value range does not cover, for
///    artwork with end caps (grooveOutterSpace as "min,max");
///  - a show-only mode without handle that ignores left clicks.
///
/// A left click off the handle jumps to the clicked value.
///
/// Two additions are off until a host uses them. With previewEnabled, hovering the groove
/// asks the host for a picture of the value under the pointer (previewRequested()), which
/// the host hands to showPreview() and the bar shows in a small popup above the pointer.
/// With setChapters(), marks are drawn on the groove at the chapters' values (skinned with
/// chapterMarkColor or chapterMarkImage) and Page Up and Page Down move between them.
///
/// The groove and the handle are drawn in two passes, with the trim image between
/// them; a style sheet that gives the bar a background paints it at each pass, so
/// style-sheeted bars take "background: transparent". A range of exactly 2^31 is narrowed
/// by one at its lower end, as Qt's styles divide by zero on it.
class COMMONCTRLS_EXPORT UxPlaySeekingBar : public QSlider
{
    Q_OBJECT
    /// \brief Path of the trim-range skin; style sheet `qproperty-trimRangeImage`.
    ///
    /// Loaded once when set, through CommonCtrls::getPixmapFromString(). It is sliced to the
    /// whole groove with trimRangeMargin and shows only strictly between the pixels of the
    /// two usable values, so a reversed usable range shows none. A path that does not load
    /// shows no skin.
    Q_PROPERTY(QString trimRangeImage READ trimRangeImage WRITE setTrimRangeImage
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Nine-slice margins of the trim-range skin as "top,right,bottom,left" in
    /// pixels; style sheet `qproperty-trimRangeMargin`.
    ///
    /// Only a text of exactly four comma parts applies; parts that are not numbers read 0,
    /// other texts are ignored. Reads back as the four numbers in use, "0,0,0,0" at first.
    Q_PROPERTY(QString trimRangeMargin READ trimRangeMargin WRITE setTrimRangeMargin
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Pixels at the groove's minimum and maximum ends that the value range does not
    /// cover, as "min,max"; style sheet `qproperty-grooveOutterSpace`.
    ///
    /// Only a text of exactly two comma parts applies; parts that are not numbers read 0,
    /// other texts are ignored. Negative spaces stretch the range past the groove. Reads back
    /// as the two numbers in use, "0,0" at first.
    Q_PROPERTY(QString grooveOutterSpace READ grooveOutterSpace WRITE setGrooveOutterSpace
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Whether hovering the groove previews the value under the pointer; style sheet
    /// `qproperty-previewEnabled`. Off at first.
    ///
    /// While on, each pointer move over the bar that is not part of a drag emits
    /// previewRequested() with the value a click there would jump to, when it differs from
    /// the last one; leaving, a press, hiding the bar or switching this off ends the preview
    /// with previewEnded().
    Q_PROPERTY(bool previewEnabled READ isPreviewEnabled WRITE setPreviewEnabled
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Colour of the chapter marks, a line across the groove at each chapter's
    /// pixel; style sheet `qproperty-chapterMarkColor`.
    ///
    /// Invalid at first, which draws them in the palette's window text colour. Not used
    /// while chapterMarkImage holds a picture.
    Q_PROPERTY(QColor chapterMarkColor READ chapterMarkColor WRITE setChapterMarkColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    /// \brief Path of a picture drawn centred on each chapter's pixel instead of the line;
    /// style sheet `qproperty-chapterMarkImage`.
    ///
    /// Loaded once when set, through CommonCtrls::getPixmapFromString(). A path that does
    /// not load draws the line in chapterMarkColor.
    Q_PROPERTY(QString chapterMarkImage READ chapterMarkImage WRITE setChapterMarkImage
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    /// \brief Creates the bar as a child of parent, with a usable range of 0..0 and no skin.
    explicit UxPlaySeekingBar(QWidget *parent = nullptr);

    /// \brief Sets both ends of the usable range, in slider values, and repaints.
    ///
    /// Taken as given: not checked against the slider's range or each other.
    void setUsableRange(int nMin, int nMax);
    /// \brief Sets the usable range's lower end and repaints.
    void setMinUsablePos(int nValue);
    /// \brief Sets the usable range's upper end and repaints.
    void setMaxUsablePos(int nValue);
    /// \brief The usable range's lower end (0 at first).
    int minUsablePos() const;
    /// \brief The usable range's upper end (0 at first).
    int maxUsablePos() const;
    /// \brief Whether a click off the handle outside the usable range jumps there too;
    /// refused at first.
    void setOutterTrimRangeClickable(bool isClickable);
    /// \brief Whether clicks outside the usable range jump.
    bool isOutterTrimRangeClickable() const;
    /// \brief Show-only mode: no handle is painted and left presses are swallowed (no jump,
    /// no drag); keys and wheel still move the value. Shows at the next repaint.
    void setTrimRangeShowOnly(bool isShowOnly);
    /// \brief Whether the bar is in show-only mode; off at first.
    bool isTrimRangeShowOnly() const;

    /// \brief Sets the trim-range skin's path and loads it; shows at the next repaint.
    void setTrimRangeImage(const QString &strImage);
    /// \brief The trim-range skin's path as last set, also when it did not load.
    QString trimRangeImage() const;
    /// \brief Applies "top,right,bottom,left" margins; see trimRangeMargin.
    void setTrimRangeMargin(const QString &strMargin);
    /// \brief The margins in use as "top,right,bottom,left".
    QString trimRangeMargin() const;
    /// \brief Applies "min,max" outer spaces; see grooveOutterSpace.
    void setGrooveOutterSpace(const QString &strSpace);
    /// \brief The outer spaces in use as "min,max".
    QString grooveOutterSpace() const;
    /// \brief The outer space at the minimum's end, in pixels.
    int grooveMinOutter() const;
    /// \brief The outer space at the maximum's end, in pixels.
    int grooveMaxOutter() const;

    /// \brief The handle's size in pixels, as the style lays it out.
    QSize handleSize() const;
    /// \brief The screen x (horizontal bar) or y (vertical bar) of a value's pixel on the
    /// groove less its outer spaces; saturated at the int limits.
    int calcGlobalPosByValue(int nValue);
    /// \brief The value at a screen point: rounded to the nearest value and clamped into
    /// the range.
    int calcValueByGlobalPos(const QPoint &pos);

    /// \brief Switches the hover preview on or off; see previewEnabled.
    void setPreviewEnabled(bool isEnabled);
    /// \brief Whether the hover preview is on.
    bool isPreviewEnabled() const;

    /// \brief Sets the chapters: their start values and, index for index, their titles
    /// (missing titles are empty, extra ones are dropped); repaints.
    ///
    /// Chapters are kept in the order of their values. Values outside the range are kept
    /// but draw no mark. An empty list removes the marks and gives Page Up and Page Down
    /// back to QSlider.
    void setChapters(const QList<int> &positions, const QStringList &titles = QStringList());
    /// \brief The chapters' start values, in ascending order.
    QList<int> chapters() const;
    /// \brief The chapters' titles, in the order of chapters().
    QStringList chapterTitles() const;
    /// \brief The index in chapters() of the chapter that value lies in: the last one that
    /// starts at or before it; -1 before the first chapter or without chapters.
    int chapterAt(int value) const;
    /// \brief The title of the chapter that value lies in; empty where chapterAt() is -1.
    QString chapterTitleAt(int value) const;
    /// \brief Sets the chapter marks' colour and repaints; see chapterMarkColor.
    void setChapterMarkColor(const QColor &color);
    /// \brief The chapter marks' colour as set; invalid at first.
    QColor chapterMarkColor() const;
    /// \brief Sets the chapter mark picture's path, loads it and repaints; see
    /// chapterMarkImage.
    void setChapterMarkImage(const QString &strImage);
    /// \brief The chapter mark picture's path as last set, also when it did not load.
    QString chapterMarkImage() const;

public Q_SLOTS:
    /// \brief Shows the host's answer to previewRequested(): picture, with caption (the
    /// time, a chapter's title) under it, in a popup centred above the pointer.
    ///
    /// The picture is shown at its logical size (its size over its device-pixel ratio).
    /// The popup stays inside the screen under the pointer and, across, inside the bar's
    /// window; it goes below the bar where the screen has no room above. A null picture
    /// hides it; an answer that comes after the preview ended is dropped.
    void showPreview(const QPixmap &picture, const QString &caption = QString());

Q_SIGNALS:
    /// \brief The pointer rests over value, or a trim handle with focus stands there: the
    /// host may answer with showPreview().
    ///
    /// value is the one a click at the pointer would jump to. Where a click would be
    /// refused (outside the usable range without outer clicks, or in show-only mode) the
    /// preview ends instead.
    void previewRequested(int value);
    /// \brief The preview ended: the pointer left, a press began, the bar hid, the value
    /// left the usable range or previewEnabled went off. Emitted once per preview.
    void previewEnded();

protected:
    /// \brief A left press off the handle jumps to the value under the mouse, as a
    /// SliderMove action, when that value is within the usable range or outer clicks are
    /// allowed.
    ///
    /// On the handle it starts the ordinary drag; in show-only mode it is swallowed. Other
    /// buttons, and presses on a disabled bar, are QSlider's.
    void mousePressEvent(QMouseEvent *event) override;
    /// \brief QSlider's, then narrows a range of exactly 2^31 by one at its lower end.
    void sliderChange(SliderChange change) override;
    /// \brief Paints the groove and tick marks, the trim-range skin, then the handle unless
    /// in show-only mode.
    void paintEvent(QPaintEvent *event) override;
    /// \brief QSlider's, then, with previewEnabled, previews the value under the pointer
    /// while no button is down.
    void mouseMoveEvent(QMouseEvent *event) override;
    /// \brief Ends the preview, then QSlider's.
    void leaveEvent(QEvent *event) override;
    /// \brief Ends the preview, then QSlider's.
    void hideEvent(QHideEvent *event) override;
    /// \brief With chapters set, Page Up moves to the next chapter's value and Page Down
    /// to the previous one's (swapped with invertedControls), the range's ends counting
    /// as the last stops; other keys, and all keys without chapters, are QSlider's.
    void keyPressEvent(QKeyEvent *event) override;

    /// \brief Widget coordinate along the orientation to the value there: the range is laid
    /// along the groove inset by the outer spaces; rounded and clamped into the range.
    int pixelPosToRangeValue(int pos) const;
    /// \brief Value to widget coordinate along the orientation; saturated at the int limits.
    int rangeValueToPixelPos(int value) const;
    /// \brief Paints the trim-range skin into target at size by nine-slice scaling with
    /// trimRangeMargin, after clearing it to transparent.
    ///
    /// Returns false, and leaves target untouched, when there is no skin.
    bool scaleTrimRangeImage(QPixmap &target, const QSize &size);

private:
    friend class UxTrimSeekingBar; // previews a focused trim handle's value

    int clickTarget(const QPoint &pos) const;
    bool acceptsJumpTo(int target) const;
    void requestPreview(int value, const QPoint &anchor);
    void endPreview();
    void showPopup();
    void paintChapterMarks(QPainter &painter, const QRect &groove);
    int nextChapterStop(int value, bool forward) const;

    int m_minUsable = 0;
    int m_maxUsable = 0;
    bool m_outerClickable = false;
    QString m_trimRangeImagePath;
    QPixmap m_trimRangeSkin;
    QRect m_trimRangeMargins = QRect(); // corners hold left, top, right, bottom
    const QPixmap &trimRangePicture(const QSize &size);
    QPixmap m_trimRangeCache; // the skin sliced to a groove, and what it was made from:
    qint64 m_trimRangeCacheSkinKey = 0;
    QRect m_trimRangeCacheMargins;
    int m_grooveMinOuter = 0;
    int m_grooveMaxOuter = 0;
    bool m_showOnly = false;
    bool m_previewEnabled = false;
    bool m_trackedBeforePreview = false;
    bool m_previewing = false; // previewRequested() went out and no previewEnded() since
    int m_previewValue = 0;
    QPoint m_previewAnchor; // in this bar, where the popup's bottom centre points
    UxSeekPreviewPopup *m_previewPopup = nullptr; // made when first needed
    QList<int> m_chapters;
    QStringList m_chapterTitles;
    QColor m_chapterMarkColor;
    QString m_chapterMarkImagePath;
    QPixmap m_chapterMarkSkin;
};

#endif // UXPLAYSEEKINGBAR_H
