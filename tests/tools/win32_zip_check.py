#!/usr/bin/env python3
"""Checks the Windows release zip: its members and their order, the bytes of the program and the songs,
the 32-bit program, the players' README and the fixed dates that make the archive reproducible."""
import struct
import sys
import zipfile
from pathlib import Path

SKIPPED = 77
SONG_COUNT = 14
FIXED_DATE = (2026, 1, 1, 0, 0, 0)
PE_MACHINE_I386 = 0x14C
SWITCHES = ("/F", "/S", "/E", "/M")


def fail(message):
    print(f"FAILED: {message}")
    sys.exit(1)


def pe_machine(data):
    if data[:2] != b"MZ":
        return None
    (header,) = struct.unpack_from("<I", data, 0x3C)
    if data[header:header + 4] != b"PE\0\0":
        return None
    (machine,) = struct.unpack_from("<H", data, header + 4)
    return machine


def main():
    if len(sys.argv) != 4:
        fail("usage: win32_zip_check.py BUILD_DIR PROGRAMS_DIR VERSION")
    build, programs, version = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
    stem = f"vorna-{version}-win32"
    path = build / f"{stem}.zip"
    if not path.is_file() and not (programs / "vorna.exe").is_file():
        print("skipped: no cross build (mingw-w64 is not installed)")
        sys.exit(SKIPPED)
    if not path.is_file():
        fail(f"make win32 wrote no {path.name}")
    songs = [f"m{n:02x}.dat" for n in range(SONG_COUNT)]
    expected = [f"{stem}/{name}" for name in ["vorna.exe", "README.txt"] + songs]
    with zipfile.ZipFile(path) as archive:
        if archive.testzip() is not None:
            fail(f"{path.name} is damaged")
        infos = archive.infolist()
        names = [info.filename for info in infos]
        if names != expected:
            fail(f"members {names}, expected {expected}")
        dated = [info.filename for info in infos if info.date_time != FIXED_DATE]
        if dated:
            fail(f"members without the fixed date: {dated}")
        for name in ["vorna.exe"] + songs:
            if archive.read(f"{stem}/{name}") != (programs / name).read_bytes():
                fail(f"{name} in the zip differs from the built one")
        machine = pe_machine(archive.read(f"{stem}/vorna.exe"))
        if machine != PE_MACHINE_I386:
            fail(f"vorna.exe is not a 32-bit x86 program (machine {machine})")
        readme = archive.read(f"{stem}/README.txt")
    if readme.count(b"\n") == 0 or readme.count(b"\n") != readme.count(b"\r\n"):
        fail("README.txt does not end every line with CR LF")
    try:
        text = readme.decode("ascii")
    except UnicodeDecodeError:
        fail("README.txt is not plain ASCII")
    if f"Version {version}\r\n" not in text:
        fail(f"README.txt does not name version {version}")
    missing = [s for s in SWITCHES if f"  {s}  " not in text]
    if missing:
        fail(f"README.txt does not explain the switches {missing}")
    if "@" in text:
        fail("README.txt holds an unreplaced @VARIABLE@")
    print(f"{path.name}: {len(names)} members in order, the 32-bit vorna.exe and the songs as built, "
          "README.txt with CR LF and the version")


if __name__ == "__main__":
    main()
