<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>UxTrimSeekingBar</name>
    <message>
        <location filename="../src/sliders/UxTrimSeekingBar.cpp" line="+27"/>
        <source>Drag to set the start point</source>
        <translation>拖动以设置起点</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Drag to set the end point</source>
        <translation>拖动以设置终点</translation>
    </message>
</context>
</TS>
