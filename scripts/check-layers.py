#!/usr/bin/env python3
"""Checks that the libraries' dependencies point one way.

Reads every src/**/CMakeLists.txt (the DEPS of vt_add_library) and every #include line under
src/, and fails on
  - a library or a source that reaches a library above its own layer,
  - Qt Widgets (the link or one of its headers) below the window libraries,
unless the place is listed in scripts/layer-debts.txt: what the code owes today, to be paid off
and struck out, never added to. A listed debt that is gone is reported too, so the list shrinks
with the code.

    scripts/check-layers.py [REPO]      exit 0 when clean, 1 with one line per fault
"""
import pathlib
import re
import sys

# The core libraries from the bottom up; a library may use its own layer and those below.
CORE = ["platform", "merge", "document", "barcode", "files", "print", "app"]
# Folders whose libraries are windows: they may use Qt Widgets and the core at or below their
# parent's layer, and the window folders of the layers below.
WINDOW_FOLDERS = {"document/widgets", "merge/dialogs", "print/dialogs", "app"}
WIDGET_HEADER_DIRS = [
    pathlib.Path("/usr/include/x86_64-linux-gnu/qt6/QtWidgets"),
    pathlib.Path("/usr/include/qt6/QtWidgets"),
]


def folder_of(path: pathlib.Path, src: pathlib.Path) -> str:
    rel = path.relative_to(src).parts
    if len(rel) >= 2 and "/".join(rel[:2]) in WINDOW_FOLDERS:
        return "/".join(rel[:2])
    return rel[0]


def layer(folder: str) -> int:
    return CORE.index(folder.split("/")[0])


def allowed(user: str, used: str) -> bool:
    if used not in CORE and used not in WINDOW_FOLDERS:
        return True  # not one of ours (a system or third-party header)
    if layer(used) > layer(user):
        return False
    if used in WINDOW_FOLDERS and used != "app":
        return user in WINDOW_FOLDERS
    return True


def widget_headers() -> set:
    names = set()
    for d in WIDGET_HEADER_DIRS:
        if d.is_dir():
            names |= {p.name for p in d.iterdir()}
    return names


def library_folders(src: pathlib.Path) -> dict:
    """vt_… library name -> its folder."""
    libs = {}
    for cm in src.rglob("CMakeLists.txt"):
        for name in re.findall(r"vt_add_library\(\s*(vt_\w+)", cm.read_text()):
            libs[name] = folder_of(cm, src)
    return libs


def faults(repo: pathlib.Path) -> list:
    src = repo / "src"
    libs = library_folders(src)
    widgets = widget_headers()
    found = []
    for cm in sorted(src.rglob("CMakeLists.txt")):
        text = cm.read_text()
        user = folder_of(cm, src)
        for lib, deps in re.findall(r"vt_add_library\(\s*(vt_\w+)(.*?)\)", text, re.S):
            m = re.search(r"DEPS(.*)", deps, re.S)
            for dep in (m.group(1).split() if m else []):
                where = f"{cm.relative_to(repo)}: {lib}"
                if dep == "Qt6::Widgets" and user not in WINDOW_FOLDERS:
                    found.append(f"{where} links Qt6::Widgets")
                elif dep in libs and not allowed(user, libs[dep]):
                    found.append(f"{where} links {dep}")
    for source in sorted(src.rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        user = folder_of(source, src)
        for line in source.read_text(errors="replace").splitlines():
            m = re.match(r'\s*#\s*include\s*[<"]([^>"]+)[>"]', line)
            if not m:
                continue
            header = m.group(1)
            where = f"{source.relative_to(repo)}: {header}"
            top = header.split("/")[0]
            if "/" in header and top in CORE:
                parts = header.split("/")
                used = "/".join(parts[:2]) if "/".join(parts[:2]) in WINDOW_FOLDERS else top
                if not allowed(user, used):
                    found.append(f"{where} includes a library above it")
            elif user not in WINDOW_FOLDERS and (
                header in widgets or header.startswith("QtWidgets/")
            ):
                found.append(f"{where} is a Qt Widgets header below the windows")
    return found


def main() -> int:
    repo = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    if not widget_headers():
        print("check-layers: the Qt Widgets headers are not installed", file=sys.stderr)
        return 1
    debts_file = repo / "scripts" / "layer-debts.txt"
    debts = {
        line.strip()
        for line in debts_file.read_text().splitlines()
        if line.strip() and not line.startswith("#")
    }
    found = faults(repo)
    new = [f for f in found if f not in debts]
    paid = sorted(debts - set(found))
    for f in new:
        print(f"check-layers: {f}")
    for f in paid:
        print(f"check-layers: paid off, strike it from {debts_file.name}: {f}")
    if not new and not paid:
        print(f"check-layers: dependencies point one way ({len(debts)} listed debts)")
    return 1 if new or paid else 0


if __name__ == "__main__":
    sys.exit(main())
