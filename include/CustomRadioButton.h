#ifndef CUSTOMRADIOBUTTON_H
#define CUSTOMRADIOBUTTON_H

#include "CommonCtrls.h"

#include <QRadioButton>

// A radio button that tells the host where its indicator column is, for example to
// line up other controls with it or to take clicks there.
class COMMONCTRLS_EXPORT CustomRadioButton : public QRadioButton
{
    Q_OBJECT

public:
    explicit CustomRadioButton(QWidget *parent = nullptr);

    // The column of the indicator, as the widget's own style lays it out: from the top of
    // the widget to the indicator's bottom, and from the indicator's left edge up to and
    // including the first column of the caption.
    QRect indicatorRect() const;
};

#endif // CUSTOMRADIOBUTTON_H
