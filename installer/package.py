#!/usr/bin/env python3
"""Packs a build's dist/ folder into Lumenary-<version>.zip and, with NSIS,
Lumenary-<version>-setup.exe.

Everything in dist/ ships except what only the publisher or the linker uses
(see SKIPPED). The version is the product version in Lumenary.exe's own
version resource, so the file names, the installer and "Programs and
Features" all say what the program says.

Same input, same bytes: entries are sorted, and every time stamp (in the zip
and on the staged files that the installer records) is SOURCE_DATE_EPOCH.
"""
import argparse
import os
import shutil
import stat
import struct
import subprocess
import sys
import time
import zipfile

PROGRAM = "Lumenary.exe"
# dist/demo/db is the sample of the publisher's server data that the
# developer scripts serve over HTTP; the program never reads it from disk.
SKIPPED_FOLDERS = ("demo/db",)
SKIPPED_SUFFIXES = (".pdb", ".ilk", ".exp", ".lib", ".a", ".map")
DEMO_FOLDER = "demo"
ZIP_EPOCH_MIN = 315532800  # 1980-01-01, the earliest time a zip entry holds


def shipped_files(dist):
    """Relative '/'-separated paths of the files that ship, sorted."""
    found = []
    for root, dirs, files in os.walk(dist):
        rel_root = os.path.relpath(root, dist).replace(os.sep, "/")
        rel_root = "" if rel_root == "." else rel_root + "/"
        dirs[:] = [d for d in dirs if (rel_root + d) not in SKIPPED_FOLDERS]
        for name in files:
            if not name.lower().endswith(SKIPPED_SUFFIXES):
                found.append(rel_root + name)
    return sorted(found)


def product_version(exe_path):
    """(major, minor, patch, build) from the VS_FIXEDFILEINFO of a PE file."""
    data = open(exe_path, "rb").read()
    key = "VS_VERSION_INFO\0".encode("utf-16-le")
    at = data.find(key)
    if at < 6:
        raise ValueError(f"{exe_path} has no version resource")
    # The key follows three WORDs; the fixed info starts at the next DWORD
    # boundary relative to the start of the block.
    block = at - 6
    fixed = block + ((6 + len(key) + 3) & ~3)
    signature, _, _, _, ms, ls = struct.unpack_from("<6I", data, fixed)
    if signature != 0xFEEF04BD:
        raise ValueError(f"{exe_path} has a damaged version resource")
    return (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)


def version_label(parts):
    """'1.2.3', with the fourth part only when it is not zero."""
    shown = parts if parts[3] else parts[:3]
    return ".".join(str(p) for p in shown)


