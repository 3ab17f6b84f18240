#include "UxDesignerTable.h"

#include <CustomRadioButton.h>
#include <UxAutoScrollListView.h>
#include <UxAutoTimeEidt.h>
#include <UxCheckBox.h>
#include <UxCircleProgressBar.h>
#include <UxComboBox.h>
#include <UxDelegateComboBox.h>
#include <UxLineEditWithToolbutton.h>
#include <UxPlaySeekingBar.h>
#include <UxProgressBar.h>
#include <UxPushButton.h>
#include <UxRadioButton.h>
#include <UxScrollButton.h>
#include <UxSlider.h>
#include <UxTrimSeekingBar.h>
#include <UxVideoFullScreenViewer.h>
#include <UxVideoOperationViewer.h>
#include <UxVideoViewer.h>
#include <uxToolButton.h>

namespace {

template <class Widget>
QWidget *create(QWidget *parent)
{
    return new Widget(parent);
}

// In a host the full-screen viewer is a frameless window of its own, as large as its
// screen: its constructor makes it a window, and its minimum size hint is the screen's
// size. On a form it has to be an ordinary child that the user places and sizes, so the
// copy made for Designer is turned back into a child widget, and given a small minimum
// size so that a layout does not grow the form to the size of the screen. Neither
// change reaches the form file (window flags are no property, and Designer writes a
// property only once the user edits it), so the host's viewer stays a screen window.
QWidget *createFullScreenViewer(QWidget *parent)
{
    auto *viewer = new UxVideoFullScreenViewer(parent);
    viewer->setWindowFlags(Qt::Widget);
    viewer->setMinimumSize(1, 1);
    return viewer;
}

const UxDesignerProperty kNone = {nullptr, nullptr, nullptr};
const UxDesignerProperty kHorizontal = {"orientation", "enum", "Qt::Horizontal"};

UxDesignerProperty caption(const char *text)
{
    return {"text", "string", text};
}

} // namespace

const std::vector<UxDesignerEntry> &uxDesignerEntries()
{
    static const std::vector<UxDesignerEntry> entries = {
        {"UxPushButton", "Push button with a disabled-state skin",
         "A push button that paints its own picture and caption while disabled "
         "(disableImage, disableTextInfo).",
         QSize(100, 30), UxGlyph::PushButton, caption("Button"), &create<UxPushButton>},
        {"UxCheckBox", "Check box with a disabled-state skin",
         "A check box that paints its own picture and caption while disabled.", QSize(150, 28),
         UxGlyph::CheckBox, caption("Check box"), &create<UxCheckBox>},
        {"UxRadioButton", "Radio button with a disabled-state skin",
         "A radio button that paints its own picture and caption while disabled.", QSize(150, 28),
         UxGlyph::RadioButton, caption("Radio button"), &create<UxRadioButton>},
        {"CustomRadioButton", "Radio button reporting its indicator",
         "A radio button whose indicatorRect() gives the indicator's column as its style lays "
         "it out.",
         QSize(150, 28), UxGlyph::RadioButton, caption("Radio button"), &create<CustomRadioButton>},
        {"uxToolButton", "Tool button with a disabled-state skin",
         "A tool button that paints its own picture and caption while disabled, the caption "
         "aligned by textAlign.",
         QSize(100, 30), UxGlyph::ToolButton, caption("Tool"), &create<uxToolButton>},
        {"UxScrollButton", "Arrow button",
         "A tool button that draws arrowImage, or arrowDisableImage while disabled, centred "
         "over itself.",
         QSize(30, 30), UxGlyph::ArrowButton, kNone, &create<UxScrollButton>},
        {"UxComboBox", "Combo box with a disabled-state skin",
         "A combo box that paints its own picture and current text while disabled.", QSize(140, 30),
         UxGlyph::ComboBox, kNone, &create<UxComboBox>},
        {"UxDelegateComboBox", "Combo box for skinned drop-down rows",
         "A combo box meant for UxComboboxViewItemDelegate rows; it reports when the pointer "
         "leaves it closed.",
         QSize(140, 30), UxGlyph::DropDownList, kNone, &create<UxDelegateComboBox>},
        {"UxProgressBar",
         "Nine-sliced progress bar",
         "A progress bar drawn from two nine-sliced skins, with a two-colour text and "
         "fractional percentages.",
         QSize(200, 30),
         UxGlyph::ProgressBar,
         {"value", "number", "40"},
         &create<UxProgressBar>},
        {"UxCircleProgressBar", "Ring progress indicator",
         "A ring revealed clockwise as a sector, with the percentage in its centre.", QSize(64, 64),
         UxGlyph::Ring, kNone, &create<UxCircleProgressBar>},
        {"UxSlider", "Slider that jumps to a click",
         "A slider whose groove, when clicked, jumps to the value under the mouse.", QSize(200, 24),
         UxGlyph::Slider, kHorizontal, &create<UxSlider>},
        {"UxPlaySeekingBar", "Seek bar",
         "A seek bar with a usable range, groove end spaces, a nine-sliced trim-range image "
         "and a show-only mode.",
         QSize(300, 24), UxGlyph::SeekBar, kHorizontal, &create<UxPlaySeekingBar>},
        {"UxTrimSeekingBar", "Trim bar",
         "A seek bar with two draggable trim handles below it and a minimum trim length.",
         QSize(300, 48), UxGlyph::TrimBar, kNone, &create<UxTrimSeekingBar>},
        {"UxVideoViewer", "Video surface",
         "Shows the host's frames letter-boxed, stereoscopic input and still pictures; "
         "clicks, wheel and keys become player commands.",
         QSize(320, 180), UxGlyph::Video, kNone, &create<UxVideoViewer>},
        {"UxVideoFullScreenViewer", "Full-screen video surface",
         "A frameless screen-sized video window with a host control bar at its bottom edge; "
         "on a form it is shown as a placeholder child.",
         QSize(320, 180), UxGlyph::FullScreenVideo, kNone, &createFullScreenViewer},
        {"UxVideoOperationViewer", "Crop editor on the video",
         "A video surface with a crop rectangle of eight handles, a minimum size and an "
         "optional aspect lock.",
         QSize(320, 180), UxGlyph::CropVideo, kNone, &create<UxVideoOperationViewer>},
        {"UxAutoScrollListView", "Auto-scrolling list",
         "A list without scroll bars, scrolled by edge buttons, hover, pages and the host.",
         QSize(160, 200), UxGlyph::List, kNone, &create<UxAutoScrollListView>},
        {"UxLineEditWithToolbutton", "Line edit with a button",
         "A line edit with an embedded button that shows while the pointer is over the field.",
         QSize(180, 30), UxGlyph::LineEdit, kNone, &create<UxLineEditWithToolbutton>},
        {"UxAutoTimeEidt", "Time editor stepping whole units",
         "A time editor that steps whole units of the section under the cursor.", QSize(120, 30),
         UxGlyph::Clock, kNone, &create<UxAutoTimeEidt>},
    };
    return entries;
}
