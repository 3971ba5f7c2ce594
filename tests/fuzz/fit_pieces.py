#!/usr/bin/env python3
"""Cuts FIT files into small FIT files, for fuzz seeds.

    fit_pieces.py BYTES FOLDER

Every file in FOLDER larger than BYTES is replaced by pieces of about BYTES,
at most MAX_PIECES of them spread over the file: each piece is a whole FIT
file (header, checksums) holding the definitions in force where it starts,
then the next messages in order. A file whose messages cannot be walked is
left as it is.
"""
import os
import struct
import sys

MAX_PIECES = 8


def crc16(data):
    crc = 0
    for byte in data:
        crc ^= byte
        for _ in range(8):
            crc = (crc >> 1) ^ 0xA001 if crc & 1 else crc >> 1
    return crc


def messages(data):
    """Yields (local type, is definition, bytes) of each message."""
    header = data[0]
    size = struct.unpack_from("<I", data, 4)[0]
    if header < 12 or data[8:12] != b".FIT" or header + size > len(data):
        raise ValueError("not a FIT file")
    sizes = {}
    pos, end = header, header + size
    while pos < end:
        first = data[pos]
        if first & 0x80:
            local, definition = (first >> 5) & 3, False
            length = 1 + sizes[local]
        elif first & 0x40:
            local, definition = first & 0x0F, True
            count = data[pos + 5]
            fields = data[pos + 6:pos + 6 + 3 * count]
            length = 6 + 3 * count
            body = sum(fields[i + 1] for i in range(0, len(fields), 3))
            if first & 0x20:
                devs = data[pos + length]
                dev = data[pos + length + 1:pos + length + 1 + 3 * devs]
                length += 1 + 3 * devs
                body += sum(dev[i + 1] for i in range(0, len(dev), 3))
            sizes[local] = body
        else:
            local, definition = first & 0x0F, False
            length = 1 + sizes[local]
        if pos + length > end:
            raise ValueError("a message runs past the data")
        yield local, definition, data[pos:pos + length]
        pos += length


def fit_file(body):
    header = bytearray(struct.pack("<BBHI4s", 14, 0x20, 2100, len(body), b".FIT"))
    header += struct.pack("<H", crc16(header))
    whole = bytes(header) + body
    return whole + struct.pack("<H", crc16(whole))


def pieces(data, limit):
    definitions = {}
    body = b""
    for local, definition, message in messages(data):
        if not body:
            body = b"".join(definitions.values())
        if definition:
            definitions[local] = message
        body += message
        if len(body) >= limit:
            yield fit_file(body)
            body = b""
    if body:
        yield fit_file(body)


def main():
    limit, folder = int(sys.argv[1]), sys.argv[2]
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if not os.path.isfile(path) or os.path.getsize(path) <= limit:
            continue
        with open(path, "rb") as f:
            data = f.read()
        try:
            cut = list(pieces(data, limit))
        except (ValueError, KeyError, IndexError, struct.error):
            continue
        step = -(-len(cut) // MAX_PIECES)
        for i, piece in enumerate(cut[::step]):
            with open("%s.piece%04d" % (path, i), "wb") as f:
                f.write(piece)
        os.remove(path)


if __name__ == "__main__":
    main()
