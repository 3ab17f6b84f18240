#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/<target>/.

The text seeds of fuzz_properties are listed as they are; the binary seeds of the other
targets are encoded the way fuzz::Reader (FuzzSupport.h) reads them."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def u8(v):
    return bytes([v & 0xFF])


def u32(v):
    return struct.pack('<I', v & 0xFFFFFFFF)


def rng(lo, v):  # Reader::range(lo, hi) reading v
    return u32(v - lo)


def anyint(v):  # Reader::anyInt reading v
    return u8(64) + u32(v + 16) if -16 <= v <= 4096 else u8(224) + u32(v)


def frame(w, h, fmt, seed):
    pattern = bytes((seed * 37 + i * 11) & 0xFF for i in range(64))
    return anyint(w) + anyint(h) + rng(0, fmt) + pattern


RGB32, ARGB32, RGB888, INDEXED8, MONO, GRAY8 = 4, 5, 13, 3, 1, 24

PROPERTIES = {
    'push_long': '0 2 120 32 0\n$1\n0,0,32,40,0,32,150,156,166\nExport',
    'push_short_text': '0 0 80 24 0\n$5\n1,2\nOK',
    'push_zoom_150': '0 1 80 24 0 1.5\n$1\n0,0,32,40,0,32,150,156,166,128\nA',
    'combo_long': '1 1 160 28 0\n$1\n3,4,30,8,2,20,10,20,30,128\n1',
    'check_short': '2 2 100 20 0\n$0\n0,2,18,2,90,90,90,200\ncaption',
    'radio_short': '3 0 100 20 0\n$2\n0,2,18,2,255,0,0\nx',
    'tool_align': '4 2 90 30 0\n$1\n2,2,2,2,9,9,9\n2\ncaption',
    'progress': '5 2 200 20 1\n$1,$2\n7,7,7,7\n#9cc8ff*#ffffff\n0 100 1234 2 1',
    'progress_narrow': '5 0 3 3 1\n$0,$3\n1,1,1,1\nred*blue\n0 100 50 0 0',
    'circle': '6 2 120 120 1\n$2\n$2\n$0\n#336699\n12\n0 100 37',
    'seek': '7 2 300 24 1\n$1\n4,4,4,4\n10,10\n0 1000 100 900 500 0',
    'seek_vertical': '7 1 24 300 1\n$3\n1,2,3,4\n0,30\n0 100 10 90 50 3',
    'viewer': '8 2 320 180 1\n$4\n#101010\n#202020\n2\n1920 1080 1',
    'viewer_brush': '8 0 64 48 1\n$0\nblack\ntransparent\n1\n4 3 0',
    'scroll': '9 0 24 24 0\n$0\n$1',
    'delegate': '10 0 200 24 1\n$0*$1\n20 200 30 16 16\n#ff0000\n#00ff00',
}


def viewer_seeds():
    play = (u8(0) + rng(0, 640) + rng(0, 360)
            + u8(0) + anyint(1920) + anyint(1080) + u8(0)
            + u8(4) + frame(64, 36, RGB32, 1)
            + u8(11) + u8(0) + u8(1))
    stereo = (u8(1) + rng(0, 800) + rng(0, 600)
              + u8(0) + anyint(1280) + anyint(720) + u8(3)
              + u8(5) + frame(128, 36, ARGB32, 2)
              + u8(2) + anyint(2)
              + u8(11) + u8(1) + u8(0) + u8(1)
              + u8(11) + u8(1) + u8(1))
    still = (u8(0) + rng(0, 320) + rng(0, 240)
             + u8(6) + u8(1) + frame(40, 30, RGB888, 3)
             + u8(11) + u8(0) + u8(0) + u8(0)
             + u8(7) + u8(1) + rng(0, 2)
             + u8(3) + rng(0, 100) + rng(0, 700)
             + u8(11) + u8(0) + u8(1))
    formats = (u8(0) + rng(0, 200) + rng(0, 200)
               + u8(4) + frame(17, 9, INDEXED8, 4)
               + u8(4) + frame(33, 5, MONO, 5)
               + u8(4) + frame(8, 8, GRAY8, 6)
               + u8(4) + frame(0, 0, RGB32, 7)
               + u8(9) + u8(2) + u32(0xff000000) + rng(0, 0)
               + u8(10) + anyint(640) + anyint(1920) + anyint(1080) + anyint(16) + anyint(9)
               + u8(8) + u8(11) + u8(0) + u8(1))
    return {'play': play, 'stereo_fullscreen': stereo, 'still': still, 'formats': formats}


