"""The 32-bit program folder users copy, inspected without running anything
(the machine that builds it may execute no 32-bit code): every binary is a
32-bit x86 image, the libraries export what their callers bind, the callers
bind it the way they must, and nothing needs a DLL that a bare Windows
machine lacks.

Usage: check_program_folder.py <program folder> [<64-bit program folder>]
The second folder, when given, holds binaries the checks must refuse.
"""

import functools
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pe_image import MACHINE_I386, OPTIONAL_PE32, Import, PeError, PeImage  # noqa: E402

ZXOCLIB_EXPORTS = {
    1: "ZxOcQueryFsbFrquencyInfo",
    2: "ZxOcQueryDramVoltInfo",
    3: "ZxOcQueryVcoreVoltInfo",
    4: "ZxOcQueryNbCoreVoltInfo",
    5: "ZxOcGetFsbFrquency",
    6: "ZxOcGetDramVolt",
    7: "ZxOcGetVcoreVolt",
    8: "ZxOcGetNbCoreVolt",
    9: "ZxOcSetFsbFrquency",
    10: "ZxOcSetDramVolt",
    11: "ZxOcSetVcoreVolt",
    12: "ZxOcSetNbCoreVolt",
    13: "ZxOcSaveCurrentDovrel",
    14: "ZxOcLoadProfile",
    15: "ZxOcIsOxlenMode",
}
ZXOCLIB_SAVE_ORDINAL = 13

DOVREL_FUNCTIONS = {
    1: "DovrelCreate",
    2: "DovrelShowModal",
    3: "DovrelShowModalSp",
    4: "DovrelAskDialog",
    5: "DovrelWarnDialog",
    6: "DovrelAskDialogDanger",
}
# Pointers to the single form instances, under the platform's leading underscore.
DOVREL_DATA = {"_ProfileDialog", "_ProfileShadowForm", "_AskDialog", "_DialogCover"}

# The item library's ordinals (8 is not one of them); the callers know no names.
KYACPI_ORDINALS = set(range(1, 8)) | set(range(9, 14))

# DLLs every supported Windows has. Anything else must be in the program folder.
WINDOWS_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "gdiplus.dll", "imm32.dll",
    "kernel32.dll", "msimg32.dll", "msvcrt.dll", "ntdll.dll", "ole32.dll", "oleaut32.dll",
    "powrprof.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll",
    "version.dll", "winmm.dll", "ws2_32.dll", "dwmapi.dll", "psapi.dll", "wtsapi32.dll",
}
# What a toolchain's shared runtime would add; named in the failure message.
RUNTIME_DLL_PREFIXES = ("libgcc", "libstdc++", "libwinpthread")


# -- checks, each returning the list of faults it found --------------------

def machine_faults(image):
    faults = []
    if image.machine != MACHINE_I386:
        faults.append(f"machine {image.machine:#06x}, not i386 (0x014c)")
    if image.optional_magic != OPTIONAL_PE32:
        faults.append(f"optional header {image.optional_magic:#x}, not PE32 (0x10b)")
    return faults


def named_export_faults(image, expected):
    """Exactly `expected` ({ordinal: name}), each a function under one plain name."""
    faults = []
    actual = {ordinal: export for ordinal, export in image.exports.items() if export.ordinal in expected}
    for ordinal, name in sorted(expected.items()):
        export = actual.get(ordinal)
        if export is None:
            faults.append(f"ordinal {ordinal} ({name}) is not exported")
        elif export.names != [name]:
            faults.append(f"ordinal {ordinal} is named {export.names}, expected [{name!r}]")
        elif not _points_into(image, export, executable=True):
            faults.append(f"{name} does not point at code")
    return faults


def _points_into(image, export, executable):
    section = image.section_of(export.rva)
    return not export.forwarded and section is not None and section.executable == executable


def dovrel_export_faults(image):
    faults = named_export_faults(image, DOVREL_FUNCTIONS)
    data = {}
    for export in image.exports.values():
        for name in export.names:
            if export.ordinal not in DOVREL_FUNCTIONS:
                data[name] = export
    if set(data) != DOVREL_DATA:
        faults.append(f"data exports are {sorted(data)}, expected {sorted(DOVREL_DATA)}")
    for name, export in sorted(data.items()):
        if name in DOVREL_DATA and not _points_into(image, export, executable=False):
            faults.append(f"{name} does not point at data")
    unnamed = [o for o, e in image.exports.items() if not e.names]
    if unnamed:
        faults.append(f"exports without a name at ordinals {unnamed}")
    return faults


def exact_named_export_faults(image, expected):
    faults = named_export_faults(image, expected)
    extra = sorted(set(image.exports) - set(expected))
    if extra:
        faults.append(f"more exports than expected, at ordinals {extra}")
    return faults


def ordinal_only_export_faults(image, ordinals):
    faults = []
    if set(image.exports) != ordinals:
        faults.append(f"exports ordinals {sorted(image.exports)}, expected {sorted(ordinals)}")
    named = {o: e.names for o, e in image.exports.items() if e.names}
    if named:
        faults.append(f"exports carry names: {named}")
    return faults


