#!/usr/bin/env python3
"""Writes the seed corpora fuzz/corpus/<family>/ from the unit tests' inputs.

Each seed encodes one member call in the byte stream that fuzz/fuzz_input.h reads, in the order
in which the family's target draws its arguments. Run it after changing a target's drawing
order; `CORVIX_FUZZ_SHOW=1 <target> -runs=0 fuzz/corpus/<family>` prints what every seed
stands for.
"""
import hashlib
import os
import shutil
import struct
import sys

ANCHORS = [5, 6, 7, 8, 12, 16, 32, 64, 128, 260, 512, 1023, 1024, 2047, 2048, 4096]


def byte(value):
    return bytes([value & 0xFF])


def u16(value):
    return struct.pack("<H", value & 0xFFFF)


def u32(value):
    return struct.pack("<I", value & 0xFFFFFFFF)


def u64(value):
    return struct.pack("<Q", value & 0xFFFFFFFFFFFFFFFF)


def length(n):
    if n < 0x80:
        return byte(n)
    for index, anchor in enumerate(ANCHORS):
        delta = n - anchor + 3
        if 0 <= delta <= 7:
            return byte(0x80 | (index << 3) | delta)
    raise ValueError("no length selector for %d" % n)


def unit(value, bits):
    if 1 <= value < 0x80:
        return byte(value)
    return b"\xff" + (byte(value) if bits == 8 else u16(value))


def text(units, bits=8, repeat_to=None):
    """A text: its units (a str or a list of unit values), optionally repeated to a length."""
    values = [ord(c) for c in units] if isinstance(units, str) else list(units)
    total = repeat_to if repeat_to is not None else len(values)
    encoded = length(total)
    if total == 0:
        return encoded
    pattern = values[: min(len(values), 255, total)] or [ord(" ")]
    encoded += byte(len(pattern))
    for value in pattern:
        encoded += unit(value, bits)
    return encoded


def value(number):
    return byte(0) + u64(struct.unpack("<Q", struct.pack("<d", number))[0])


def long_(number):
    return byte(4) + u32(number)


def capacity(n):
    return byte(5) + length(n)


def pick(index):
    return byte(index)


def boolean(flag):
    return byte(1 if flag else 0)


def eng():
    seeds = []
    for number, unit_text, digits, mode in [
        (12345.678, "W", 4, 1), (12345.678, "W", 4, 0), (12345.678, "W", 4, 2),
        (-12345.678, "W", 4, 3), (0.05, "A", 3, 10), (0.05, "A", 3, 1), (-999.0, "V", 3, 2),
        (5e9, "W", 3, 5), (5e9, "W", 3, 4), (2.5, "", 3, 7), (123.456, "", 0, 9),
        (123.456, "W", 3, 2), (1e15, "", 4, 1), (0.0011, "", 3, 10), (-998.9, "V", 3, 200)]:
        mode_bytes = pick(1) + byte(mode) if mode <= 10 else pick(0) + byte(mode)
        seeds.append(value(number) + mode_bytes + pick(0) + byte(digits) + text(unit_text) +
                     pick(0) + length(32))
    return seeds


def simple():
    def count(n):
        return pick(0) if n == 0 else pick(1) if n == 255 else pick(3) + byte(n)

    seeds = []
    for number, width, decimals, fill, separator in [
        (1234567.891, 0, 2, 0, ","), (1234567.891, 0, 255, 0, ","), (12.5, 0, 0, 0, None),
        (12.5, 6, 1, 1, None), (-5.0, 4, 255, 1, None), (123.45, 4, 1, 0, None),
        (123.45, 4, 3, 0, None), (1234.5, 0, 255, 0, " "), (-123456.0, 0, 255, 0, ","),
        (0.0000001, 0, 255, 0, None), (-0.0, 0, 255, 0, None), (12.5, 0, 0, 1, None),
        (123456.0, 3, 255, 0, None), (1234.5, 0, 255, 0, ",;")]:
        seeds.append(value(number) + count(width) + count(decimals) +
                     (pick(0) + byte(fill) if fill else pick(1)) +
                     (pick(0) + text("") if separator is None else pick(1) + text(separator)) +
                     capacity(32) + pick(1))
    return seeds


def scientific():
    return [value(number) + pick(1) + byte(decimals) + capacity(capacity_)
            for number, decimals, capacity_ in [
                (12345.678, 2, 32), (-0.005, 1, 32), (0.0, 2, 32), (12345.678, 0, 32),
                (1e-300, 19, 64), (-1.7976931348623157e308, 15, 64), (9.5, 0, 8),
                (12345.678, 2, 8)]]


