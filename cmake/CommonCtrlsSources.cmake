# The library's files, listed once. The object library in src/ compiles them for the
# shared library and the white-box tests; the fuzz targets compile them again with their
# own instrumentation. All paths are absolute, so that any folder can use the lists.
#
# src/ is layered: frame/ is the ground floor (numeric and geometry helpers, packed texts,
# nine-slice painting, the accessibility notifications); the widget subsystems (buttons/,
# progress/, sliders/, video/, lists/) build on it; accessibility/ sits above them and
# describes their widgets to assistive tools; host/ holds the stand-in of the host's
# product information and resources.

set(COMMONCTRLS_PUBLIC_HEADERS
    CommonCtrls.h
    CustomRadioButton.h
    UxCheckBox.h
    UxCircleProgressBar.h
    UxComboBox.h
    UxPlaySeekingBar.h
    UxProgressBar.h
    UxPushButton.h
    UxRadioButton.h
    UxScrollButton.h
    UxSlider.h
    UxTrimSeekingBar.h
    UxVideoFullScreenViewer.h
    UxVideoOperationViewer.h
    UxVideoFrame.h
    UxVideoViewer.h
    UxAutoScrollListView.h
    UxComboboxViewItemDelegate.h
    UxDelegateComboBox.h
    UxLineEditWithToolbutton.h
    UxAutoTimeEidt.h
    uxToolButton.h
)
list(TRANSFORM COMMONCTRLS_PUBLIC_HEADERS PREPEND ${PROJECT_SOURCE_DIR}/include/)

set(COMMONCTRLS_SOURCES
    frame/CommonCtrls.cpp
    frame/UxAccessible.cpp
    frame/UxAccessible.h
    frame/UxGeometry.h
    frame/UxNineSlice.cpp
    frame/UxNineSlice.h
    frame/UxNumeric.h
    frame/UxPackedText.cpp
    frame/UxPackedText.h
    buttons/CustomRadioButton.cpp
    buttons/UxCheckBox.cpp
    buttons/UxComboBox.cpp
    buttons/UxDisabledSkin.cpp
    buttons/UxDisabledSkin.h
    buttons/UxPushButton.cpp
    buttons/UxRadioButton.cpp
    buttons/UxScrollButton.cpp
    buttons/uxToolButton.cpp
    progress/UxCircleArc.h
    progress/UxCircleProgressBar.cpp
    progress/UxProgressBar.cpp
    sliders/UxPlaySeekingBar.cpp
    sliders/UxSeekPreviewPopup.cpp
    sliders/UxSeekPreviewPopup.h
    sliders/UxSlider.cpp
    sliders/UxSliderAxis.h
    sliders/UxSliderGroove.h
    sliders/UxTrimSeekingBar.cpp
    video/UxFramePath.cpp
    video/UxFramePath.h
    video/UxOperationScreen.cpp
    video/UxOperationScreen.h
    video/UxVideoFullScreenViewer.cpp
    video/UxVideoOperationViewer.cpp
    video/UxVideoFrame.cpp
    video/UxVideoViewer.cpp
    video/UxYuvPath.cpp
    video/UxYuvPath.h
    lists/UxAutoScrollListView.cpp
    lists/UxAutoTimeEidt.cpp
    lists/UxComboboxViewItemDelegate.cpp
    lists/UxDelegateComboBox.cpp
    lists/UxLineEditWithToolbutton.cpp
    accessibility/UxAccessibleBase.h
    accessibility/UxAccessibleFactory.cpp
    accessibility/UxProgressAccessible.cpp
    accessibility/UxSliderAccessible.cpp
    accessibility/UxVideoAccessible.cpp
)
if(COMMONCTRLS_HOST_STANDIN)
    # The stand-in's headers are installed with it; a real host brings its own.
    list(APPEND COMMONCTRLS_SOURCES host/UxProductInfo.cpp host/UxResourceMgr.cpp)
    list(APPEND COMMONCTRLS_PUBLIC_HEADERS
        ${PROJECT_SOURCE_DIR}/include/UxProductInfo.h
        ${PROJECT_SOURCE_DIR}/include/UxResourceMgr.h)
endif()
list(TRANSFORM COMMONCTRLS_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/src/)
# moc reads the public headers, so they are listed with the sources.
list(PREPEND COMMONCTRLS_SOURCES ${COMMONCTRLS_PUBLIC_HEADERS})