def ordinal_import_faults(image, dll, allowed=None):
    """Imports from `dll` are by ordinal only (and, when given, only `allowed` ones)."""
    symbols = image.imports_from(dll)
    faults = []
    if not symbols:
        faults.append(f"imports nothing from {dll}")
    by_name = [s.name for s in symbols if s.name is not None]
    if by_name:
        faults.append(f"imports {dll} by name: {by_name}")
    ordinals = {s.ordinal for s in symbols if s.name is None}
    if allowed is not None and ordinals != allowed:
        faults.append(f"imports ordinals {sorted(ordinals)} of {dll}, expected {sorted(allowed)}")
    return faults


def dependency_faults(imports, folder_dlls):
    """DLLs that are neither Windows' own nor in the program folder."""
    faults = []
    for dll in sorted(imports):
        lower = dll.lower()
        if lower in WINDOWS_DLLS or lower in folder_dlls or lower.startswith("api-ms-win-"):
            continue
        if lower.startswith(RUNTIME_DLL_PREFIXES):
            faults.append(f"needs the toolchain's runtime {dll}: link it statically")
        else:
            faults.append(f"needs {dll}, which is neither Windows' own nor in the program folder")
    return faults


def resolution_faults(image, folder_images):
    """Every import from a program-folder DLL names an export it has."""
    faults = []
    for dll, symbols in image.imports.items():
        target = folder_images.get(dll.lower())
        if target is None:
            continue
        names = {name for export in target.exports.values() for name in export.names}
        for symbol in symbols:
            if symbol.name is None and symbol.ordinal not in target.exports:
                faults.append(f"imports ordinal {symbol.ordinal} of {dll}, which it does not export")
            elif symbol.name is not None and symbol.name not in names:
                faults.append(f"imports {symbol.name} of {dll}, which it does not export")
    return faults


def debug_section_names(image):
    return [s.name for s in image.sections if s.name.startswith((".debug", ".zdebug"))]


def debug_info_faults(image, debug_folder):
    """Shipped stripped, with a debug link to its debug information kept
    beside the build (outside the program folder), which holds the DWARF."""
    faults = []
    carried = debug_section_names(image)
    if carried:
        faults.append(f"carries debug sections {carried}: the program folder ships stripped binaries")
    link = image.section(".gnu_debuglink")
    if link is None:
        faults.append("has no debug link to its separate debug information")
        return faults
    name = image.section_data(link).split(b"\0")[0].decode("latin-1")
    path = os.path.join(debug_folder, name)
    if not os.path.isfile(path):
        faults.append(f"links to {name}, which is not in {debug_folder}")
    elif ".debug_info" not in debug_section_names(PeImage(path, tables=False)):
        faults.append(f"{name} holds no debug information")
    return faults


# -- the program folder ----------------------------------------------------

def binaries_in(folder):
    found = []
    for root, _, files in os.walk(folder):
        for name in files:
            if name.lower().endswith((".exe", ".dll")):
                found.append(os.path.join(root, name))
    return sorted(found)


@functools.lru_cache(maxsize=None)
def load_folder(folder):
    return {os.path.basename(path).lower(): PeImage(path) for path in binaries_in(folder)}


PROGRAM_FOLDER = None
WIDE_FOLDER = None


