"""Writes a short test clip with PyAV, without NumPy: a bar that sweeps across a coloured
background, one position per frame, so that every frame differs.

Usage: make_clip.py PATH [--frames N] [--size WxH] [--rate FPS]
"""

import argparse
import fractions

import av


def yuv_planes(frame_index, frames, width, height):
    """The Y, U and V samples of one frame, row by row without padding."""
    left = frame_index * width // max(frames, 1)
    bar = min(max(width // 16, 1), width - left)
    luma = bytearray([60]) * (width * height)
    for row in range(height):
        start = row * width + left
        luma[start:start + bar] = bytes([220]) * bar
    chroma = ((width + 1) // 2) * ((height + 1) // 2)
    return [bytes(luma), bytes([100 + frame_index % 50]) * chroma, bytes([160]) * chroma]


def write_clip(path, frames=50, width=160, height=120, rate=25):
    with av.open(path, "w") as container:
        stream = container.add_stream("mpeg4", rate=fractions.Fraction(rate))
        stream.width, stream.height, stream.pix_fmt = width, height, "yuv420p"
        for index in range(frames):
            frame = av.VideoFrame(width, height, "yuv420p")
            for plane, samples, plane_width in zip(
                    frame.planes, yuv_planes(index, frames, width, height),
                    (width, (width + 1) // 2, (width + 1) // 2)):
                rows = len(samples) // plane_width
                padded = b"".join(
                    samples[r * plane_width:(r + 1) * plane_width].ljust(plane.line_size, b"\0")
                    for r in range(rows))
                plane.update(padded)
            frame.pts = index
            for packet in stream.encode(frame):
                container.mux(packet)
        for packet in stream.encode():
            container.mux(packet)


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("path")
    parser.add_argument("--frames", type=int, default=50)
    parser.add_argument("--size", default="160x120")
    parser.add_argument("--rate", type=int, default=25)
    args = parser.parse_args()
    w, h = (int(v) for v in args.size.split("x"))
    write_clip(args.path, args.frames, w, h, args.rate)