def point(x, y):
    return u8(200) + rng(-8, x) + rng(-8, y)


def operation_seeds():
    setup = (rng(1, 640) + rng(1, 360)
             + u8(0) + anyint(1920) + anyint(1080) + u8(0)
             + u8(2) + anyint(1920) + anyint(1080) + anyint(16) + anyint(9)
             + anyint(300) + anyint(300) + anyint(960) + anyint(540) + anyint(64) + anyint(36))
    drag_corner = (setup + u8(5) + u8(1) + point(420, 280) + u8(6) + point(500, 330)
                   + u8(6) + point(700, 400) + u8(9) + point(700, 400))
    move = (setup + u8(5) + u8(1) + point(260, 170) + u8(7) + point(100, 60)
            + u8(8) + point(-5, -5) + u8(9) + point(0, 0))
    stereo = (rng(1, 800) + rng(1, 300)
              + u8(0) + anyint(3840) + anyint(1080) + u8(1)
              + u8(2) + anyint(1920) + anyint(1080) + anyint(16) + anyint(9)
              + anyint(0) + anyint(0) + anyint(1920) + anyint(1080) + anyint(32) + anyint(18)
              + u8(3) + u8(1) + anyint(4) + anyint(3) + u8(0)
              + u8(5) + u8(1) + point(200, 150) + u8(6) + point(150, 100) + u8(9) + point(150, 100)
              + u8(11) + u8(0) + anyint(100) + u8(12) + u8(200) + u8(1))
    host = (setup + u8(11) + u8(2) + anyint(100) + u8(11) + u8(4) + anyint(10) + anyint(10)
            + anyint(200) + anyint(100) + u8(10) + rng(1, 300) + rng(1, 900)
            + u8(5) + u8(1) + point(20, 20) + u8(6) + point(290, 890) + u8(9) + point(290, 890))
    return {'drag_corner': drag_corner, 'move': move, 'stereo_lock': stereo, 'host_edits': host}


def ms(h, m, s=0, z=0):
    return ((h * 60 + m) * 60 + s) * 1000 + z


def timeedit_seeds():
    minutes = (u8(0) + u8(0) + u32(ms(1, 0)) + u32(ms(2, 30)) + rng(0, 1) + anyint(5)
               + u8(1) + u32(ms(1, 59)) + rng(0, 1) + anyint(1)
               + u8(2) + rng(0, 0) + anyint(-100))
    wrap = (u8(1) + u8(0) + u32(ms(23, 0)) + u32(ms(23, 59, 59, 999)) + rng(0, 3)
            + anyint(2000) + u8(2) + rng(0, 0) + u8(224) + u32(0x7FFFFFFF)
            + u8(2) + rng(0, 2) + u8(224) + u32(0x80000000))
    seconds = (u8(3) + u8(0) + u32(ms(0, 0, 10)) + u32(ms(0, 10)) + rng(0, 1)
               + anyint(59) + u8(1) + u32(ms(0, 5, 5)) + rng(0, 0) + anyint(-7))
    return {'minutes': minutes, 'day_edges': wrap, 'seconds': seconds}


def write(target, seeds):
    folder = os.path.join(HERE, 'corpus', target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data.encode() if isinstance(data, str) else data)


write('fuzz_properties', PROPERTIES)
write('fuzz_viewer', viewer_seeds())
write('fuzz_operation', operation_seeds())
write('fuzz_timeedit', timeedit_seeds())
