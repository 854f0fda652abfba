#!/usr/bin/env python3
"""Binds JPEG slide pages into a small PDF presentation (standard library only).

    pdf.py OUT.pdf TITLE PAGE1.jpg [PAGE2.jpg ...]

Each JPEG becomes one page of its own size (at 96 dpi), embedded unchanged
(DCTDecode), so the PDF is barely larger than its pictures. The output carries
no dates or random identifiers, so it is the same on every run.
"""

import struct
import sys


def jpeg_size(data):
    """Width, height and component count from a JPEG's start-of-frame marker."""
    i = 2
    while i < len(data):
        if data[i] != 0xFF:
            raise ValueError('not a JPEG marker')
        marker = data[i + 1]
        length = struct.unpack('>H', data[i + 2:i + 4])[0]
        if marker in (0xC0, 0xC1, 0xC2):
            h, w = struct.unpack('>HH', data[i + 5:i + 9])
            return w, h, data[i + 9]
        i += 2 + length
    raise ValueError('no frame header')


def utf16_text(s):
    """A PDF text string in UTF-16BE with a byte-order mark, as hex."""
    return '<FEFF' + s.encode('utf-16-be').hex().upper() + '>'


def build(out, title, pages):
    objects = []  # bodies, object number = index + 1

    def add(body):
        objects.append(body)
        return len(objects)

    catalog = add(None)
    tree = add(None)
    info = add(f'<< /Title {utf16_text(title)} /Producer (debaclock make_data) >>'.encode('ascii'))
    kids = []
    for k, path in enumerate(pages):
        data = open(path, 'rb').read()
        w, h, comps = jpeg_size(data)
        cs = '/DeviceGray' if comps == 1 else '/DeviceRGB'
        img = add(b'<< /Type /XObject /Subtype /Image /Width %d /Height %d /ColorSpace %s '
                  b'/BitsPerComponent 8 /Filter /DCTDecode /Length %d >>\nstream\n'
                  % (w, h, cs.encode(), len(data)) + data + b'\nendstream')
        pw, ph = w * 0.75, h * 0.75
        content = f'q {pw:g} 0 0 {ph:g} 0 0 cm /Im{k} Do Q'.encode('ascii')
        cont = add(b'<< /Length %d >>\nstream\n' % len(content) + content + b'\nendstream')
        page = add((f'<< /Type /Page /Parent {tree} 0 R /MediaBox [0 0 {pw:g} {ph:g}] '
                    f'/Resources << /XObject << /Im{k} {img} 0 R >> >> /Contents {cont} 0 R >>').encode('ascii'))
        kids.append(page)
    objects[catalog - 1] = f'<< /Type /Catalog /Pages {tree} 0 R >>'.encode('ascii')
    objects[tree - 1] = (f'<< /Type /Pages /Count {len(kids)} /Kids ['
                         + ' '.join(f'{p} 0 R' for p in kids) + '] >>').encode('ascii')

    buf = bytearray(b'%PDF-1.4\n%\xe2\xe3\xcf\xd3\n')
    offsets = []
    for n, body in enumerate(objects, 1):
        offsets.append(len(buf))
        buf += b'%d 0 obj\n' % n + body + b'\nendobj\n'
    xref = len(buf)
    buf += b'xref\n0 %d\n0000000000 65535 f \n' % (len(objects) + 1)
    for off in offsets:
        buf += b'%010d 00000 n \n' % off
    buf += (b'trailer\n<< /Size %d /Root %d 0 R /Info %d 0 R >>\nstartxref\n%d\n%%%%EOF\n'
            % (len(objects) + 1, catalog, info, xref))
    with open(out, 'wb') as f:
        f.write(buf)


if __name__ == '__main__':
    if len(sys.argv) < 4:
        sys.stderr.write(__doc__)
        sys.exit(2)
    build(sys.argv[1], sys.argv[2], sys.argv[3:])
