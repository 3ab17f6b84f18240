#pragma once

#include "UxDesignerTable.h"

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>
#include <vector>

// One widget of the library as Designer sees it, read from its row of the table.
class UxDesignerWidget : public QDesignerCustomWidgetInterface
{
public:
    explicit UxDesignerWidget(const UxDesignerEntry &entry);

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    bool isInitialized() const override;
    void initialize(QDesignerFormEditorInterface *core) override;
    QString domXml() const override;

private:
    const UxDesignerEntry &m_entry;
    bool m_initialized = false;
};

// The plugin Designer loads: every widget of the table, in the group "CommonCtrls".
class UxDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit UxDesignerPlugin(QObject *parent = nullptr);
    ~UxDesignerPlugin() override;

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    std::vector<std::unique_ptr<UxDesignerWidget>> m_widgets;
};
