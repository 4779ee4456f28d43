#!/usr/bin/env python3
"""Reads the resources of a built PE file the way Windows 95 will and prints
one line per resource it would not take as the program means it:

  win95_resources.py bitmaps FILE     each bitmap: 40-byte header, one plane,
                                      no compression, 4 or 8 bits per pixel
  win95_resources.py icons FILE       each icon image in bitmap form, not PNG
  win95_resources.py dialogs FILE     each dialog template: style and extended
                                      style bits that Windows 95 knows, font
                                      "MS Sans Serif" 8
  win95_resources.py tips FILE RESOURCE_H
                                      the tray tips (IDR_TRAY*): one byte
                                      per character, so that the 64-byte tip
                                      field cuts a longer one exactly after
                                      its 63rd character, and at most 63 of
                                      them unless the tip is one that is
                                      meant to be shown cut

Each line: "FILE: PLACE: REASON". Exit status 2 when the file cannot be read.
"""

import re
import struct
import sys

RT_ICON, RT_BITMAP, RT_DIALOG, RT_STRING = 3, 2, 5, 6
TYPE_NAMES = {RT_ICON: "ICON", RT_BITMAP: "BITMAP", RT_DIALOG: "DIALOG", RT_STRING: "STRING"}

# Dialog styles Windows 95 knows: every WS_ bit, and the DS_ bits up to
# DS_CONTEXTHELP (0x2000).
WIN95_DIALOG_STYLES = 0xFFFF0000 | 0x3FFF
# Extended styles Windows 95 knows: WS_EX_DLGMODALFRAME .. WS_EX_APPWINDOW,
# without the later WS_EX_LAYERED, WS_EX_LAYOUTRTL, WS_EX_COMPOSITED,
# WS_EX_NOACTIVATE and the like.
WIN95_EX_STYLES = (0x1 | 0x4 | 0x8 | 0x10 | 0x20 | 0x40 | 0x80 | 0x100 | 0x200 | 0x400 |
                   0x1000 | 0x2000 | 0x4000 | 0x10000 | 0x20000 | 0x40000)
DS_SETFONT = 0x40
DIALOG_FONT = ("MS Sans Serif", 8)

# The notification icon's tip field: 64 bytes with the terminator.
TIP_FIELD = 64
# Tips that are meant to be longer and shown cut after their 63rd character.
CUT_TIPS = {"IDR_TRAY_DISABLED"}