def price():
    seeds = []
    for amount, divisor, separator, size in [
        (1234.9, 0, 0, 32), (1234567.0, 0, ord("."), 32), (1234567.0, 0, ord(","), 6),
        (1999.99, 1, ord(","), 32), (-7.5, 0, 0, 32), (-123456.0, 0, ord(","), 32),
        (2500000000.0, 4, ord(" "), 16)]:
        seeds.append(pick(0) + value(amount) + (pick(0) if divisor == 0 else pick(1) + byte(divisor)) +
                     (pick(0) if separator == 0 else pick(1) + byte(separator)) + capacity(size))
    for source, wanted, fill in [("12.5", 6, " "), ("12.5 KW", 6, "0"), ("123456789", 4, "0"),
                                 ("", 3, "-"), ("12/5", 6, "0")]:
        seeds.append(pick(1) + text(source) + pick(0) + length(wanted) + pick(1) + byte(ord(fill)))
    return seeds


def sevenseg():
    bits = {0x0008: 1, 0x0200: 2, 0x0100: 4, 0x0800: 8, 0x1000: 16, 0x2000: 32, 0x4000: 64}

    def flags(word):
        return byte(sum(chosen for bit, chosen in bits.items() if word & bit))

    return [value(number) + flags(word) for number, word in [
        (1234.5678, 0x0200), (-12.5, 0x0200), (-12.5, 0x0300), (1.5, 0x0200), (12345.678, 0),
        (2500000.0, 0x1008), (12345.6, 0x0200), (0.0, 0x0200), (5e15, 0), (999999.99995, 0x0200),
        (-99999.5, 0x0200)]]


def parse():
    seeds = [pick(0) + text(t) for t in
             ["12.5 K", "-3m", "0.25", " 7 ", "K", "12K5", "1.2.3", "1E3", "+5k", "-", ".",
              "1.5m", "1234567890123456789"]]
    seeds += [pick(1) + text(t) for t in ["1A", "0x1A", "#FF8000", "G12", "FFFFFFFF", "", "123456789"]]
    for vt, bits in [(17, 200), (16, 200), (11, 0xFFFF), (5, 0x4029000000000000), (2, 0xFFFF),
                     (4, 0x3FC00000), (3, 0x80000000), (18, 0xFFFF)]:
        seeds.append(pick(2) + pick(0) + u16(vt) + u64(bits))
    seeds += [pick(3) + text(t, 16) for t in ["  -42", "+7x", "99999999999", "-2147483649", ""]]
    return seeds


def search():
    seeds = []
    alphabet = ".,:()\\ abAB01"

    def character(c):
        return pick(0) if c == "\0" else pick(3) + byte(alphabet.index(c)) if c in alphabet else pick(2) + byte(ord(c))

    def count(n):
        return pick(4) + byte(n) if 0 <= n < 32 else pick(3) + long_(n)

    for member, source, other, c, n, start in [
        (0, "abc", "", "c", 0, 0), (0, "abc", "", "x", 0, 0), (0, "abc", "", "\0", 0, 0),
        (1, "abcabd", "abd", "a", 0, 0), (1, "ab", "abc", "a", 0, 0), (1, "abc", "", "a", 0, 0),
        (2, "12.5", "", ".", 16, 0), (2, "12.5", "", ":", 16, 0), (2, ".5", "", ".", 16, 0),
        (3, "1.2.3", "", ".", 0, 0), (3, "1.2.3", "", ":", 0, 0), (3, "12.", "", ".", 0, 0),
        (4, "ABC12", "", "a", 3, 0), (4, "ABC12", "", "a", 9, 0), (5, "ABC12", "", "a", 2, 0),
        (5, "ABC12", "", "a", -1, 0), (6, "abcdef", "", "a", 3, 2), (6, "abc", "", "a", 10, 1)]:
        seeds.append(pick(member) + boolean(False) + text(source) + text(other) + character(c) +
                     count(n) + count(start) + byte(5) + boolean(member == 3))
    # Long sources: a character past the 2047 units a search sees.
    seeds.append(pick(0) + boolean(True) + text("ab", 16, repeat_to=2050) + text("") +
                 character(":") + count(0) + count(0) + byte(0) + boolean(False))
    seeds.append(pick(5) + boolean(False) + text("abc", repeat_to=2049) + text("") +
                 character("a") + count(3) + count(0) + byte(0) + boolean(False))
    return seeds


