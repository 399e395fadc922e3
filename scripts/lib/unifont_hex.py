"""GNU Unifont's glyphs as the Debian package unifont installs them, for stand-in games."""

HEX = "/usr/share/unifont/unifont_jp.hex"


def unifont():
    glyphs = {}
    with open(HEX) as source:
        for line in source:
            code, bits = line.strip().split(":")
            glyphs[int(code, 16)] = bits
    return glyphs
