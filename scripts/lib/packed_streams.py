"""The packed streams the GBA and DS BIOS unpack, written the plain way, for stand-in games:
LZ77 (type 10h) and RLE (type 30h), each after its four-byte header of type and unpacked size."""


def header(kind, size):
    return bytes([kind, size & 0xFF, (size >> 8) & 0xFF, (size >> 16) & 0xFF])


def lz10(data):
    """Greedy LZ77 10h: copies of 3 to 18 bytes from up to 4096 back, eight pieces a flag byte."""
    out = bytearray(header(0x10, len(data)))
    at = 0
    while at < len(data):
        flags_at = len(out)
        out.append(0)
        for bit in range(8):
            if at >= len(data):
                break
            best, best_back = 0, 0
            for back in range(1, min(at, 4096) + 1):
                length = 0
                while (length < 18 and at + length < len(data)
                       and data[at + length] == data[at - back + length]):
                    length += 1
                if length > best:
                    best, best_back = length, back
                    if length == 18:
                        break
            if best >= 3:
                out[flags_at] |= 0x80 >> bit
                disp = best_back - 1
                out += bytes([(best - 3) << 4 | disp >> 8, disp & 0xFF])
                at += best
            else:
                out.append(data[at])
                at += 1
    return bytes(out)


def rle(data):
    """RLE 30h: runs of 3 to 130 bytes, literal stretches of 1 to 128."""
    out = bytearray(header(0x30, len(data)))
    at = 0
    literal = bytearray()

    def flush():
        while literal:
            piece = literal[:128]
            out.append(len(piece) - 1)
            out.extend(piece)
            del literal[:128]

    while at < len(data):
        run = 1
        while at + run < len(data) and run < 130 and data[at + run] == data[at]:
            run += 1
        if run >= 3:
            flush()
            out += bytes([0x80 | (run - 3), data[at]])
            at += run
        else:
            literal.append(data[at])
            at += 1
    flush()
    return bytes(out)
