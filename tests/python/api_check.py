"""Compares the library's meta-objects as C++ sees them with what the Python module offers.

The C++ side comes from the api_dump program: for every class the properties, signals,
public and protected slots and enumerations it declares. The Python side lists the same
members only where the binding makes them reachable from Python:

- a signal when the class carries a pyqtSignal with that signature;
- a slot when the class has a method of that name with an overload that takes those
  argument types;
- a property when the class has its setter (set + name) or a getter of its name, and
  the value reads back through QObject.property();
- an enumeration when the class has it, with every key at the C++ value.

A member added to a header but not to the .sip files (or the reverse) makes the two
listings differ. Every public header also needs a class of its name in the module.

Usage: api_check.py MODULE API_DUMP_PROGRAM INCLUDE_DIR
"""

import importlib
import json
import pathlib
import re
import subprocess
import sys

# Headers of the host framework's stand-in, which the module does not bind.
HOST_HEADERS = {"UxProductInfo", "UxResourceMgr"}

# Python type names in the generated docstrings, as C++ meta-types.
PYTHON_TO_CPP = {"int": "int", "bool": "bool", "str": "QString", "float": "double"}


def cpp_type(annotation):
    """The C++ meta-type of a docstring annotation: 'Union[QColor, Qt.GlobalColor]' is
    QColor, 'Optional[QWidget]' QWidget*, 'QtGui.QPixmap' QPixmap."""
    annotation = annotation.strip()
    pointer = annotation.startswith("Optional[")
    match = re.match(r"(?:Union|Optional)\[([^,\]]+)", annotation)
    if match:
        annotation = match.group(1)
    name = annotation.split(".")[-1].strip()
    name = PYTHON_TO_CPP.get(name, name)
    return name + "*" if pointer else name


def overloads(method):
    """Each overload of a bound method as (required count, [C++ argument types])."""
    result = []
    for line in (method.__doc__ or "").splitlines():
        match = re.match(r"\w+\(self(?:, (.*))?\)", line.strip())
        if not match:
            continue
        arguments = [a for a in re.split(r",\s*(?![^\[]*\])", match.group(1) or "") if a]
        types = [cpp_type(a.split(":", 1)[1].split("=")[0]) for a in arguments]
        required = sum(1 for a in arguments if "=" not in a)
        result.append((required, types))
    return result


def slot_covered(cls, method):
    name = bytes(method.name()).decode()
    if name not in cls.__dict__:
        return False
    wanted = [bytes(t).decode() for t in method.parameterTypes()]
    return any(
        required <= len(wanted) <= len(types) and types[: len(wanted)] == wanted
        for required, types in overloads(getattr(cls, name))
    )


def enum_values(cls, name, keys):
    """The Python values of an enumeration's keys: scoped in PyQt6, flat in PyQt5."""
    holder = getattr(cls, name, None)
    if holder is None:
        return None
    values = {}
    for key in keys:
        member = getattr(holder, key, None)
        if member is None:
            member = getattr(cls, key, None)
        if member is not None:
            values[key] = int(getattr(member, "value", member))
    return values


def python_listing(module, qt):
    QMetaMethod = qt.QtCore.QMetaMethod
    normalized = qt.QtCore.QMetaObject.normalizedSignature
    listing = {}
    for cls in vars(module).values():
        meta = getattr(cls, "staticMetaObject", None)
        if not isinstance(cls, type) or meta is None or cls.__module__ != module.__name__:
            continue
        instance = make_instance(cls, qt)
        signals, slots, properties, enums = [], [], [], {}
        for attribute in cls.__dict__.values():
            if isinstance(attribute, qt.QtCore.pyqtSignal):
                signals += [bytes(normalized(s)).decode() for s in attribute.signatures]
        for i in range(meta.methodOffset(), meta.methodCount()):
            method = meta.method(i)
            if method.methodType() == QMetaMethod.MethodType.Slot and slot_covered(cls, method):
                slots.append(bytes(method.methodSignature()).decode())
        for i in range(meta.propertyOffset(), meta.propertyCount()):
            prop = meta.property(i)
            name = prop.name()
            accessors = {name, "set" + name[0].upper() + name[1:]}
            if accessors & cls.__dict__.keys() and instance.property(name) is not None:
                properties.append(f"{prop.typeName()} {name}")
        for i in range(meta.enumeratorOffset(), meta.enumeratorCount()):
            enumerator = meta.enumerator(i)
            keys = [enumerator.key(k) for k in range(enumerator.keyCount())]
            values = enum_values(cls, enumerator.name(), keys)
            if values is not None:
                enums[enumerator.name()] = values
        listing[meta.className()] = {
            "properties": sorted(properties),
            "signals": sorted(signals),
            "slots": sorted(slots),
            "enums": enums,
        }
        if meta.className() != cls.__name__:
            listing[meta.className()]["python name"] = cls.__name__
    return listing


def make_instance(cls, qt):
    if issubclass(cls, qt.QtWidgets.QWidget):
        return cls()
    return cls(qt.QtWidgets.QComboBox())  # the row delegate takes its combo box


def differences(cpp, python):
    """Lines naming each member one side has and the other lacks."""
    lines = []
    for name in sorted(cpp.keys() | python.keys()):
        if name not in python:
            lines.append(f"{name}: not in the Python module")
            continue
        if name not in cpp:
            lines.append(f"{name}: in the Python module but not in the C++ listing")
            continue
        for part in ("properties", "signals", "slots"):
            for member in sorted(set(cpp[name][part]) - set(python[name][part])):
                lines.append(f"{name}: {part[:-1]} {member} missing from Python")
            for member in sorted(set(python[name][part]) - set(cpp[name][part])):
                lines.append(f"{name}: {part[:-1]} {member} in Python only")
        if cpp[name]["enums"] != python[name]["enums"]:
            lines.append(f"{name}: enums {cpp[name]['enums']} in C++, "
                         f"{python[name]['enums']} in Python")
        if "python name" in python[name]:
            lines.append(f"{name}: named {python[name]['python name']} in Python")
    return lines


def missing_header_classes(module, include_dir):
    headers = {p.stem for p in pathlib.Path(include_dir).glob("*.h")} - HOST_HEADERS
    return [f"{h}: public header without a class in the Python module" for h in sorted(headers)
            if not isinstance(getattr(module, h, None), type)]


def main(module_name, dump_program, include_dir):
    module = importlib.import_module(module_name)
    qt = importlib.import_module("PyQt6" if module_name.endswith("6") else "PyQt5")
    for sub in ("QtCore", "QtWidgets"):
        importlib.import_module(f"{qt.__name__}.{sub}")
    app = qt.QtWidgets.QApplication.instance() or qt.QtWidgets.QApplication([])
    cpp = json.loads(subprocess.run([dump_program], check=True, capture_output=True).stdout)
    python = python_listing(module, qt)
    problems = missing_header_classes(module, include_dir) + differences(cpp, python)
    for line in problems:
        print(line)
    members = sum(len(c[p]) for c in cpp.values() for p in ("properties", "signals", "slots"))
    print(f"{len(cpp)} classes, {members} members compared: "
          f"{len(problems) or 'no'} difference{'s' if len(problems) != 1 else ''}")
    del app
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
