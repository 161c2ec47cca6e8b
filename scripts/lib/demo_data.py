"""Lays out the demo: an update server folder with a sample catalogue, and a
sample PureBasic installation in which some libraries are current, some
outdated, one is present only as a user-library file and one is missing.

Usage: demo_data.py DEMO_FOLDER SERVER_ADDRESS
"""

import sys
from pathlib import Path

# name, installed version (None: no residents file), internet version,
# user-library file present
LIBRARIES = [
    ("ExampleLib", "2.10", "2.10", True),
    ("FastStrings", "1.2", "1.3", True),
    ("DialogKit", "1.0a", "1.0b", True),
    ("NetTools", None, "0.9", True),
    ("ZipHelper", None, "4.0", False),
]


def residents(identifier: str, version: str) -> bytes:
    # A marker, two bytes and the zero-terminated version, among other data.
    return (b"ERUP\x00\x00\x00\x10" + identifier.encode() + b"\x00\x01" + version.encode()
            + b"\x00constants and structures\x00")


def main(demo: Path, server: str) -> None:
    files = demo / "www" / "files"
    files.mkdir(parents=True, exist_ok=True)
    lines = ["; The demo's update server catalogue", "[Updater]", "Version = 1.4"]
    for number, (name, _, internet, _) in enumerate(LIBRARIES, start=1):
        lines += [f"[Library{number}]", f"Name = {name}", f"Version = {internet}",
                  f"Url = {server}/files/{name}.zip", f"Identifyer = {name}_Version"]
    (files / "Updater.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode())

    pure_basic = demo / "PureBasic"
    for folder in ("Residents", "PureLibraries/UserLibraries", "Help", "Examples"):
        (pure_basic / folder).mkdir(parents=True, exist_ok=True)
    (pure_basic / "PureBasic.exe").write_bytes(b"MZ (stands in for the compiler)")
    for name, installed, _, user_library in LIBRARIES:
        if installed is not None:
            (pure_basic / "Residents" / f"{name}.res").write_bytes(
                residents(f"{name}_Version", installed))
        if user_library:
            (pure_basic / "PureLibraries" / "UserLibraries" / name).write_bytes(
                b"compiled user library " + name.encode())


if __name__ == "__main__":
    main(Path(sys.argv[1]), sys.argv[2])