class PeFile:
    """The sections and the resource tree of a PE file."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("no MZ header")
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        sections, optional_size = struct.unpack_from("<H12xH", d, pe + 6)
        optional = pe + 24
        if struct.unpack_from("<H", d, optional)[0] != 0x10B:
            raise ValueError("not a PE32 file")
        self.resource_rva = struct.unpack_from("<I", d, optional + 96 + 2 * 8)[0]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            _, vsize, rva, raw_size, raw = struct.unpack_from("<8sIIII", d, table + 40 * i)
            self.sections.append((rva, max(vsize, raw_size), raw))

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address 0x%x is in no section" % rva)

    def resources(self):
        """(type, name, language, bytes) for every resource, in file order."""
        if self.resource_rva == 0:
            return []
        root = self.offset(self.resource_rva)
        found = []

        def entries(directory):
            named, ids = struct.unpack_from("<HH", self.data, root + directory + 12)
            for i in range(named + ids):
                name, target = struct.unpack_from("<II", self.data, root + directory + 16 + 8 * i)
                yield name, target

        for rtype, types in entries(0):
            for name, names in entries(types & 0x7FFFFFFF):
                for lang, leaf in entries(names & 0x7FFFFFFF):
                    rva, size = struct.unpack_from("<II", self.data, root + leaf)
                    start = self.offset(rva)
                    found.append((rtype, name, lang, self.data[start:start + size]))
        return found


def place(rtype, name, lang):
    label = "#%d" % name if not name & 0x80000000 else "(named)"
    return "%s %s (language 0x%04x)" % (TYPE_NAMES.get(rtype, rtype), label, lang)


def check_bitmaps(pe):
    for rtype, name, lang, data in pe.resources():
        if rtype != RT_BITMAP:
            continue
        where = place(rtype, name, lang)
        if len(data) < 40:
            yield "%s: %d bytes, shorter than a bitmap header" % (where, len(data))
            continue
        size, _, _, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 0)
        if size != 40:
            yield "%s: header of %d bytes: Windows 95 reads the 40-byte header" % (where, size)
        if planes != 1:
            yield "%s: %d planes: a device-independent bitmap has one" % (where, planes)
        if compression != 0:
            yield ("%s: compression %d: the program reads only plain BI_RGB pictures"
                   % (where, compression))
        if bits not in (4, 8):
            yield ("%s: %d bits per pixel: the pictures are made for 16 and 256 colours "
                   "(4 or 8 bits)" % (where, bits))


def check_icons(pe):
    for rtype, name, lang, data in pe.resources():
        if rtype != RT_ICON:
            continue
        where = place(rtype, name, lang)
        if data[:8] == b"\x89PNG\r\n\x1a\n":
            yield "%s: a PNG image: Windows 95 reads only icons in bitmap form" % where
        elif len(data) < 40 or struct.unpack_from("<I", data, 0)[0] != 40:
            yield "%s: no 40-byte bitmap header: Windows 95 reads only icons in bitmap form" % where


def read_text(data, at):
    """A 16-bit text ended by a zero character, and the offset after it."""
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[at:end].decode("utf-16-le"), end + 2


def skip_name_or_ordinal(data, at):
    first = struct.unpack_from("<H", data, at)[0]
    if first == 0:
        return at + 2
    if first == 0xFFFF:
        return at + 4
    return read_text(data, at)[1]


def dialog_parts(data):
    """(style, exstyle, font or None, [(item id, exstyle)]) of a template."""
    extended = struct.unpack_from("<HH", data, 0) == (1, 0xFFFF)
    if extended:
        _, exstyle, style, count = struct.unpack_from("<IIIH", data, 4)
        at = 26
    else:
        style, exstyle, count = struct.unpack_from("<IIH", data, 0)
        at = 18
    at = skip_name_or_ordinal(data, at)  # menu
    at = skip_name_or_ordinal(data, at)  # window class
    at = read_text(data, at)[1]          # caption
    font = None
    if style & DS_SETFONT:
        points = struct.unpack_from("<H", data, at)[0]
        at += 6 if extended else 2       # weight, italic and character set
        face, at = read_text(data, at)
        font = (face, points)
    items = []
    for _ in range(count):
        at = (at + 3) & ~3
        if extended:
            _, item_exstyle, _, _, _, _, _, item_id = struct.unpack_from("<IIIhhhhi", data, at)
            at += 24
        else:
            _, item_exstyle, _, _, _, _, item_id = struct.unpack_from("<IIhhhhh", data, at)
            at += 18
        at = skip_name_or_ordinal(data, at)  # class
        at = skip_name_or_ordinal(data, at)  # text
        extra = struct.unpack_from("<H", data, at)[0]
        at += 2 + extra
        items.append((item_id, item_exstyle))
    return style, exstyle, font, items


def check_dialogs(pe):
    for rtype, name, lang, data in pe.resources():
        if rtype != RT_DIALOG:
            continue
        where = place(rtype, name, lang)
        try:
            style, exstyle, font, items = dialog_parts(data)
        except (struct.error, UnicodeDecodeError, IndexError):
            yield "%s: the template cannot be read" % where
            continue
        if style & ~WIN95_DIALOG_STYLES:
            yield ("%s: style bits 0x%08x that Windows 95 does not know"
                   % (where, style & ~WIN95_DIALOG_STYLES & 0xFFFFFFFF))
        if exstyle & ~WIN95_EX_STYLES:
            yield ("%s: extended style bits 0x%08x that Windows 95 does not know"
                   % (where, exstyle & ~WIN95_EX_STYLES & 0xFFFFFFFF))
        for item_id, item_exstyle in items:
            if item_exstyle & ~WIN95_EX_STYLES:
                yield ("%s: control %d: extended style bits 0x%08x that Windows 95 does not know"
                       % (where, item_id, item_exstyle & ~WIN95_EX_STYLES & 0xFFFFFFFF))
        if font != DIALOG_FONT:
            shown = "no font" if font is None else '"%s" %d' % font
            yield ('%s: %s: the dialogs are laid out for "%s" %d, the Windows 95 dialog font'
                   % ((where, shown) + DIALOG_FONT))


def string_resources(pe):
    """{id: text} of the string tables: sixteen counted texts per block."""
    texts = {}
    for rtype, name, _, data in pe.resources():
        if rtype != RT_STRING:
            continue
        at = 0
        for index in range(16):
            length = struct.unpack_from("<H", data, at)[0]
            texts[(name - 1) * 16 + index] = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            at += 2 + 2 * length
    return texts


def tray_tip_ids(resource_h):
    with open(resource_h) as f:
        return {m.group(1): int(m.group(2))
                for m in re.finditer(r"^#define\s+(IDR_TRAY\w*)\s+(\d+)", f.read(), re.M)}


def check_tips(pe, resource_h):
    texts = string_resources(pe)
    ids = tray_tip_ids(resource_h)
    if not ids:
        yield "%s: no IDR_TRAY ids" % resource_h
    for symbol, number in sorted(ids.items()):
        where = "STRING %d (%s)" % (number, symbol)
        if number not in texts:
            yield "%s: missing: the tray would show no tip" % where
            continue
        try:
            size = len(texts[number].encode("cp1252"))
        except UnicodeEncodeError:
            yield ("%s: characters outside the Western code page: the 8-bit tip would not "
                   "match the text" % where)
            continue
        if size >= TIP_FIELD and symbol not in CUT_TIPS:
            yield ("%s: %d bytes: the tray's %d-byte tip field would cut it after %d "
                   "characters" % (where, size, TIP_FIELD, TIP_FIELD - 1))


RULES = {"bitmaps": check_bitmaps, "icons": check_icons, "dialogs": check_dialogs,
         "tips": check_tips}


def main(argv):
    if len(argv) < 3 or argv[1] not in RULES:
        sys.stderr.write(__doc__)
        return 2
    path = argv[2]
    name = path.rsplit("/", 1)[-1]
    try:
        pe = PeFile(path)
        for line in RULES[argv[1]](pe, *argv[3:]):
            print("%s: %s" % (name, line))
    except (OSError, ValueError, struct.error) as error:
        print("%s: cannot be read: %s" % (name, error))
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