def trim():
    alphabet = " 0.,+\\abc"

    def character(c):
        return pick(0) if c == "\0" else pick(2) + byte(alphabet.index(c))

    def number(n):
        return pick(5) + byte(n) if 0 <= n < 16 else pick(3) + u32(n)

    seeds = []
    for member, source, c, replacement, position, count, choice, in_place, right in [
        (0, "  12", " ", " ", 0, 0, 1, False, False), (0, "1.500", "0", " ", 0, 0, 1, False, True),
        (0, "000", "0", " ", 0, 0, 1, False, False), (0, "12.", ".", " ", 0, 0, 3 + 12 * 4, True, True),
        (0, "  12345", " ", " ", 0, 0, 2, False, False),
        (1, "1234", ",", " ", 1, 0, 0, False, False), (1, "12", "0", " ", 0, 0, 0, False, False),
        (1, "1234", "a", " ", 4, 0, 0, False, False), (2, "1.5E+03", "+", " ", 0, 0, 0, False, False),
        (2, "a,,b", ",", " ", 0, 0, 0, False, False), (3, "abcdef", "a", " ", 1, 2, 0, False, False),
        (3, "abcdef", "a", " ", 4, 5, 0, False, False), (3, "abcdef", "a", " ", 6, 1, 0, False, False),
        (4, "a,b,c", ",", "\0", 0, 0, 0, False, False), (5, "abc", "a", "a", 0, 0, 0, False, False)]:
        seeds.append(pick(member) + boolean(False) + text(source) + text("abd", 16) + character(c) +
                     character(replacement) + number(position) + number(count) + byte(choice) +
                     (pick(0) if in_place else pick(1)) + boolean(right))
    seeds.append(pick(0) + boolean(True) + text(" ", 16, repeat_to=1025) + text("") +
                 character(" ") + character(" ") + number(0) + number(0) + byte(1) + pick(1) +
                 boolean(False))
    return seeds


def paths():
    def name_capacity(n):
        """The choice byte that gives a name capacity of n (its case 3)."""
        return next(choice for choice in range(256) if choice % 5 == 3 and (choice >> 3) % 300 == n)

    seeds = []
    for split, path, name_choice, levels, over in [
        (True, "D:\\Data\\Log\\day.txt", 1, 0, False), (True, "D:\\Data\\", 1, 0, False),
        (True, "day.txt", name_capacity(16), 0, False), (True, "day.txt", name_capacity(5), 0, False),
        (True, "D:\\Data\\day.txt", name_capacity(7), 0, False), (True, "\\day.txt", 1, 0, False),
        (True, "D:/Data/day.txt", 1, 0, False), (False, "D:\\Data\\Log\\day.txt", 0, 1, False),
        (False, "D:\\Data\\Log\\day.txt", 0, 3, False), (False, "D:\\Data\\Log\\day.txt", 0, 4, True),
        (False, "D:\\Data\\\\\\", 0, 0, False), (False, "D:\\Data\\Log\\", 0, 1, True)]:
        seeds.append(boolean(split) + boolean(False) + text(path) + pick(1) + pick(1) +
                     byte(name_choice) + pick(1) + capacity(260) + pick(1) + byte(levels) +
                     boolean(over))
    seeds.append(boolean(False) + boolean(False) + text("a\\b", repeat_to=259) + pick(1) + pick(1) +
                 byte(1) + pick(1) + capacity(260) + pick(1) + byte(0) + boolean(False))
    return seeds


def conversion():
    seeds = [pick(0) + text(t) + byte(9) + capacity(c) for t, c in
             [("AB", 64), ("AB", 14), ("AB", 15), ("", 16), ([0xE9, 0x41], 64)]]
    seeds += [pick(1) + text(u, 16) + byte(9) + capacity(64) for u in [[0x633, 0x644], [0xFFFF], []]]
    seeds += [pick(2) + text(t) + long_(f) for t, f in
              [("UniCode(65,66,)", 0), ("UniCode(65,66)", 0), ("65,66,", 0), ("6a5,", 0), ("-5,", 0),
               ("1587,", 0), ("200,65,", 4), (",", 0), ("123456789012345,", 0)]]
    seeds += [pick(3) + text([0xE9, 0x41]) + long_(f) + long_(1) for f in (0, 2)]
    seeds += [pick(4) + text([0x644, 0x41], 16) + long_(f) for f in (0, 1)]
    seeds += [pick(5) + text(t) for t in
              ["UniCode()", "UniCode(65,", "unicode(65,)", "UniCode(", "", "abc", [0xC7, 0x41]]]
    return seeds


