#ifndef CUSTOMRADIOBUTTON_H
#define CUSTOMRADIOBUTTON_H

#include "CommonCtrls.h"

#include <QRadioButton>

/// \brief A radio button that tells the host where its indicator column is, for example to
/// line up other controls with it or to take clicks there.
///
/// Painting and behaviour are QRadioButton's.
class COMMONCTRLS_EXPORT CustomRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    /// \brief Creates the button, without a caption, as a child of parent.
    explicit CustomRadioButton(QWidget *parent = nullptr);

    /// \brief The column of the indicator, in widget pixels, as the widget's own style lays
    /// it out.
    ///
    /// It reaches from the top of the widget to the indicator's bottom, and from the
    /// indicator's left edge up to and including the first column of the caption.
    QRect indicatorRect() const;
};

#endif // CUSTOMRADIOBUTTON_H
