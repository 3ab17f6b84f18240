#ifndef HELPERSPAGE_H
#define HELPERSPAGE_H

#include "GalleryPage.h"

class QCheckBox;
class QLabel;
class QTableWidget;

// The zoom and image helpers: what they answer at the current zoom factor and device
// pixel ratio, and an image loaded through them.
class HelpersPage : public GalleryPage
{
    Q_OBJECT

public:
    explicit HelpersPage(QWidget *parent = nullptr);
    void refresh() override;

private Q_SLOTS:
    void setZoomSwitchedOff(bool off);

private:
    void fillTable();

    QCheckBox *m_switch;
    QTableWidget *m_table;
    QLabel *m_chosenImage;
    QLabel *m_chosenCaption;
    QLabel *m_plainImage;
    QLabel *m_plainCaption;
};

#endif // HELPERSPAGE_H
