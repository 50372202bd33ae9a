#!/usr/bin/env python3
"""Which Windows versions load a Windows program, read from its import table.

For every function the program imports (the loader resolves each before the
program's first instruction), the lists in exports/ give the first system of
each family that exports it. The checker prints, per file, the oldest system
of each family it loads on, what that system needs installed, and a line for
every import that one of the systems the saver is for lacks. It exits with 1
when an import is missing on the oldest system range.txt states (or a later
one of its family), or when no list records an import at all, so that the
lists cannot fall behind the program; with 2 when a file cannot be read.

  check-load-range.py [--range FILE] [--exports DIR] PROGRAM...
"""

import argparse
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent

# The systems of each family, oldest first, with the names the output uses.
FAMILIES = {
    "9x": [("95", "Windows 95"), ("98", "Windows 98"), ("98se", "Windows 98 SE"),
           ("me", "Windows Me")],
    "nt": [("4.0", "Windows NT 4.0"), ("4.0sp3", "Windows NT 4.0 SP3"),
           ("4.0sp6", "Windows NT 4.0 SP6"), ("2000", "Windows 2000"),
           ("xp", "Windows XP"), ("2003", "Windows Server 2003"),
           ("vista", "Windows Vista"), ("7", "Windows 7")],
    "x64": [("xp64", "Windows XP x64"), ("vista", "Windows Vista x64"),
            ("7", "Windows 7 x64")],
}
FAMILY_NAMES = {"9x": "Windows 95/98/Me", "nt": "Windows NT", "x64": "64-bit Windows"}
FAMILIES_OF_WORD_SIZE = {32: ["9x", "nt"], 64: ["x64"]}
# The systems the saver is for: every import one of them lacks gets a line.
TARGETS = {"9x": ["95", "98", "98se"], "nt": ["4.0sp6", "2000"], "x64": ["xp64"]}
NEVER = "-"


class PeError(Exception):
    pass


def read_imports(data):
    """(word size, [(dll, function name or "@ordinal")]) of a PE image."""
    if data[:2] != b"MZ":
        raise PeError("not an MZ executable")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise PeError("no PE header")
    sections_count, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    if magic not in (0x10B, 0x20B):
        raise PeError(f"unknown optional header magic {magic:#x}")
    word_size = 32 if magic == 0x10B else 64
    directories = optional + (96 if word_size == 32 else 112)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]

    sections = []
    for i in range(sections_count):
        at = optional + optional_size + 40 * i
        vsize, vaddr, raw_size, raw_at = struct.unpack_from("<4I", data, at + 8)
        sections.append((vaddr, max(vsize, raw_size), raw_at))

    def offset(rva):
        for vaddr, size, raw_at in sections:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raw_at
        raise PeError(f"RVA {rva:#x} lies in no section")

    def c_string(rva):
        at = offset(rva)
        return data[at:data.index(b"\0", at)].decode("ascii")

    thunk_format, ordinal_flag = ("<I", 1 << 31) if word_size == 32 else ("<Q", 1 << 63)
    thunk_size = struct.calcsize(thunk_format)
    imports = []
    if import_rva == 0:
        return word_size, imports
    descriptor = offset(import_rva)
    while True:
        lookup, _, _, name_rva, address = struct.unpack_from("<5I", data, descriptor)
        if name_rva == 0:
            break
        dll = c_string(name_rva)
        thunk = offset(lookup or address)
        while True:
            entry = struct.unpack_from(thunk_format, data, thunk)[0]
            if entry == 0:
                break
            if entry & ordinal_flag:
                imports.append((dll, f"@{entry & 0xFFFF}"))
            else:
                imports.append((dll, c_string((entry & 0x7FFFFFFF) + 2)))
            thunk += thunk_size
        descriptor += 20
    return word_size, imports


