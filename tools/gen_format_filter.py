#!/usr/bin/env python3
"""Writes a filter list of real raster and vector file formats, one
"Description (*.a *.b)|*.a;*.b" pair per line, from the drivers that the
geospatial command-line tools of Debian's gdal-bin package report.

Run once, by hand; the output is kept as test data:

    apt-get install gdal-bin        # only for generating, not a build need
    tools/gen_format_filter.py > tests/files/data/gdal_formats.filter

The tests join the lines with "|" into one filter string.
"""

import re
import subprocess
import sys

DRIVER = re.compile(r"^\s+(\S+)\s+-([^-]*)-\s+\(([^)]*)\):\s*(.*)$")


def drivers(tool):
    out = subprocess.run([tool, "--formats"], capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        m = DRIVER.match(line)
        if m:
            yield m.group(1), m.group(2), m.group(4).strip()


def extensions(tool, name):
    out = subprocess.run([tool, "--format", name], capture_output=True, text=True).stdout
    for line in out.splitlines():
        line = line.strip()
        if line.startswith("Extension:") or line.startswith("Extensions:"):
            return [e.strip().lstrip(".") for e in line.split(":", 1)[1].split() if e.strip()]
    return []


def main():
    seen = set()
    lines = []
    for tool in ("gdalinfo", "ogrinfo"):
        for name, kinds, long_name in drivers(tool):
            if name in seen:
                continue
            seen.add(name)
            exts = [e for e in extensions(tool, name) if re.fullmatch(r"[A-Za-z0-9_.]+", e)]
            # A driver without a file extension (a database, a service, a
            # folder of files) still shows as a name matching everything.
            patterns = ["*." + e for e in exts] or ["*"]
            kind = "vector" if "vector" in kinds and "raster" not in kinds else "raster"
            desc = long_name.replace("|", "/") or name
            lines.append("%s [%s, %s] (%s)|%s" % (desc, name, kind, " ".join(patterns), ";".join(patterns)))
    if len(lines) < 100:
        sys.exit("only %d formats found" % len(lines))
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
