"""Reads what the loader needs from a PE file without running it: machine,
optional-header kind, sections, exports and imports.

Only the parts the program folder's check uses are decoded; a file that is not
a PE image, or whose tables point outside it, raises PeError.
"""

import struct

MACHINE_I386 = 0x014C
MACHINE_AMD64 = 0x8664
OPTIONAL_PE32 = 0x10B
OPTIONAL_PE32_PLUS = 0x20B
SECTION_EXECUTE = 0x20000000


class PeError(Exception):
    pass


class Export:
    """One entry of the export address table."""

    def __init__(self, ordinal, rva, names, forwarded):
        self.ordinal = ordinal
        self.rva = rva
        self.names = names  # every name that points at this entry (usually 0 or 1)
        self.forwarded = forwarded


class Import:
    """One imported symbol: by ordinal (name None) or by name."""

    def __init__(self, ordinal=None, name=None):
        self.ordinal = ordinal
        self.name = name

    def __repr__(self):
        return f"#{self.ordinal}" if self.name is None else self.name


class Section:
    def __init__(self, name, rva, virtual_size, raw_offset, raw_size, flags):
        self.name = name
        self.rva = rva
        self.size = max(virtual_size, raw_size)
        self.raw_offset = raw_offset
        self.raw_size = raw_size
        self.flags = flags

    def holds(self, rva):
        return self.rva <= rva < self.rva + self.size

    @property
    def executable(self):
        return bool(self.flags & SECTION_EXECUTE)


class PeImage:
    def __init__(self, path, tables=True):
        """tables=False reads the headers and sections only (a separate
        debug file keeps the sections' names but not their contents)."""
        self.path = path
        with open(path, "rb") as f:
            self.data = f.read()
        self._read_headers()
        self.exports = self._read_exports() if tables else {}
        self.imports = self._read_imports() if tables else {}

    # -- headers --------------------------------------------------------

    def _unpack(self, fmt, offset):
        size = struct.calcsize(fmt)
        if offset < 0 or offset + size > len(self.data):
            raise PeError(f"{self.path}: truncated at offset {offset:#x}")
        return struct.unpack_from(fmt, self.data, offset)

    def _read_headers(self):
        if self.data[:2] != b"MZ":
            raise PeError(f"{self.path}: no MZ header")
        (pe_offset,) = self._unpack("<I", 0x3C)
        if self.data[pe_offset:pe_offset + 4] != b"PE\0\0":
            raise PeError(f"{self.path}: no PE signature")
        (self.machine, section_count, _, symbol_table, symbol_count, optional_size,
         self.characteristics) = self._unpack("<HHIIIHH", pe_offset + 4)
        # Names longer than 8 bytes (".debug_info", ".gnu_debuglink") are
        # "/<offset>" into the string table that follows the symbol table.
        strings = symbol_table + 18 * symbol_count if symbol_table else None
        optional = pe_offset + 24
        (self.optional_magic,) = self._unpack("<H", optional)
        if self.optional_magic == OPTIONAL_PE32:
            directories = optional + 96
        elif self.optional_magic == OPTIONAL_PE32_PLUS:
            directories = optional + 112
        else:
            raise PeError(f"{self.path}: unknown optional header {self.optional_magic:#x}")
        (directory_count,) = self._unpack("<I", directories - 4)
        self.directories = [self._unpack("<II", directories + 8 * i) for i in range(min(directory_count, 16))]

        self.sections = []
        table = optional + optional_size
        for i in range(section_count):
            raw_name, virtual_size, rva, raw_size, raw_offset = self._unpack("<8sIIII", table + 40 * i)
            (flags,) = self._unpack("<I", table + 40 * i + 36)
            name = raw_name.rstrip(b"\0").decode("latin-1")
            if name.startswith("/") and name[1:].isdigit() and strings is not None:
                name = self._zero_terminated(strings + int(name[1:]))
            self.sections.append(Section(name, rva, virtual_size, raw_offset, raw_size, flags))

    def _zero_terminated(self, offset):
        end = self.data.find(b"\0", offset)
        if offset >= len(self.data) or end < 0:
            raise PeError(f"{self.path}: name at offset {offset:#x} runs past the end")
        return self.data[offset:end].decode("latin-1")

    def section(self, name):
        return next((s for s in self.sections if s.name == name), None)

    def section_data(self, section):
        return self.data[section.raw_offset:section.raw_offset + section.raw_size]

    def section_of(self, rva):
        for section in self.sections:
            if section.holds(rva):
                return section
        return None

    def _offset(self, rva):
        section = self.section_of(rva)
        if section is None or rva - section.rva >= section.raw_size:
            raise PeError(f"{self.path}: address {rva:#x} lies in no section's file data")
        return section.raw_offset + rva - section.rva

    def _text(self, rva):
        offset = self._offset(rva)
        end = self.data.find(b"\0", offset)
        if end < 0:
            raise PeError(f"{self.path}: unterminated name at {rva:#x}")
        return self.data[offset:end].decode("latin-1")

    def _directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    # -- exports --------------------------------------------------------

    def _read_exports(self):
        rva, size = self._directory(0)
        if rva == 0:
            return {}
        (_, _, _, _, _, base, function_count, name_count, functions, names, ordinals) = self._unpack(
            "<IIHHIIIIIII", self._offset(rva))
        exports = {}
        for i in range(function_count):
            (target,) = self._unpack("<I", self._offset(functions + 4 * i))
            if target == 0:
                continue  # a gap in the ordinal range
            forwarded = rva <= target < rva + size
            exports[base + i] = Export(base + i, target, [], forwarded)
        for i in range(name_count):
            (name_rva,) = self._unpack("<I", self._offset(names + 4 * i))
            (index,) = self._unpack("<H", self._offset(ordinals + 2 * i))
            if base + index not in exports:
                raise PeError(f"{self.path}: export name points at an empty slot {index}")
            exports[base + index].names.append(self._text(name_rva))
        return exports

    # -- imports --------------------------------------------------------

    def _read_imports(self):
        """{dll name as written: [Import, ...]} from the import directory."""
        rva, _ = self._directory(1)
        imports = {}
        if rva == 0:
            return imports
        entry_size = 8 if self.optional_magic == OPTIONAL_PE32_PLUS else 4
        ordinal_flag = 1 << (entry_size * 8 - 1)
        fmt = "<Q" if entry_size == 8 else "<I"
        descriptor = self._offset(rva)
        while True:
            lookup, _, _, name_rva, address = self._unpack("<IIIII", descriptor)
            if lookup == 0 and name_rva == 0 and address == 0:
                break
            symbols = []
            thunk = lookup or address
            while True:
                (value,) = self._unpack(fmt, self._offset(thunk))
                if value == 0:
                    break
                if value & ordinal_flag:
                    symbols.append(Import(ordinal=value & 0xFFFF))
                else:
                    hint_name = value & 0x7FFFFFFF
                    symbols.append(Import(name=self._text(hint_name + 2)))
                thunk += entry_size
            imports.setdefault(self._text(name_rva), []).extend(symbols)
            descriptor += 20
        return imports

    def imports_from(self, dll):
        """The symbols imported from `dll` (case-insensitive), [] when none."""
        return [symbol for name, symbols in self.imports.items() if name.lower() == dll.lower() for symbol in symbols]