def read_lists(folder):
    """The entries {(dll, function): {family: (first version, [tags])}}, dll in
    lower case, and the tags {tag: (systems it is needed on, what it is)}."""
    lists, tags = {}, {}
    for path in sorted(folder.glob("*.txt")):
        dll = None
        for line in path.read_text().splitlines():
            if line.startswith("# DLL:"):
                dll = line.split(":", 1)[1].strip().lower()
            elif line.startswith("# TAG "):
                _, _, tag, systems, text = line.split(None, 4)
                tags[tag] = (set(systems.split(",")), text)
            line = line.split("#", 1)[0].split()
            if not line or dll is None:
                continue
            name, *columns = line
            if len(columns) < 3:
                raise ValueError(f"{path}: {name}: needs a 9x, an nt and an x64 column")
            first = {}
            for family, value in zip(("9x", "nt", "x64"), columns):
                version, *entry_tags = value.split("+")
                if version != NEVER and version not in dict(FAMILIES[family]):
                    raise ValueError(f"{path}: {name}: unknown {family} system {version!r}")
                first[family] = (version, entry_tags)
            lists[(dll, name)] = first
    return lists, tags


def read_range(path):
    """{word size: {family: oldest version stated}}."""
    stated = {}
    for line in path.read_text().splitlines():
        line = line.split("#", 1)[0].split()
        if line:
            word_size, family, version = line
            stated.setdefault(int(word_size), {})[family] = version
    return stated


def index(family, version):
    return [v for v, _ in FAMILIES[family]].index(version)


def system_name(family, version):
    return dict(FAMILIES[family])[version]


def check(path, lists, tags, stated):
    """Prints the report of one file; returns the number of failures."""
    word_size, imports = read_imports(path.read_bytes())
    print(f"{path}: PE{'32+' if word_size == 64 else '32'}, "
          f"{len(imports)} imports from {len({dll.lower() for dll, _ in imports})} DLLs")
    failures = 0
    recorded = []
    for dll, name in imports:
        entry = lists.get((dll.lower(), name))
        if entry is None:
            what = f"by ordinal {name[1:]}" if name.startswith("@") else name
            print(f"  not recorded: {what} ({dll}): no list in exports/ records it")
            failures += 1
        else:
            recorded.append((dll, name, entry))
    for family in FAMILIES_OF_WORD_SIZE[word_size]:
        failures += check_family(family, word_size, recorded, tags, stated)
    return failures


def check_family(family, word_size, recorded, tags, stated):
    """Prints what one family lacks and needs; 1 when outside the stated range."""
    versions = [v for v, _ in FAMILIES[family]]
    first = {}
    for dll, name, entry in recorded:
        version, _ = entry[family]
        first[name] = len(versions) if version == NEVER else index(family, version)
    oldest = max(first.values(), default=0)
    for target in TARGETS[family]:
        for dll, name, entry in recorded:
            if first[name] > index(family, target):
                version = entry[family][0]
                since = "never" if version == NEVER else f"first in {system_name(family, version)}"
                print(f"  missing on {system_name(family, target)}: {name} ({dll}), {since}")
    loads = ("on none" if oldest == len(versions)
             else f"on {system_name(family, versions[oldest])} and later")
    limit = stated.get(word_size, {}).get(family)
    outside = limit is not None and oldest > index(family, limit)
    stated_text = "" if limit is None else f" (stated: {system_name(family, limit)})"
    print(f"  {FAMILY_NAMES[family]}: loads {loads}{stated_text}"
          + (" OUTSIDE THE STATED RANGE" if outside else ""))
    for version in versions[oldest:]:
        needs = sorted({tags[tag][1] for _, _, entry in recorded for tag in entry[family][1]
                        if version in tags[tag][0]})
        if needs:
            print(f"    needs on {system_name(family, version)}: {'; '.join(needs)}")
    return 1 if outside else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--range", type=Path, default=HERE / "range.txt")
    parser.add_argument("--exports", type=Path, default=HERE / "exports")
    parser.add_argument("programs", type=Path, nargs="+")
    args = parser.parse_args()
    (lists, tags), stated = read_lists(args.exports), read_range(args.range)
    failures = 0
    for program in args.programs:
        try:
            failures += check(program, lists, tags, stated)
        except (OSError, PeError, struct.error, ValueError) as error:
            print(f"{program}: cannot read the import table: {error}", file=sys.stderr)
            return 2
    print("load range: " + ("FAILED" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
