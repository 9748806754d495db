"""The zip and the installer of this build, as a user gets them, under Wine.
Arguments: <dist folder> <lumenary_close.exe> <work folder> <Lumenary.rc>."""
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
import unittest
import zipfile

DIST, CLOSER, WORK, RC = sys.argv[1:5]
PACKAGER = os.path.join(os.path.dirname(__file__), "..", "..", "installer", "package.py")
ARCH = "amd64" if os.environ["LUM_ARCH"] == "x86_64" else "x86"
DRIVE_C = os.path.join(os.environ["WINEPREFIX"], "drive_c")
INSTALLED = os.path.join(DRIVE_C, "Program Files", "Lumenary")
SYSTEM = os.path.join(DRIVE_C, "windows", "system32")
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumenary"
DEMO_SAVERS = ("Bubbles.scr", "Plasma.scr", "Starfield.scr")


def wine(*args, check=True):
    return subprocess.run([os.environ["WINELOADER"], *args], stdin=subprocess.DEVNULL,
                          capture_output=True, text=True, errors="replace", check=check)


def package(dist, out):
    subprocess.run([sys.executable, PACKAGER, "--dist", dist, "--out", out, "--arch", ARCH],
                   check=True, stdout=subprocess.DEVNULL, env=dict(os.environ, SOURCE_DATE_EPOCH="1700000000"))
    return sorted(glob.glob(os.path.join(out, "Lumenary-*")))  # [setup.exe, .zip]


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def tree(folder):
    """Relative path -> digest of every file below folder."""
    return {os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/"): digest(os.path.join(root, name))
            for root, _, files in os.walk(folder) for name in files}


def wait_until(condition, seconds):
    for _ in range(int(seconds * 5)):
        if condition():
            return True
        time.sleep(0.2)
    return condition()


def registry_values(key):
    result = wine("reg", "query", key, check=False)
    if result.returncode != 0:
        return None
    return {m[0]: m[2] for m in re.findall(r"^\s+(.+?)\s{4}(REG_\w+)\s{4}(.*?)\s*$", result.stdout, re.M)}


