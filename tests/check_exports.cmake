# Checks the dynamic symbol table of the library: the exported classes are there and
# the internal helpers are not. Run with -DLIBRARY=<path to libCommonCtrls.so>.
execute_process(COMMAND nm -D --defined-only -C ${LIBRARY}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()

set(required
    "CommonCtrls::getDpi()"
    "CommonCtrls::SizeAdujstDpi(QSize const&)"
    "CommonCtrls::RectAdujstDpi(QRect const&)"
    "CommonCtrls::MarginsAdujstDpi(QMargins const&)"
    "CommonCtrls::getImagePathByDpi(QString const&)"
    "CommonCtrls::getGifPath(QString const&, double&)"
    "CommonCtrls::getPixmapFromString(QString const&)"
    "CommonCtrls::getImageFromString(QString const&)"
    "CommonCtrls::g_bMediaShowTooptip"
    "UxProductInfo::instance()"
    "UxProductInfo::extendParam(QString const&, QString const&) const"
    "UxProductInfo::setExtendParam(QString const&, QString const&)"
    "UxResourceMgr::getZoomDPI()"
    "UxResourceMgr::setZoomDPI(double)"
    "UxPushButton::staticMetaObject"
    "UxPushButton::stdDPI"
    "UxPushButton::setDisableTextInfo(QString)"
    "UxCheckBox::staticMetaObject"
    "UxRadioButton::setDisableTextInfo(QString)"
    "uxToolButton::setTextAlign(int)"
    "UxComboBox::stdDPI"
    "UxComboBox::setDisableImage(QString)"
    "UxScrollButton::setArrowDisableImage(QString const&)"
    "CustomRadioButton::indicatorRect() const"
    "UxVideoViewer::onUpdateVideo(QImage const&)"
    "UxVideoViewer::calcVideoRect()"
    "UxVideoViewer::onUpdateVideoFrame(UxVideoFrame const&)"
    "UxVideoFrame::isValid() const"
    "UxVideoFrame::toImage() const"
    "UxVideoViewer::staticMetaObject"
    "UxVideoFullScreenViewer::setControlBar(QWidget*)"
    "UxVideoOperationViewer::setLogicVideo(QSize const&, int, int, QRect const&, QSize const&)"
    "UxVideoOperationViewer::onFocusWidthChanged(int)"
    "UxSlider::staticMetaObject"
    "UxPlaySeekingBar::setTrimRangeMargin(QString const&)"
    "UxTrimSeekingBar::eventFilter(QObject*, QEvent*)"
    "UxProgressBar::setDoubleValue(int, int)"
    "UxCircleProgressBar::setValue(int)"
    "UxAutoScrollListView::staticMetaObject"
    "UxAutoScrollListView::setScrollButtonVisual(bool)"
    "UxAutoScrollListView::on_btnPageDown_clicked()"
    "UxComboboxViewItemDelegate::setCheckImage(QString const&)"
    "UxComboboxViewItemDelegate::setBacColorH(QColor const&)"
    "UxDelegateComboBox::hideCombox()"
    "UxLineEditWithToolbutton::toolbuttonClicked()"
    "UxAutoTimeEidt::stepBy(int)"
    "UxAutoTimeEidt::staticMetaObject"
)
set(forbidden uxPaintNineSlice UxPackedText UxDisabledSkin uxTruncToInt UxFrameScaler
    uxCopyOpaqueRows UxOperationScreen uxCircleArc UxYuvPicture uxRenderYuv)

foreach(symbol IN LISTS required)
    string(FIND "${symbols}" "${symbol}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "not exported: ${symbol}")
    endif()
endforeach()
foreach(symbol IN LISTS forbidden)
    string(FIND "${symbols}" "${symbol}" at)
    if(NOT at EQUAL -1)
        message(FATAL_ERROR "internal symbol exported: ${symbol}")
    endif()
endforeach()
message(STATUS "exports as expected")