def stage(dist, files, folder, epoch):
    if os.path.exists(folder):
        shutil.rmtree(folder)
    for rel in files:
        target = os.path.join(folder, *rel.split("/"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copyfile(os.path.join(dist, *rel.split("/")), target)
        os.utime(target, (epoch, epoch))


def write_zip(path, top, staged, files, epoch):
    stamp = time.gmtime(max(epoch, ZIP_EPOCH_MIN))[:6]
    folders = sorted({top + "/"} | {
        top + "/" + rel.rsplit("/", 1)[0] + "/" for rel in files if "/" in rel})

    def entry(name, attributes):
        info = zipfile.ZipInfo(name, stamp)
        info.create_system = 0  # MS-DOS attributes, whatever system packs it
        info.external_attr = attributes
        return info

    with zipfile.ZipFile(path + ".part", "w") as archive:
        for folder in folders:
            archive.writestr(entry(folder, stat.FILE_ATTRIBUTE_DIRECTORY), b"")
        for rel in files:
            info = entry(top + "/" + rel, stat.FILE_ATTRIBUTE_ARCHIVE)
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(staged, *rel.split("/")), "rb") as f:
                archive.writestr(info, f.read(), compresslevel=9)
    os.replace(path + ".part", path)


def nsis_text(text):
    return text.replace("$", "$$").replace('"', '$\\"')


def windows_path(rel):
    return rel.replace("/", "\\")


def write_file_list(path, staged, files):
    """NSIS macros that install, and remove again, exactly the staged files,
    so the uninstaller never deletes anything it did not put there."""
    folders = sorted({rel.rsplit("/", 1)[0] for rel in files if "/" in rel})
    savers = [rel.rsplit("/", 1)[1] for rel in files
              if rel.startswith(DEMO_FOLDER + "/") and rel.count("/") == 1
              and rel.lower().endswith(".scr")]
    lines = ["; Made by package.py from the staged files.", "",
             "!macro LUM_INSTALL_FILES"]
    current = None
    for rel in sorted(files, key=lambda r: (r.rsplit("/", 1)[0] if "/" in r else "", r)):
        folder = rel.rsplit("/", 1)[0] if "/" in rel else ""
        if folder != current:
            current = folder
            out = "\\" + nsis_text(windows_path(folder)) if folder else ""
            lines.append(f'  SetOutPath "$INSTDIR{out}"')
        source = os.path.abspath(os.path.join(staged, *rel.split("/")))
        lines.append(f'  File "{nsis_text(source)}"')
    lines.append('  SetOutPath "$INSTDIR"')
    lines += ["!macroend", "", "!macro LUM_UNINSTALL_FILES"]
    for rel in files:
        lines.append(f'  Delete "$INSTDIR\\{nsis_text(windows_path(rel))}"')
    for folder in sorted(folders, key=lambda f: -f.count("/")):
        lines.append(f'  RMDir "$INSTDIR\\{nsis_text(windows_path(folder))}"')
    lines += ["!macroend", "", "!macro LUM_INSTALL_DEMO_SAVERS"]
    for name in savers:
        lines.append(f'  !insertmacro LUM_INSTALL_DEMO_SAVER "{nsis_text(name)}"')
    lines += ["!macroend", "", "!macro LUM_UNINSTALL_DEMO_SAVERS"]
    for name in savers:
        lines.append(f'  !insertmacro LUM_UNINSTALL_DEMO_SAVER "{nsis_text(name)}"')
    lines.append("!macroend")
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def make_installer(script, arch, version, staged, file_list, icon, out, epoch):
    parts = ".".join(str(p) for p in version)
    env = dict(os.environ, SOURCE_DATE_EPOCH=str(epoch))
    command = ["makensis", "-V2", "-INPUTCHARSET", "UTF8",
               f"-DARCH={arch}", f"-DVERSION={version_label(version)}",
               f"-DVERSION4={parts}", f"-DFILE_LIST={os.path.abspath(file_list)}",
               f"-DICON={os.path.abspath(icon)}", f"-DOUTFILE={os.path.abspath(out)}",
               script]
    subprocess.run(command, check=True, env=env)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--dist", required=True, help="the build's dist folder")
    parser.add_argument("--out", required=True, help="where the zip and installer go")
    parser.add_argument("--arch", choices=("x86", "amd64"), default="x86",
                        help="the installer's own architecture, the same as the program's")
    parser.add_argument("--icon", default=os.path.join(here, "..", "assets", "icon", "lumenary.ico"))
    parser.add_argument("--print-version", action="store_true",
                        help="print the program's version and stop")
    args = parser.parse_args()

    version = product_version(os.path.join(args.dist, PROGRAM))
    label = version_label(version)
    if args.print_version:
        print(label)
        return 0
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", ZIP_EPOCH_MIN))
    files = shipped_files(args.dist)
    if PROGRAM not in files:
        raise SystemExit(f"{args.dist} has no {PROGRAM}")

    top = f"Lumenary-{label}"
    os.makedirs(args.out, exist_ok=True)
    staged = os.path.join(args.out, "stage", top)
    stage(args.dist, files, staged, epoch)
    zip_path = os.path.join(args.out, top + ".zip")
    write_zip(zip_path, top, staged, files, epoch)
    file_list = os.path.join(args.out, "stage", "files.nsh")
    write_file_list(file_list, staged, files)
    setup_path = os.path.join(args.out, top + "-setup.exe")
    make_installer(os.path.join(here, "Lumenary.nsi"), args.arch, version,
                   staged, file_list, args.icon, setup_path, epoch)
    print(zip_path)
    print(setup_path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