def start_and_close(exe, shot, while_running=lambda: None):
    """Starts the program, waits for its main window and closes it as a user would."""
    with open(os.path.join(WORK, "program.log"), "w") as log:
        program = subprocess.Popen([os.environ["WINELOADER"], exe], stdin=subprocess.DEVNULL,
                                   stdout=log, stderr=log)
    try:
        shown = wait_until(lambda: '"Lumenary"' in subprocess.run(
            ["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout, 60)
        if shown:
            time.sleep(1)
            subprocess.run(["import", "-window", "root", os.path.join(WORK, shot)], check=False)
            while_running()
        closed = wine(CLOSER, check=False).stdout
        return shown, closed.strip(), program.wait(30)
    finally:
        if program.poll() is None:
            program.kill()


class ReleaseTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(os.path.join(WORK, "package"), ignore_errors=True)
        cls.setup, cls.zip = package(DIST, os.path.join(WORK, "package"))
        # The publisher's sample database stays out; everything else ships.
        cls.shipped = {rel: data for rel, data in tree(DIST).items() if not rel.startswith("demo/db/")}
        with open(RC, encoding="utf-8") as rc:
            full = re.search(r'VALUE "ProductVersion", "([\d.]+)"', rc.read())[1]
        cls.version = re.sub(r"^(\d+\.\d+\.\d+)\.0$", r"\1", full)

    def test_the_archives_carry_the_shipped_files_and_the_zip_unpacks_to_a_program_that_starts(self):
        top = "Lumenary-" + self.version
        self.assertEqual(os.path.basename(self.zip), top + ".zip")
        self.assertEqual(os.path.basename(self.setup), top + "-setup.exe")
        folder = os.path.join(DRIVE_C, "Unpacked")
        shutil.rmtree(folder, ignore_errors=True)
        with zipfile.ZipFile(self.zip) as archive:
            packed = {n[len(top) + 1:]: hashlib.sha256(archive.read(n)).hexdigest()
                      for n in archive.namelist() if not n.endswith("/")}
            archive.extractall(folder)
        self.assertEqual(packed, self.shipped)
        self.assertEqual(os.listdir(folder), [top])
        exe = "C:\\Unpacked\\" + top + "\\Lumenary.exe"
        self.assertEqual(start_and_close(exe, "zip.png"), (True, "closed 1 window(s)", 0))

    def test_installer_installs_and_uninstaller_removes_only_what_was_installed(self):
        user = next(p for p in glob.glob(os.path.join(DRIVE_C, "users", "*")) if not p.endswith("Public"))
        collection = os.path.join(user, "Documents", "Lumenary")
        shutil.rmtree(collection, ignore_errors=True)
        entry = os.path.join(collection, "Collection", "all", "00001")
        os.makedirs(entry)
        with open(os.path.join(entry, "saver_item.ini"), "wb") as f:
            f.write("\ufeff[SAVER_ITEM]\r\nsort_id=1\r\ncategory=未設定\r\ntitle=星\r\n".encode("utf-16-le"))
        for name in DEMO_SAVERS:  # what an earlier, failed run may have left
            if os.path.exists(os.path.join(SYSTEM, name)):
                os.remove(os.path.join(SYSTEM, name))
        # A saver of the system's own with a demo saver's name must survive both.
        with open(os.path.join(SYSTEM, "Bubbles.scr"), "wb") as f:
            f.write(b"the system's own saver")
        systems_own = digest(os.path.join(SYSTEM, "Bubbles.scr"))
        wine("reg", "delete", UNINSTALL_KEY, "/f", check=False)
        shutil.rmtree(INSTALLED, ignore_errors=True)

        self.assertEqual(wine(self.setup, "/S", "/DEMOSAVERS").returncode, 0)
        installed = tree(INSTALLED)
        self.assertIn("uninstall.exe", installed)
        self.assertEqual({k: v for k, v in installed.items() if k != "uninstall.exe"}, self.shipped)
        values = registry_values(UNINSTALL_KEY)
        program = r"C:\Program Files\Lumenary"
        expected = {"DisplayName": "Lumenary", "DisplayVersion": self.version, "Publisher": "Lumenary",
                    "InstallLocation": program, "DisplayIcon": program + r"\Lumenary.exe,0",
                    "UninstallString": f'"{program}\\uninstall.exe"',
                    "QuietUninstallString": f'"{program}\\uninstall.exe" /S'}
        self.assertEqual({k: values.get(k) for k in expected}, expected)
        start_menu = os.path.join(DRIVE_C, "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "Lumenary")
        shortcuts = [os.path.join(start_menu, "Lumenary.lnk"),
                     os.path.join(DRIVE_C, "users", "Public", "Desktop", "Lumenary.lnk")]
        for link in shortcuts:
            with open(link, "rb") as f:
                self.assertIn("Lumenary.exe".encode("utf-16-le"), f.read(), link)
        self.assertEqual(digest(os.path.join(SYSTEM, "Bubbles.scr")), systems_own)
        for name in ("Plasma.scr", "Starfield.scr"):
            self.assertEqual(digest(os.path.join(SYSTEM, name)), self.shipped["demo/" + name])

        def uninstall_while_running():
            # In place (_?=, unquoted, hence the batch file), so that its exit code is the result.
            with open(os.path.join(DRIVE_C, "uninstall-in-place.bat"), "w", newline="\r\n") as bat:
                bat.write(f'"{program}\\uninstall.exe" /S _?={program}\nexit /b %ERRORLEVEL%\n')
            result = wine("cmd", "/c", r"C:\uninstall-in-place.bat", check=False)
            self.assertEqual((result.returncode, tree(INSTALLED)), (2, installed))
        self.assertEqual(start_and_close(program + r"\Lumenary.exe", "installed.png", uninstall_while_running),
                         (True, "closed 1 window(s)", 0))
        self.assertEqual(registry_values(UNINSTALL_KEY), values)
        users_files = tree(collection)
        self.assertIn("Collection/all/00001/saver_item.ini", users_files)

        # As an administrator's script would: the quiet command from the registry.
        quiet = re.fullmatch(r'"([^"]+)" (/S)', values["QuietUninstallString"])
        self.assertEqual(wine(quiet[1], quiet[2]).returncode, 0)
        # The uninstaller runs on from a copy of itself in the temporary folder.
        self.assertTrue(wait_until(lambda: not os.path.exists(INSTALLED), 120), tree(INSTALLED))
        self.assertIsNone(registry_values(UNINSTALL_KEY))
        self.assertEqual([p for p in (start_menu, *shortcuts) if os.path.exists(p)], [])
        self.assertEqual(digest(os.path.join(SYSTEM, "Bubbles.scr")), systems_own)
        self.assertEqual([n for n in DEMO_SAVERS if os.path.exists(os.path.join(SYSTEM, n))], ["Bubbles.scr"])
        self.assertEqual(tree(collection), users_files)
        os.remove(os.path.join(SYSTEM, "Bubbles.scr"))


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
