#!/usr/bin/env python3
"""Reads an X window dump of a true-colour screen: saves it as a PNG and
checks sampled pixels. Usage:
  xwd.py DUMP PNG [x,y,#rrggbb[,tolerance] | @x,y,width,height ...]
An @ argument prints a digest of that region's pixels, so that two
screenshots can be compared there.
Coordinates are relative to the program's 800 x 600 picture, whose top-left
corner on the screen is given by the environment variable ORIGIN="x,y"
(default 0,0). Exits 1 when a sample is off by more than its tolerance
(default 24 per channel)."""
import hashlib
import os
import struct
import sys
import zlib


def read_xwd_rows(path):
    """width, height, pixel(x, y) and row(y), a row as RGB bytes."""
    data = open(path, 'rb').read()
    fields = struct.unpack('>25I', data[:100])
    header_size, _, _, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    ncolors = fields[19]
    step = bits_per_pixel // 8
    if depth < 24 or bits_per_pixel not in (24, 32) or step * width > bytes_per_line:
        sys.exit('xwd.py: only true-colour screens of 24 bits are read')
    start = header_size + ncolors * 12
    order = '<' if byte_order == 0 else '>'
    shifts = [(m & -m).bit_length() - 1 for m in (red_mask, green_mask, blue_mask)]

    def pixel(x, y):
        at = start + y * bytes_per_line + x * step
        value = int.from_bytes(data[at:at + step], 'little' if order == '<' else 'big')
        return tuple((value >> s) & 0xFF for s in shifts)

    def row(y):
        at = start + y * bytes_per_line
        raw = data[at:at + width * step]
        if order != '<' or shifts != [16, 8, 0]:
            return bytes(c for x in range(width) for c in pixel(x, y))
        # The usual layout (blue, green, red[, pad]): sliced whole, which is
        # what keeps a screenshot fast enough to retry.
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = raw[2::step], raw[1::step], raw[0::step]
        return rgb

    return width, height, pixel, row


def read_xwd(path):
    return read_xwd_rows(path)[:3]


def write_png(path, width, height, row):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        rows.extend(row(y))

    def chunk(kind, body):
        return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))

    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n')
        out.write(chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b'IDAT', zlib.compress(bytes(rows), 6)))
        out.write(chunk(b'IEND', b''))


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    width, height, pixel, row = read_xwd_rows(sys.argv[1])
    write_png(sys.argv[2], width, height, row)
    ox, oy = (int(v) for v in os.environ.get('ORIGIN', '0,0').split(','))
    failed = 0
    for sample in sys.argv[3:]:
        if sample.startswith('@'):
            x, y, w, h = (int(v) for v in sample[1:].split(','))
            digest = hashlib.sha1(b''.join(bytes(row(line)[3 * (x + ox):3 * (x + ox + w)])
                                           for line in range(y + oy, y + oy + h))).hexdigest()
            print('region %s: %s' % (sample, digest))
            continue
        parts = sample.split(',')
        x, y = int(parts[0]) + ox, int(parts[1]) + oy
        want = tuple(int(parts[2][i:i + 2], 16) for i in (1, 3, 5))
        tolerance = int(parts[3]) if len(parts) > 3 else 24
        got = pixel(x, y)
        ok = all(abs(a - b) <= tolerance for a, b in zip(got, want))
        print('%s pixel %s: #%02x%02x%02x, wanted %s' % ('ok  ' if ok else 'FAIL', sample, *got, parts[2]))
        failed += 0 if ok else 1
    sys.exit(1 if failed else 0)


if __name__ == '__main__':
    main()
