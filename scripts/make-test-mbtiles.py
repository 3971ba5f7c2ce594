#!/usr/bin/env python3
"""Writes the small MBTiles file the map tests read (tests/data/maps).

Zoom levels 0 to 2 of the web-mercator grid, one 256-pixel PNG tile each
in a solid colour that tells where it belongs: red 10 + 80 * zoom, green
10 + 60 * column, blue 10 + 60 * row, rows counted from the north. The
tile at zoom 2, column 3, row 0 is left out, so that a test can ask for a
tile the file does not have. Rows are stored as MBTiles wants them, counted
from the south.

    scripts/make-test-mbtiles.py tests/data/maps/test-tiles.mbtiles
"""

import os
import sqlite3
import struct
import sys
import zlib

TILE_SIZE = 256
MAX_ZOOM = 2
LEFT_OUT = (2, 3, 0)
METADATA = {
    "name": "Quorvel test tiles",
    "format": "png",
    "bounds": "-10.5,35.25,30,60",
    "minzoom": "0",
    "maxzoom": str(MAX_ZOOM),
    "type": "baselayer",
    "version": "1",
    "description": "Solid tiles whose colour names their place",
}


def colour(zoom, x, y):
    return (10 + 80 * zoom, 10 + 60 * x, 10 + 60 * y)


def png(rgb):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    row = b"\x00" + bytes(rgb) * TILE_SIZE
    header = struct.pack(">IIBBBBB", TILE_SIZE, TILE_SIZE, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(row * TILE_SIZE, 9)) + chunk(b"IEND", b""))


def main(path):
    if os.path.exists(path):
        os.remove(path)
    db = sqlite3.connect(path)
    db.execute("CREATE TABLE metadata (name TEXT, value TEXT)")
    db.execute("CREATE TABLE tiles (zoom_level INTEGER, tile_column INTEGER, tile_row INTEGER, tile_data BLOB)")
    db.execute("CREATE UNIQUE INDEX tile_index ON tiles (zoom_level, tile_column, tile_row)")
    db.executemany("INSERT INTO metadata VALUES (?, ?)", sorted(METADATA.items()))
    for zoom in range(MAX_ZOOM + 1):
        count = 1 << zoom
        for x in range(count):
            for y in range(count):
                if (zoom, x, y) == LEFT_OUT:
                    continue
                db.execute("INSERT INTO tiles VALUES (?, ?, ?, ?)",
                           (zoom, x, count - 1 - y, png(colour(zoom, x, y))))
    db.commit()
    db.execute("VACUUM")
    db.close()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
