#include "UxDesignerPlugin.h"

#include <QWidget>

UxDesignerWidget::UxDesignerWidget(const UxDesignerEntry &entry)
    : m_entry(entry)
{
}

QString UxDesignerWidget::name() const
{
    return QString::fromLatin1(m_entry.className);
}

QString UxDesignerWidget::group() const
{
    return QStringLiteral("CommonCtrls");
}

QString UxDesignerWidget::toolTip() const
{
    return QString::fromUtf8(m_entry.toolTip);
}

QString UxDesignerWidget::whatsThis() const
{
    return QString::fromUtf8(m_entry.whatsThis);
}

QString UxDesignerWidget::includeFile() const
{
    return name() + QStringLiteral(".h");
}

QIcon UxDesignerWidget::icon() const
{
    return uxDesignerIcon(m_entry.glyph);
}

bool UxDesignerWidget::isContainer() const
{
    return false;
}

QWidget *UxDesignerWidget::createWidget(QWidget *parent)
{
    return m_entry.create(parent);
}

bool UxDesignerWidget::isInitialized() const
{
    return m_initialized;
}

void UxDesignerWidget::initialize(QDesignerFormEditorInterface *)
{
    m_initialized = true;
}

// The object name drops the "Ux" prefix: "UxPushButton" becomes "pushButton" and
// "uxToolButton" "toolButton". A name equal to the class name would not compile in the
// code generated from the form, where a member is declared as "Class *name;".
QString UxDesignerWidget::domXml() const
{
    QString objectName = name();
    if (objectName.startsWith(QLatin1String("ux"), Qt::CaseInsensitive))
        objectName.remove(0, 2);
    objectName[0] = objectName[0].toLower();

    QString initial;
    if (const UxDesignerProperty &property = m_entry.initial; property.name)
        initial = QStringLiteral("  <property name=\"%1\"><%2>%3</%2></property>\n")
                      .arg(QLatin1String(property.name), QLatin1String(property.type),
                           QString::fromUtf8(property.value));

    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          "%5"
                          " </widget>\n"
                          "</ui>\n")
        .arg(name(), objectName)
        .arg(m_entry.size.width())
        .arg(m_entry.size.height())
        .arg(initial);
}

UxDesignerPlugin::UxDesignerPlugin(QObject *parent)
    : QObject(parent)
{
    for (const UxDesignerEntry &entry : uxDesignerEntries())
        m_widgets.push_back(std::make_unique<UxDesignerWidget>(entry));
}

UxDesignerPlugin::~UxDesignerPlugin() = default;

QList<QDesignerCustomWidgetInterface *> UxDesignerPlugin::customWidgets() const
{
    QList<QDesignerCustomWidgetInterface *> widgets;
    for (const std::unique_ptr<UxDesignerWidget> &widget : m_widgets)
        widgets << widget.get();
    return widgets;
}
