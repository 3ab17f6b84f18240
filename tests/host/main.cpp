// A host program built against the installed headers and library only: it includes
// every public header and makes one of each widget.
#include <CommonCtrls.h>
#include <CustomRadioButton.h>
#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxCheckBox.h>
#include <UxCircleProgressBar.h>
#include <UxComboBox.h>
#include <UxComboboxViewItemDelegate.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>
#include <UxPlaySeekingBar.h>
#include <UxProductInfo.h>
#include <UxProgressBar.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxResourceMgr.h>
#include <UxScrollButton.h>
#include <UxSlider.h>
#include <UxTrimSeekingBar.h>
#include <UxVideoFrame.h>
#include <UxVideoFullScreenViewer.h>
#include <UxVideoOperationViewer.h>
#include <UxVideoViewer.h>
#include <uxToolButton.h>

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    UxResourceMgr::setZoomDPI(1.5);
    UxPushButton button;
    button.setStyleSheet("UxPushButton { qproperty-disableTextInfo: \"2,4\"; }");
    button.ensurePolished();
    const bool scaled = CommonCtrls::SizeAdujstDpi(QSize(20, 20)) == QSize(15, 15);
    const bool styled = button.disableTextInfo() == QLatin1String("2,4");

    UxComboBox combo;
    new UxComboboxViewItemDelegate(&combo);
    const QList<QWidget *> widgets = {
        new UxCheckBox, new UxRadioButton, new uxToolButton, new UxScrollButton,
        new CustomRadioButton, new UxProgressBar, new UxCircleProgressBar, new UxSlider,
        new UxPlaySeekingBar, new UxTrimSeekingBar, new UxVideoViewer,
        new UxVideoFullScreenViewer, new UxVideoOperationViewer, new UxAutoScrollListView,
        new UxDelegateComboBox, new UxLineEditWithToolbutton, new UxAutoTimeEidt};
    qDeleteAll(widgets);

    // A decoder's 2 x 2 picture: four luma samples, one of each chroma.
    const uchar luma[4] = {16, 16, 16, 16}, chroma[1] = {128};
    UxVideoFrame frame(UxVideoFrame::Format_YUV420P, QSize(2, 2));
    frame.setPlane(0, luma, 2);
    frame.setPlane(1, chroma, 1);
    frame.setPlane(2, chroma, 1);
    UxVideoViewer viewer;
    viewer.onUpdateVideoFrame(frame);
    const bool converted = frame.toImage().pixel(1, 1) == qRgb(0, 0, 0);
    return scaled && styled && converted ? 0 : 1;
}
