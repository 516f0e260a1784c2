#!/usr/bin/python3
"""The programs of the Windows zip carry an icon and version information, as Explorer shows
them: read with pefile (a reader no one here wrote) from the zip itself.

    resources.py ZIP VERSION
"""
import io
import sys
import zipfile

import pefile

archive, version = sys.argv[1], sys.argv[2]
failures = []
checked = 0
with zipfile.ZipFile(archive) as zip_file:
    programs = [n for n in zip_file.namelist() if n.endswith(".exe")]
    for name in programs:
        pe = pefile.PE(data=zip_file.read(name))
        info = {}
        for file_info in getattr(pe, "FileInfo", []):
            for entry in file_info:
                for table in getattr(entry, "StringTable", []):
                    info.update({k.decode(): v.decode() for k, v in table.entries.items()})
        program = name.rsplit("/", 1)[-1]
        expected = {"ProductName": "dxf2csv", "FileVersion": version, "ProductVersion": version,
                    "OriginalFilename": program}
        for key, value in expected.items():
            checked += 1
            if info.get(key) != value:
                failures.append(f"{program}: {key} is {info.get(key)!r}, not {value!r}")
        checked += 1
        if not any(ord(c) > 0x3000 for c in info.get("FileDescription", "")):
            failures.append(f"{program}: no Japanese description: {info.get('FileDescription')!r}")
        checked += 1
        resources = pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []
        icons = [e for e in resources if e.id == pefile.RESOURCE_TYPE["RT_GROUP_ICON"]]
        if not icons:
            failures.append(f"{program}: no icon")
    checked += 1
    if len(programs) != 2:
        failures.append(f"the zip holds {programs}")
for failure in failures:
    print("FAILED:", failure)
print(f"{checked - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
