"""Fixtures of the Python tests: the module of this build and the PyQt it was built for.

ctest names the module in COMMONCTRLS_PYTHON_MODULE (CommonCtrls for PyQt5, CommonCtrls6
for PyQt6) and pytest-qt's Qt in PYTEST_QT_API; the tests only use names both PyQt
versions have.
"""

import importlib
import os
import types

import pytest

MODULE_NAME = os.environ.get("COMMONCTRLS_PYTHON_MODULE", "CommonCtrls")
PYQT = "PyQt6" if MODULE_NAME.endswith("6") else "PyQt5"
os.environ.setdefault("PYTEST_QT_API", PYQT.lower())


@pytest.fixture(scope="session")
def cc():
    """The module under test."""
    return importlib.import_module(MODULE_NAME)


@pytest.fixture(scope="session")
def qt():
    """QtCore, QtGui, QtWidgets and sip of the PyQt the module was built for."""
    names = ("QtCore", "QtGui", "QtWidgets", "sip")
    return types.SimpleNamespace(**{n: importlib.import_module(f"{PYQT}.{n}") for n in names})


@pytest.fixture
def shown(qtbot):
    """Shows a widget at a fixed geometry and waits until it is exposed."""

    def show(widget, width, height):
        qtbot.addWidget(widget)
        widget.setGeometry(100, 100, width, height)
        with qtbot.waitExposed(widget):
            widget.show()
        return widget

    return show
