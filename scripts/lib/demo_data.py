"""Lays out the demo: an update server folder with a sample catalogue and an
archive for every library (built from sample library folders), and a sample
PureBasic installation in which some libraries are current, some outdated,
one is present only as a user-library file and one is missing.

Usage: demo_data.py DEMO_FOLDER SERVER_ADDRESS [TOOL_VERSION]
"""

import sys
import zipfile
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


def library_folder(root: Path, name: str, version: str) -> Path:
    """A library as its author ships it: the folders mirror the PureBasic folder."""
    folder = root / name
    files = {
        f"Residents/{name}.res": residents(f"{name}_Version", version),
        f"PureLibraries/UserLibraries/{name}": f"compiled user library {name} {version}".encode(),
        f"SubSystems/UserLibThreadSafe/PureLibraries/{name}": f"thread-safe {name} {version}".encode(),
        f"Examples/{name}/{name}_Demo.pb": f"; {name} {version} example\r\n".encode(),
        f"Help/English/{name}.chm": f"{name} {version} help (English)".encode(),
        f"Help/Deutsch/{name}.chm": f"{name} {version} Hilfe (Deutsch)".encode(),
        "ReadMe.txt": f"{name} {version}: unpacked by Tessary into your PureBasic folder".encode(),
    }
    for relative, data in files.items():
        path = folder / relative
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(data)
    return folder


def zip_folder(folder: Path, archive: Path) -> None:
    with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as zip_file:
        for path in sorted(folder.rglob("*")):
            relative = path.relative_to(folder).as_posix()
            zip_file.write(path, relative + ("/" if path.is_dir() else ""))


def main(demo: Path, server: str, tool_version: str) -> None:
    files = demo / "www" / "files"
    files.mkdir(parents=True, exist_ok=True)
    lines = ["; The demo's update server catalogue", "[Updater]", f"Version = {tool_version}"]
    for number, (name, _, internet, _) in enumerate(LIBRARIES, start=1):
        lines += [f"[Library{number}]", f"Name = {name}", f"Version = {internet}",
                  f"Url = {server}/files/{name}.zip", f"Identifyer = {name}_Version"]
    (files / "Updater.ini").write_bytes(("\r\n".join(lines) + "\r\n").encode())
    for name, _, internet, _ in LIBRARIES:
        zip_folder(library_folder(demo / "libraries", name, internet), files / f"{name}.zip")

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
    main(Path(sys.argv[1]), sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else "1.4")
