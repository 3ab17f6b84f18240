<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>UxTrimSeekingBar</name>
    <message>
        <location filename="../src/sliders/UxTrimSeekingBar.cpp" line="+27"/>
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
