// Loads the installed Designer plugin and holds it against the installed headers: every
// exported widget class is offered, and each offer makes a usable widget on a form.
// COMMONCTRLS_DESIGNER_PLUGIN names the plugin file, COMMONCTRLS_DESIGNER_INCLUDE_DIR the
// installed include/CommonCtrls folder.

#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

#include <QDir>
#include <QLayout>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// Exported classes that are not widgets, so there is nothing for a form to hold.
const QStringList kNonWidgets = {"CommonCtrls", "UxComboboxViewItemDelegate", "UxProductInfo",
                                 "UxResourceMgr"};

struct DomWidget
{
    QString className, objectName, error;
    QSize size;
    QMap<QString, QString> properties; // other than the geometry
};

DomWidget parseDom(const QString &xml)
{
    DomWidget dom;
    QXmlStreamReader reader(xml);
    QString property;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString tag = reader.name().toString(); // the reader's buffer moves on
        if (tag == QLatin1String("widget") && dom.className.isEmpty()) {
            dom.className = reader.attributes().value("class").toString();
            dom.objectName = reader.attributes().value("name").toString();
        } else if (tag == QLatin1String("property")) {
            property = reader.attributes().value("name").toString();
        } else if (tag == QLatin1String("width") || tag == QLatin1String("height")) {
            const int length = reader.readElementText().toInt();
            tag == QLatin1String("width") ? dom.size.setWidth(length) : dom.size.setHeight(length);
        } else if (property != QLatin1String("geometry") && tag != QLatin1String("ui")) {
            dom.properties.insert(property, reader.readElementText());
        }
    }
    dom.error = reader.errorString();
    return dom;
}

} // namespace

class TestDesignerPlugin : public QObject
{
    Q_OBJECT

    QPluginLoader m_loader;
    QDir m_include;
    QMap<QString, QString> m_headers; // widget class -> the header declaring it
    QMap<QString, QDesignerCustomWidgetInterface *> m_offered;
    int m_offers = 0;

private Q_SLOTS:
    void initTestCase()
    {
        m_loader.setFileName(qEnvironmentVariable("COMMONCTRLS_DESIGNER_PLUGIN"));
        m_include.setPath(qEnvironmentVariable("COMMONCTRLS_DESIGNER_INCLUDE_DIR"));
        QVERIFY2(m_loader.load(), qPrintable(m_loader.errorString()));
        auto *collection =
            qobject_cast<QDesignerCustomWidgetCollectionInterface *>(m_loader.instance());
        QVERIFY(collection);
        for (QDesignerCustomWidgetInterface *offer : collection->customWidgets())
            m_offered.insert(offer->name(), offer);
        m_offers = collection->customWidgets().size();

        const QRegularExpression declaration(
            "class\\s+COMMONCTRLS_EXPORT\\s+(\\w+)\\s*:\\s*public\\s+\\w+");
        for (const QString &file : m_include.entryList({"*.h"}, QDir::Files)) {
            QFile header(m_include.filePath(file));
            QVERIFY(header.open(QIODevice::ReadOnly));
            auto match = declaration.globalMatch(QString::fromUtf8(header.readAll()));
            while (match.hasNext()) {
                const QString name = match.next().captured(1);
                if (!kNonWidgets.contains(name))
                    m_headers.insert(name, file);
            }
        }
    }

    void offersEveryWidgetClassOnce()
    {
        QCOMPARE(m_offered.keys(), m_headers.keys());
        QCOMPARE(m_offers, m_offered.size());
    }

    void widget_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString &name : m_offered.keys())
            QTest::newRow(qPrintable(name)) << name;
    }

    void widget()
    {
        QFETCH(QString, name);
        QDesignerCustomWidgetInterface *offer = m_offered.value(name);
        QCOMPARE(offer->group(), QStringLiteral("CommonCtrls"));
        QCOMPARE(offer->includeFile(), m_headers.value(name));
        QVERIFY(!offer->toolTip().isEmpty() && !offer->whatsThis().isEmpty());
        QVERIFY(!offer->icon().isNull());
        QVERIFY(!offer->isContainer());

        const DomWidget dom = parseDom(offer->domXml());
        QVERIFY2(dom.error.isEmpty(), qPrintable(dom.error));
        QCOMPARE(dom.className, name);
        QVERIFY(!dom.objectName.isEmpty() && dom.objectName != name);

        QWidget form;
        QWidget *widget = offer->createWidget(&form);
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), name);
        QCOMPARE(widget->parentWidget(), &form);
        QVERIFY(!widget->isWindow());
        for (auto it = dom.properties.cbegin(); it != dom.properties.cend(); ++it)
            QVERIFY2(widget->setProperty(qPrintable(it.key()), it.value()), qPrintable(it.key()));
        // The default geometry is no smaller than a layout would make the widget.
        const QSize minimum = QLayout::closestAcceptableSize(widget, QSize(0, 0));
        QCOMPARE(dom.size.expandedTo(minimum), dom.size);

        QFile header(m_include.filePath(m_headers.value(name)));
        QVERIFY(header.open(QIODevice::ReadOnly));
        auto declared = QRegularExpression("Q_PROPERTY\\(\\s*\\S+\\s+(\\w+)")
                            .globalMatch(QString::fromUtf8(header.readAll()));
        while (declared.hasNext()) {
            const QByteArray property = declared.next().captured(1).toLatin1();
            const int index = widget->metaObject()->indexOfProperty(property);
            QVERIFY2(index >= 0, property);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
            QVERIFY2(widget->metaObject()->property(index).isDesignable(), property);
#else
            QVERIFY2(widget->metaObject()->property(index).isDesignable(widget), property);
#endif
        }
    }
};

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