def ident():
    seeds = [pick(0) + boolean(False) + text(t) for t in
             ["AB123", "AB0123", "ab000", "Zz9999", "A1234", "AB12C", "AB 12", "AB10000", "AB10001",
              "AB99999", "AB00001", "", "ABCD", "ABCD1234"]]
    seeds += [pick(1) + text(t) for t in ["AB123", "AB007", "AB0123", "ABxyz", "AB-12", ""]]
    seeds += [pick(2) + text(t) for t in ["Ab_1", "x+y", [0xC7, 0xC8, 0x81], "a b", "(a<=b)?!"]]
    return seeds


def expression():
    seeds = []
    for formula, variables in [
        ("(a+b)*2.5-c", "#a#b#c#"), ("a>1&b<2|!c", "#a#b#c#"), ("a + b", "#a#b#"), ("a+c", "#a#b#"),
        ("A+b", "#a#b#"), ("(a+b", "#a#"), ("a+b)", "#a#b#"), (")a(", ""), ("a(b)", "#a#b#"),
        ("a=b", ""), ("a1", ""), ("1a", ""), ("*a", ""), ("a-", ""), ("1.", ""), (".5", ""),
        ("1.2.3", ""), ("abcd", ""), ("abc", "#abc#"), ("ab_cd", "#ab#cd#"), ("a-+b", ""),
        ("a+-b", "#a#b#"), ("abcd)", ""), ("a2=", ""), ("", ""), ("   ", "")]:
        seeds.append(text(formula) + text(variables) + pick(1) + pick(1))
    seeds.append(text("a+", repeat_to=130) + text("#a#") + pick(1) + pick(1))
    return seeds


def vocab():
    seeds = [boolean(True) + pick(0) + text(t) for t in
             ["long", "COLOR", "STRING", "INT16_MODBUS", "LABEL", "LONG ", "LON", "", "eng", "ENG",
              "Scientific", "SCIRNTIFIC", "kilo", "NoData", "VECTORDIAGRAM"]]
    for code, index, size in [(3, 2, 3), (105, 3, 5), (8, 7, 8), (106, 0, 64), (0, -1, 4), (121, 6, 5)]:
        index_bytes = pick(1) + byte(index + 1) if 0 <= index + 1 < 9 else pick(0) + long_(index)
        seeds.append(boolean(False) + byte(code) + index_bytes + capacity(size))
    return seeds


def font():
    return [text(t) + pick(1) for t in
            ["Tahoma,12,#FF0000,Bold", "Tahoma,12,255,", "Arial", "Arial,10", ",10,0,", "Arial,300,0,",
             "Arial,-1,0,", "Arial,10,#00ff00,", "Arial,10, #00FF00,", "Arial,10,0,Bold Italic",
             "Arial,10,0,ItalicBold", "Arial,10,0,BoldItalic", "Arial,10,0,Italic",
             "Arial,10,0,bold", "Arial,10,0,Regular,Bold", "Arial,10,0"]] + [text("Arial,10,0") + pick(0)]


def events():
    seeds = []
    for event, number, size in [
        ("Trend(Tag1,Tag2,60)", 1, 16), ("Trend(Tag1,Tag2,60)", 3, 16), ("Trend(Tag1,Tag2,60)", 4, 16),
        ("Trend(Tag1,Tag2,60)", 0, 16), ("F(a,,c)", 2, 16), ("F(abcdef)", 1, 4), ("F(abcdef)", 1, 6),
        ("F(abcdef)", 1, 7), ("NoParens", 1, 16), ("F()", 1, 16), ("F(", 1, 16), ("F(a)(b)", 1, 16),
        ("F(a,(b),c) x", 2, 16), ("ShowLinearDiagram (3)", 1, 16), ("(ShowLinearDiagram)", 1, 16)]:
        seeds.append(pick(1) + text(event) + pick(1) + byte(number) + capacity(size))
    seeds.append(pick(0) + boolean(False) + text("(1)") + pick(1) + byte(1) + capacity(16))
    seeds.append(pick(0) + boolean(True) + text("2(1)") + pick(1) + byte(1) + capacity(16))
    return seeds


