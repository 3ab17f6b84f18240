<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>UxAccessible</name>
    <message>
        <location filename="../src/accessibility/UxSliderAccessible.cpp" line="+25"/>
        <source>Usable from %1 to %2</source>
        <translation>Nutzbar von %1 bis %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>chapters: %1</source>
        <translation>Kapitel: %1</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Trim start</source>
        <translation>Schnittanfang</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Trim end</source>
        <translation>Schnittende</translation>
    </message>
    <message>
        <location filename="../src/accessibility/UxVideoAccessible.cpp" line="+22"/>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No picture</source>
        <translation>Kein Bild</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Showing a still picture</source>
        <translation>Zeigt ein Standbild</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Showing video</source>
        <translation>Zeigt Video</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, full screen</source>
        <translation>%1, Vollbild</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Crop rectangle</source>
        <translation>Zuschnittrechteck</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Left %1, top %2, width %3, height %4 video pixels</source>
        <translation>Links %1, oben %2, Breite %3, Höhe %4 Videopixel</translation>
    </message>
</context>
<context>
    <name>UxTrimSeekingBar</name>
    <message>
        <location filename="../src/sliders/UxTrimSeekingBar.cpp" line="+94"/>
        <source>Drag to set the start point</source>
        <translation>Ziehen, um den Startpunkt festzulegen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drag to set the end point</source>
        <translation>Ziehen, um den Endpunkt festzulegen</translation>
    </message>
</context>
</TS>
