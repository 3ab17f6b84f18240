// A host program built against the installed headers and library only.
#include <CommonCtrls.h>
#include <UxPushButton.h>
#include <UxResourceMgr.h>

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
    return scaled && styled ? 0 : 1;
}
