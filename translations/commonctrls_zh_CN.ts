<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>UxAccessible</name>
    <message>
        <location filename="../src/accessibility/UxSliderAccessible.cpp" line="+25"/>
        <source>Usable from %1 to %2</source>
        <translation>可用范围：%1 至 %2</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>chapters: %1</source>
        <translation>章节：%1</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Trim start</source>
        <translation>修剪起点</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Trim end</source>
        <translation>修剪终点</translation>
    </message>
    <message>
        <location filename="../src/accessibility/UxVideoAccessible.cpp" line="+22"/>
        <source>Video</source>
        <translation>视频</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No picture</source>
        <translation>无画面</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Showing a still picture</source>
        <translation>正在显示静止画面</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Showing video</source>
        <translation>正在显示视频</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%1, full screen</source>
        <translation>%1，全屏</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>Crop rectangle</source>
        <translation>裁剪矩形</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Left %1, top %2, width %3, height %4 video pixels</source>
        <translation>左 %1，上 %2，宽 %3，高 %4（视频像素）</translation>
    </message>
</context>
<context>
    <name>UxTrimSeekingBar</name>
    <message>
        <location filename="../src/sliders/UxTrimSeekingBar.cpp" line="+94"/>
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