class ProgramFolder(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        if not PROGRAM_FOLDER or not os.path.isdir(PROGRAM_FOLDER):
            raise unittest.SkipTest("no program folder given")
        cls.images = load_folder(PROGRAM_FOLDER)

    def image(self, name):
        image = self.images.get(name.lower())
        self.assertIsNotNone(image, f"{name} is not in {PROGRAM_FOLDER}")
        return image

    def assertNoFaults(self, faults, what):
        self.assertEqual(faults, [], f"{what}:\n  " + "\n  ".join(faults))

    def test_holds_the_deliverables(self):
        for name in ("Zendrix.exe", "ZxOcLib.dll", "Dovrel.dll"):
            self.image(name)

    def test_every_binary_is_a_32_bit_x86_image(self):
        for name, image in sorted(self.images.items()):
            with self.subTest(binary=name):
                self.assertNoFaults(machine_faults(image), name)

    def test_zxoclib_exports_its_plain_names_at_ordinals_1_to_15(self):
        self.assertNoFaults(exact_named_export_faults(self.image("ZxOcLib.dll"), ZXOCLIB_EXPORTS), "ZxOcLib.dll")

    def test_dovrel_exports_six_functions_and_four_form_pointers(self):
        self.assertNoFaults(dovrel_export_faults(self.image("Dovrel.dll")), "Dovrel.dll")

    def test_kyacpi_exports_ordinals_without_names(self):
        self.assertNoFaults(ordinal_only_export_faults(self.image("KyAcpi.dll"), KYACPI_ORDINALS), "KyAcpi.dll")

    def test_callers_bind_by_ordinal(self):
        cases = [
            ("Zendrix.exe", "KyAcpi.dll", None),
            ("ZxOcLib.dll", "KyAcpi.dll", None),
            ("Dovrel.dll", "ZxOcLib.dll", {ZXOCLIB_SAVE_ORDINAL}),
        ]
        for caller, dll, allowed in cases:
            with self.subTest(caller=caller, dll=dll):
                self.assertNoFaults(ordinal_import_faults(self.image(caller), dll, allowed), caller)

    def test_every_import_from_the_folder_resolves(self):
        for name, image in sorted(self.images.items()):
            with self.subTest(binary=name):
                self.assertNoFaults(resolution_faults(image, self.images), name)

    def test_needs_only_windows_and_the_program_folder(self):
        for name, image in sorted(self.images.items()):
            with self.subTest(binary=name):
                self.assertNoFaults(dependency_faults(image.imports, set(self.images)), name)

    def test_ships_stripped_binaries_with_their_debug_information_beside_the_build(self):
        debug_folder = debug_folder_of(PROGRAM_FOLDER)
        for name, image in sorted(self.images.items()):
            with self.subTest(binary=name):
                self.assertNoFaults(debug_info_faults(image, debug_folder), name)
        kept_inside = [f for _, _, files in os.walk(PROGRAM_FOLDER) for f in files if f.endswith(".debug")]
        self.assertEqual(kept_inside, [], "debug information inside the program folder")


def debug_folder_of(program_folder):
    return os.path.join(os.path.dirname(os.path.abspath(program_folder)), "debug")


class ChecksRefuse(unittest.TestCase):
    """The checks find the faults they are there for."""

    def test_a_64_bit_image(self):
        if not WIDE_FOLDER or not os.path.isdir(WIDE_FOLDER):
            self.skipTest("no 64-bit program folder given")
        images = load_folder(WIDE_FOLDER)
        self.assertTrue(images)
        for name, image in images.items():
            with self.subTest(binary=name):
                self.assertTrue(machine_faults(image))

    def test_the_toolchains_runtime_and_unknown_dlls(self):
        imports = {"KERNEL32.dll": [], "libstdc++-6.dll": [], "libgcc_s_dw2-1.dll": [],
                   "libwinpthread-1.dll": [], "Helper.dll": [], "KyAcpi.dll": []}
        faults = dependency_faults(imports, {"kyacpi.dll"})
        self.assertEqual(len(faults), 4, faults)
        self.assertTrue(any("Helper.dll" in fault for fault in faults))

    def test_wrong_export_tables(self):
        if not PROGRAM_FOLDER or not os.path.isdir(PROGRAM_FOLDER):
            self.skipTest("no program folder given")
        images = load_folder(PROGRAM_FOLDER)
        self.assertTrue(exact_named_export_faults(images["dovrel.dll"], ZXOCLIB_EXPORTS))
        self.assertTrue(dovrel_export_faults(images["zxoclib.dll"]))
        self.assertTrue(ordinal_only_export_faults(images["zxoclib.dll"], KYACPI_ORDINALS))
        # Named imports, and an ordinal the caller must not bind.
        self.assertTrue(ordinal_import_faults(images["zendrix.exe"], "KERNEL32.dll"))
        self.assertTrue(ordinal_import_faults(images["dovrel.dll"], "ZxOcLib.dll", {ZXOCLIB_SAVE_ORDINAL + 1}))

    def test_an_import_the_library_does_not_export(self):
        class Caller:
            imports = {"KyAcpi.dll": [Import(ordinal=8)], "ZxOcLib.dll": [Import(name="ZxOcMissing")]}

        if not PROGRAM_FOLDER or not os.path.isdir(PROGRAM_FOLDER):
            self.skipTest("no program folder given")
        self.assertEqual(len(resolution_faults(Caller, load_folder(PROGRAM_FOLDER))), 2)

    def test_an_image_with_its_debug_information(self):
        # The test programs beside the folder are linked with theirs.
        if not PROGRAM_FOLDER or not os.path.isdir(PROGRAM_FOLDER):
            self.skipTest("no program folder given")
        tests = os.path.join(os.path.dirname(os.path.abspath(PROGRAM_FOLDER)), "tests")
        unstripped = sorted(binaries_in(tests)) if os.path.isdir(tests) else []
        if not unstripped:
            self.skipTest("no test programs beside the program folder")
        faults = debug_info_faults(PeImage(unstripped[0]), debug_folder_of(PROGRAM_FOLDER))
        self.assertEqual(len(faults), 2, faults)

    def test_a_file_that_is_no_image(self):
        with self.assertRaises(PeError):
            PeImage(os.path.abspath(__file__))


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PROGRAM_FOLDER = sys.argv[1]
    WIDE_FOLDER = sys.argv[2] if len(sys.argv) > 2 else None
    unittest.main(argv=[sys.argv[0], "-v"])
