#!/usr/bin/env python3
"""Checks the compiled Windows resources of glyphwright.exe (a .res file made by windres from the
configured glyphwright.rc): the version block and the icon group.

    check_windows_resource.py RES ICO FILE_VERSION VERSION_TEXT

FILE_VERSION is the four-part version (1.0.0.0), VERSION_TEXT the shown one (1.00). The icon group
must hold exactly the images of ICO, byte for byte.
"""

import struct
import sys

RT_ICON, RT_GROUP_ICON, RT_VERSION = 3, 14, 16
ENGLISH_US = 0x0409


class Failure(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise Failure(message)


def read_id(data, pos):
    """A resource type or name: 0xFFFF and a number, or a NUL-terminated UTF-16 string."""
    (first,) = struct.unpack_from("<H", data, pos)
    if first == 0xFFFF:
        (number,) = struct.unpack_from("<H", data, pos + 2)
        return number, pos + 4
    end = pos
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[pos:end].decode("utf-16-le"), end + 2


def read_res(data):
    """Every resource of a .res file as (type, name, language, bytes)."""
    resources = []
    pos = 0
    while pos < len(data):
        data_size, header_size = struct.unpack_from("<II", data, pos)
        kind, at = read_id(data, pos + 8)
        name, at = read_id(data, at)
        at = (at + 3) & ~3
        _, _, language, _, _ = struct.unpack_from("<IHHII", data, at)
        body = data[pos + header_size:pos + header_size + data_size]
        expect(len(body) == data_size, f"resource {kind}/{name} is cut short")
        if data_size or kind != 0:  # the file starts with an empty entry
            resources.append((kind, name, language, body))
        pos = (pos + header_size + data_size + 3) & ~3
    return resources


def read_node(data, pos):
    """One node of a version block: (key, value bytes, is_text, children, end)."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, pos)
    expect(length >= 6 and pos + length <= len(data), f"version node at {pos} has a bad length")
    end = pos + length
    key_end = pos + 6
    while struct.unpack_from("<H", data, key_end)[0] != 0:
        key_end += 2
    key = data[pos + 6:key_end].decode("utf-16-le")
    at = (key_end + 2 + 3) & ~3
    value_bytes = value_length * 2 if is_text else value_length
    value = data[at:at + value_bytes]
    at = (at + value_bytes + 3) & ~3
    children = []
    while at < end:
        child = read_node(data, at)
        children.append(child)
        at = (child[4] + 3) & ~3
    return key, value, is_text, children, end


def text(value):
    return value.decode("utf-16-le").split("\0", 1)[0]


def check_version(resources, file_version, version_text):
    found = [r for r in resources if r[0] == RT_VERSION]
    expect(len(found) == 1, f"expected one version block, found {len(found)}")
    _, name, language, body = found[0]
    expect(name == 1, f"the version block should be resource 1, is {name!r}")
    expect(language == ENGLISH_US, f"the version block's language is {language:#06x}, not 0x0409")

    key, fixed, _, children, _ = read_node(body, 0)
    expect(key == "VS_VERSION_INFO", f"the version block starts with {key!r}")
    expect(len(fixed) == 52, f"the fixed version info is {len(fixed)} bytes, not 52")
    (signature, _, file_ms, file_ls, product_ms, product_ls, flags_mask, flags, file_os, file_type,
     file_subtype, _, _) = struct.unpack("<13I", fixed)
    expect(signature == 0xFEEF04BD, "the fixed version info lacks its signature")
    parts = [int(p) for p in file_version.split(".")]
    packed = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    expect((file_ms, file_ls) == packed, f"fixed file version is {file_ms:#x},{file_ls:#x}")
    expect((product_ms, product_ls) == packed, f"fixed product version is {product_ms:#x},{product_ls:#x}")
    expect(flags & flags_mask == 0, f"file flags {flags:#x} are set")
    expect(file_type == 1, f"file type is {file_type}, not VFT_APP (1)")
    expect(file_subtype == 0, f"file subtype is {file_subtype}, not 0")
    expect(file_os == 0x40004, f"file OS is {file_os:#x}, not VOS_NT_WINDOWS32")

    blocks = {child[0]: child for child in children}
    expect("StringFileInfo" in blocks, "no StringFileInfo")
    tables = {child[0]: child for child in blocks["StringFileInfo"][3]}
    expect(list(tables) == ["040904B0"], f"string tables are {list(tables)}, expected ['040904B0']")
    strings = {child[0]: text(child[1]) for child in tables["040904B0"][3]}
    wanted = {"FileVersion": version_text, "ProductVersion": version_text,
              "ProductName": "Glyphwright", "InternalName": "Glyphwright"}
    for field, value in wanted.items():
        expect(strings.get(field) == value, f"{field} is {strings.get(field)!r}, expected {value!r}")

    expect("VarFileInfo" in blocks, "no VarFileInfo")
    variables = {child[0]: child[1] for child in blocks["VarFileInfo"][3]}
    translation = variables.get("Translation", b"")
    expect(translation == struct.pack("<HH", ENGLISH_US, 1200),
           f"Translation is {translation.hex()}, expected U.S. English and Unicode (1200)")


def ico_images(ico):
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    expect(reserved == 0 and kind == 1, "the .ico file has no icon directory")
    images = []
    for k in range(count):
        entry = ico[6 + 16 * k:6 + 16 * (k + 1)]
        size, offset = struct.unpack_from("<II", entry, 8)
        images.append((entry[:12], ico[offset:offset + size]))
    return images


def check_icon(resources, ico):
    groups = [r for r in resources if r[0] == RT_GROUP_ICON]
    expect(len(groups) == 1, f"expected one icon group, found {len(groups)}")
    _, name, _, body = groups[0]
    expect(name == "IDI_ICON1", f"the icon group is named {name!r}, Qt looks for IDI_ICON1")
    reserved, kind, count = struct.unpack_from("<HHH", body, 0)
    expect(reserved == 0 and kind == 1, "the icon group has no icon directory")
    images = ico_images(ico)
    expect(count == len(images) == 3, f"the icon group holds {count} images, the .ico {len(images)}")
    icons = {r[1]: r[3] for r in resources if r[0] == RT_ICON}
    for k, (ico_entry, ico_data) in enumerate(images):
        entry = body[6 + 14 * k:6 + 14 * (k + 1)]
        (icon_id,) = struct.unpack_from("<H", entry, 12)
        expect(entry[:12] == ico_entry, f"icon group entry {k} differs from the .ico's")
        expect(icons.get(icon_id) == ico_data, f"icon {icon_id} differs from image {k} of the .ico")


def main(argv):
    if len(argv) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    with open(argv[1], "rb") as res, open(argv[2], "rb") as ico:
        resources, ico_data = read_res(res.read()), ico.read()
    try:
        check_version(resources, argv[3], argv[4])
        check_icon(resources, ico_data)
    except (Failure, struct.error) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    print("version block and icon group are as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
