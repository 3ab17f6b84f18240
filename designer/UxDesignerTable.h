#pragma once

// The library's widgets as Qt Designer offers them: one row per exported widget class.
// Everything that differs between two widgets in Designer lives in this table; the
// plugin reads a row and nothing else.

#include <QIcon>
#include <QSize>

#include <vector>

class QWidget;

// The small pictures that stand for the widgets in Designer's widget box.
enum class UxGlyph {
    PushButton,
    CheckBox,
    RadioButton,
    ToolButton,
    ArrowButton,
    ComboBox,
    DropDownList,
    ProgressBar,
    Ring,
    Slider,
    SeekBar,
    TrimBar,
    Video,
    FullScreenVideo,
    CropVideo,
    List,
    LineEdit,
    Clock,
};

// A property a new widget gets on the form, in the form file's own value types
// ("string", "number", "enum"). A null name means none.
struct UxDesignerProperty
{
    const char *name;
    const char *type;
    const char *value;
};

struct UxDesignerEntry
{
    const char *className; // the header is named after the class: "<className>.h"
    const char *toolTip;
    const char *whatsThis;
    QSize size; // the geometry a new widget gets on the form
    UxGlyph glyph;
    UxDesignerProperty initial;
    QWidget *(*create)(QWidget *parent);
};

const std::vector<UxDesignerEntry> &uxDesignerEntries();

// The glyph painted at 24x24 and, for high-density screens, at 48x48.
QIcon uxDesignerIcon(UxGlyph glyph);
