#!/usr/bin/python3
"""Zolta.exe's resources as Windows reads them: the icon at every size that
Windows shows at 100 % to 200 %, and a manifest for Windows 10 and 11 with
per-monitor-v2 DPI awareness that runs as the user who starts it."""
import struct
import sys
import xml.etree.ElementTree as ET

import pefile

RT_ICON_GROUP, RT_MANIFEST = 14, 24
WINDOWS_10 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def resources(exe, kind):
    for entry in exe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id == kind:
            for name in entry.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    yield exe.get_data(data.OffsetToData, data.Size)


def main(path):
    exe = pefile.PE(path)
    (group,) = resources(exe, RT_ICON_GROUP)
    count = struct.unpack_from("<H", group, 4)[0]
    widths = sorted(group[6 + 14 * i] or 256 for i in range(count))
    assert widths == [16, 20, 24, 32, 40, 48, 64, 256], f"icon sizes {widths}"

    (manifest,) = resources(exe, RT_MANIFEST)
    root = ET.fromstring(manifest)
    found = {element.tag.split("}")[1]: element for element in root.iter()}
    assert found["supportedOS"].get("Id") == WINDOWS_10, "no supportedOS for Windows 10/11"
    assert found["dpiAwareness"].text == "PerMonitorV2", "DPI awareness"
    assert found["requestedExecutionLevel"].get("level") == "asInvoker", "execution level"
    print(f"icon sizes {widths}; manifest for Windows 10/11, PerMonitorV2, asInvoker")


if __name__ == "__main__":
    main(sys.argv[1])
