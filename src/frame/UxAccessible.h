#ifndef UXACCESSIBLE_H
#define UXACCESSIBLE_H

#include <QAccessible>
#include <QVariant>

class QObject;
class QWidget;

// Screen readers and other assistive tools learn about the library's widgets through
// accessibility interfaces that one factory makes. The library installs it when it is
// loaded, so hosts need do nothing; widgets it does not know keep Qt's own interfaces.
// Widgets see only what this header declares: the factory and the interfaces live in
// accessibility/, above the widget subsystems they describe.

// Puts the library's factory ahead of every other, Qt's included (idempotent). The trim
// bar calls it: its handles are plain tool buttons, which Qt's factory, installed by
// QApplication after the library's start-up routine, would describe first.
void uxInstallAccessibleFactory();

// Tells assistive tools that what they show of object changed; a child of 0 or more names
// one of its interface's children. Costs nothing while no tool listens.
void uxAccessibleNotify(QObject *object, QAccessible::Event change, int child = -1);
void uxAccessibleValueChanged(QObject *object, const QVariant &value);

// The crop rectangle on viewer (a UxVideoOperationViewer) may have moved or changed its
// size, or the viewer laid it out anew.
void uxAccessibleCropChanged(QWidget *viewer);

#endif // UXACCESSIBLE_H