def readword():
    def argument(n):
        return pick(0) if n == -999 else pick(1) + u32(n)

    seeds = []
    for a, b, c, letter, d in [(0, 0, 0, "A", 0), (0, 0, 0, "Z", 0), (0, 0, 0, "z", 0),
                               (5, -999, -999, "C", 0), (1, 2, 3, "b", -999), (0, 0, 0, "\xff", 0),
                               (9, -1, 7, "0", 3)]:
        seeds.append(pick(0) + pick(1) + argument(a) + argument(b) + argument(c) +
                     byte(ord(letter)) + argument(d) + u32(0xFFFF0000) + pick(0) + byte(6))
    seeds.append(pick(1) + pick(0) + byte(4) + b"".join(pick(0) + byte(v) for v in (1, 2, 2, 3)) +
                 pick(0) + byte(2) + pick(1))
    seeds.append(pick(1) + pick(0) + byte(0) + pick(0) + byte(0) + pick(1))
    for model in (102, 106, 108, 115, 401, 0, 65535):
        seeds.append(pick(2) + pick(1) + u16(model) + pick(1) + u32(1001))
    seeds.append(pick(2) + pick(1) + u16(214) + pick(0) + byte(0))
    return seeds


def number_check():
    alphabet = "0123456789+-.KkMmGgTt  e\t"
    seeds = [pick(0) + boolean(False) + text(t) for t in
             ["12", "+12", "-12.5", ".5", "5.", "12K", "-1.5M", "3.K", "+.", "1.2.3", "K12", "1K2",
              "+-1", "1 2", "1e5", "0x1F", "12\t", "", "   ", "  12  "]]
    seeds.append(pick(0) + boolean(True) + text(" 1", 16, repeat_to=1025))
    seeds += [pick(1) + text(t) for t in
              ["1.2.3.4", "0.0.0.0", "1.2.3.254", "255.1.1.1", "1.2.3.255", "-1.2.3.4", "1.2.3.-1",
               "1.2.3", "1.2.3.4.5", "1234", "", "1.2.3.", "1.2.3.x", "1.2.3.4 5", "a.b.c.1", "...1",
               " 1. 2. 3. 4", "1.2.3.+5", "1.2.3.K", "192.168.100.1000", "300.1"]]
    seeds += [pick(2) + text(t) + pick(1) + pick(1) for t in
              ["1.2.3.4:80", "1.2.3.4", "1.2.3.4:", "1.2.3.4:abc", "1.2.3.4:-80", "1.2.3:80",
               "256.1.1.1:80", ":80", "1.2.3.4: 80 ", "1.2.3.4:70000", "1.2.3.4:80:90"]]
    seeds.append(pick(2) + text("1.2.3.4:80") + pick(0) + pick(0))
    return seeds


def statistics():
    seeds = []
    for values in ([1.0, 2.0, 3.0, 4.0], [7.0], [2e14, 3e14], [-5e14], []):
        seeds.append(boolean(True) + pick(1) + length(len(values)) +
                     b"".join(pick(2) + value(v) for v in values) + pick(1))
    # The documented example: two series, W = S = 3600.
    first = [(0, 1.0), (100, 3.0), (3600, 10.0), (3700, 20.0), (7300, 7.0)]
    second = [(50, 5.0), (3650, 6.0)]

    def series(samples):
        encoded = pick(1) + byte(len(samples)) + pick(1) + u32(samples[0][0] + 1000)
        previous = samples[0][0]
        for time, sample in samples:
            encoded += pick(2) + value(sample) + u32(time - previous)
            previous = time
        return encoded

    seeds.append(boolean(False) + byte(2) + pick(2) + series(first) + series(second) + pick(0) +
                 pick(0) + long_(0))
    seeds.append(boolean(False) + byte(1) + pick(2) + series(first) + pick(3) + u32(7201) +
                 pick(5) + byte(50) + long_(0))
    return seeds


FAMILIES = {
    "eng": eng, "simple": simple, "scientific": scientific, "price": price, "sevenseg": sevenseg,
    "parse": parse, "search": search, "trim": trim, "paths": paths, "conversion": conversion,
    "ident": ident, "expression": expression, "vocab": vocab, "font": font, "events": events,
    "readword": readword, "number_check": number_check, "statistics": statistics,
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    for family, make in FAMILIES.items():
        directory = os.path.join(root, family)
        shutil.rmtree(directory, ignore_errors=True)
        os.makedirs(directory)
        for seed in make():
            name = hashlib.sha1(seed).hexdigest()[:16]
            with open(os.path.join(directory, name), "wb") as out:
                out.write(seed)
    return 0


if __name__ == "__main__":
    sys.exit(main())
