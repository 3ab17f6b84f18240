// Prints the meta-objects of the library's classes as the C++ compiler sees them, as JSON:
// for each class the members it declares itself (properties, signals, public and
// protected slots, enumerations). api_check.py compares this with what the Python
// module offers.

#include "CustomRadioButton.h"
#include "UxAutoScrollListView.h"
#include "UxAutoTimeEidt.h"
#include "UxCheckBox.h"
#include "UxCircleProgressBar.h"
#include "UxComboBox.h"
#include "UxComboboxViewItemDelegate.h"
#include "UxDelegateComboBox.h"
#include "UxLineEditWithToolbutton.h"
#include "UxPlaySeekingBar.h"
#include "UxProgressBar.h"
#include "UxPushButton.h"
#include "UxRadioButton.h"
#include "UxScrollButton.h"
#include "UxSlider.h"
#include "UxTrimSeekingBar.h"
#include "UxVideoFullScreenViewer.h"
#include "UxVideoOperationViewer.h"
#include "UxVideoViewer.h"
#include "uxToolButton.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaEnum>
#include <QMetaMethod>
#include <QMetaProperty>
#include <QTextStream>

namespace {

QJsonArray sorted(QStringList items)
{
    items.sort();
    return QJsonArray::fromStringList(items);
}

QJsonObject describe(const QMetaObject &meta)
{
    QStringList properties;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        properties << QStringLiteral("%1 %2").arg(QString::fromLatin1(property.typeName()),
                                                  QString::fromLatin1(property.name()));
    }
    QStringList signalList;
    QStringList slotList;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        const QString signature = QString::fromLatin1(method.methodSignature());
        if (method.methodType() == QMetaMethod::Signal)
            signalList << signature;
        else if (method.methodType() == QMetaMethod::Slot &&
                 method.access() != QMetaMethod::Private)
            slotList << signature;
    }
    QJsonObject enums;
    for (int i = meta.enumeratorOffset(); i < meta.enumeratorCount(); ++i) {
        const QMetaEnum enumerator = meta.enumerator(i);
        QJsonObject keys;
        for (int k = 0; k < enumerator.keyCount(); ++k)
            keys.insert(QString::fromLatin1(enumerator.key(k)), enumerator.value(k));
        enums.insert(QString::fromLatin1(enumerator.name()), keys);
    }
    return QJsonObject{{QStringLiteral("properties"), sorted(properties)},
                       {QStringLiteral("signals"), sorted(signalList)},
                       {QStringLiteral("slots"), sorted(slotList)},
                       {QStringLiteral("enums"), enums}};
}

} // namespace

int main()
{
    const QMetaObject *classes[] = {
        &CustomRadioButton::staticMetaObject,
        &UxAutoScrollListView::staticMetaObject,
        &UxAutoTimeEidt::staticMetaObject,
        &UxCheckBox::staticMetaObject,
        &UxCircleProgressBar::staticMetaObject,
        &UxComboBox::staticMetaObject,
        &UxComboboxViewItemDelegate::staticMetaObject,
        &UxDelegateComboBox::staticMetaObject,
        &UxLineEditWithToolbutton::staticMetaObject,
        &UxPlaySeekingBar::staticMetaObject,
        &UxProgressBar::staticMetaObject,
        &UxPushButton::staticMetaObject,
        &UxRadioButton::staticMetaObject,
        &UxScrollButton::staticMetaObject,
        &UxSlider::staticMetaObject,
        &UxTrimSeekingBar::staticMetaObject,
        &UxVideoFullScreenViewer::staticMetaObject,
        &UxVideoOperationViewer::staticMetaObject,
        &UxVideoViewer::staticMetaObject,
        &uxToolButton::staticMetaObject,
    };
    QJsonObject all;
    for (const QMetaObject *meta : classes)
        all.insert(QString::fromLatin1(meta->className()), describe(*meta));
    QTextStream(stdout) << QJsonDocument(all).toJson(QJsonDocument::Indented);
    return 0;
}
