#ifndef UXDISABLEDSKIN_H
#define UXDISABLEDSKIN_H

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QString>

class QWidget;

// Where one skinned widget class puts the disabled-state image and caption. The skinned
// buttons differ only in these values; everything else is the same skin.
struct UxDisabledSkinLayout
{
    enum class InfoForm {
        Short, // x and width cuts only; the caption spans the widget less captionInset
        Long,  // adds the caption's top and height, scaled by the screen's logical DPI
    };
    static constexpr int kInsetIsImageX = -1;

    InfoForm form;
    // Top and bottom inset of the image rectangle, or kInsetIsImageX to use image x.
    int imageInset;
    // The artwork's frame left out on every side, in device-independent pixels.
    int sourceFrame;
    // The source's left edge and width cut follow image x and image width cut instead of
    // the frame (the combo box draws only the part of its artwork under the field).
    bool sourceFollowsImageX;
    // Short form: top and bottom inset of the caption rectangle.
    int captionInset;
    // Whether a widget without a caption draws no image either.
    bool imageNeedsCaption;
    Qt::Alignment alignment;
};

// The disabled-state skin that the skinned buttons paint over their base painting:
// an image and the widget's own caption, placed and coloured by a packed info text.
//
// Info fields: imageX, imageWidthCut, textX, textWidthCut, then (long form only)
// textY and textHeight, both multiplied by the screen factor, then r, g, b and an
// optional alpha. Fields that a text does not reach keep their earlier values.
class UxDisabledSkin
{
public:
    using Layout = UxDisabledSkinLayout;
    using InfoForm = Layout::InfoForm;

    // The push button leaves out a 4-pixel artwork frame and centres its caption.
    static constexpr Layout kPushButton = {InfoForm::Long,
                                           Layout::kInsetIsImageX,
                                           4,
                                           false,
                                           0,
                                           true,
                                           Qt::AlignHCenter | Qt::AlignVCenter};
    // Check boxes and radio buttons stretch the whole artwork over their full height and
    // show it also without a caption.
    static constexpr Layout kCheckable = {
        InfoForm::Short, 0, 0, false, 0, false, Qt::AlignLeft | Qt::AlignVCenter};
    // The tool button's alignment is its textAlign property, passed when it paints.
    static constexpr Layout kToolButton = {
        InfoForm::Short, 3, 3, false, 3, true, Qt::AlignLeft | Qt::AlignVCenter};
    static constexpr Layout kComboBox = {
        InfoForm::Long, 3, 4, true, 0, true, Qt::AlignLeft | Qt::AlignVCenter};

    // standardDpi is the screen DPI that counts as a factor of 1.0 (long form only).
    explicit UxDisabledSkin(const Layout &layout, int standardDpi = 96);

    const QString &imagePath() const { return m_imagePath; }
    void setImagePath(const QString &path);
    const QString &textInfo() const { return m_textInfo; }
    void setTextInfo(const QString &info);

    // The overlay shows while the widget is disabled and the info text is not blank.
    bool isDue(const QWidget &widget) const;

    // Paints the overlay on widget when it is due; caption is the widget's own text.
    void paint(QWidget &widget, const QString &caption) const;
    void paint(QWidget &widget, const QString &caption, Qt::Alignment alignment) const;

    // Where the overlay goes on a widget of the given size, and which part of the image
    // (in device pixels) it draws there.
    QRect imageRect(const QSize &widget) const;
    QRectF imageSource() const;
    QRect captionRect(const QSize &widget) const;

    const QPixmap &image() const { return m_image; }
    int imageX() const { return m_imageX; }
    int imageWidthCut() const { return m_imageWidthCut; }
    int textX() const { return m_textX; }
    int textWidthCut() const { return m_textWidthCut; }
    int textY() const { return m_textY; }
    int textHeight() const { return m_textHeight; }
    QColor textColor() const { return m_textColor; }

private:
    double screenFactor();

    Layout m_layout;
    int m_standardDpi;
    QString m_imagePath;
    QPixmap m_image;
    int m_imageX = 0;
    int m_imageWidthCut = 0;
    int m_textX = 0;
    int m_textWidthCut = 0;
    int m_textY = 0;
    int m_textHeight = 0;
    QColor m_textColor = QColor(0, 0, 0, 255);
    QString m_textInfo;
    bool m_screenFactorMeasured = false;
    double m_screenFactor = 1.0;
};

// Defines the constructor, destructor and property accessors of a skinned widget class
// that keeps its skin in m_skin, so that every class is made and forwards in the same way.
// The remaining arguments are those of the skin's constructor.
#define UX_DISABLED_SKIN_MEMBERS(Class, Base, ...)                                                 \
    Class::Class(QWidget *parent)                                                                  \
        : Base(parent)                                                                             \
        , m_skin(new UxDisabledSkin(__VA_ARGS__))                                                  \
    {                                                                                              \
    }                                                                                              \
    Class::~Class() = default;                                                                     \
    QString Class::disableImage()                                                                  \
    {                                                                                              \
        return m_skin->imagePath();                                                                \
    }                                                                                              \
    void Class::setDisableImage(QString path)                                                      \
    {                                                                                              \
        m_skin->setImagePath(path);                                                                \
    }                                                                                              \
    QString Class::disableTextInfo()                                                               \
    {                                                                                              \
        return m_skin->textInfo();                                                                 \
    }                                                                                              \
    void Class::setDisableTextInfo(QString info)                                                   \
    {                                                                                              \
        m_skin->setTextInfo(info);                                                                 \
    }

#endif // UXDISABLEDSKIN_H
