#!/usr/bin/env python3
"""Writes the hand-made seeds of fuzz/corpus/ (the seed-* files).

Each seed is a little program in the byte code that fuzz/FuzzInput.h and
fuzz/ControlFuzzer.cpp read: typing, the clipboard, spin, focus, properties and
persistence of each control, so that the fuzzer starts from inputs that reach deep
into the engines. Run it again after changing the byte code:

    python3 fuzz/make_seeds.py
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
ALPHABET = ("0123456789-.,/ #&?%<>()_*eE+aAbBzZ:;!@$^[]\\'\"`~{}|=\tJanFebDecMay")

# Control fuzzer operations (ControlFuzzer::Step, op byte modulo 24).
SET, GET, FIELD, CARET, KEYDOWN, KEYPRESS, KEYUP, TYPE1, NAMED, TYPE = 0, 2, 3, 4, 5, 7, 9, 10, 12, 14
FOCUS, BLUR, CLIPBOARD, ROUNDTRIP, LOADBAG, HOST, METHOD, TODAY = 15, 16, 17, 18, 19, 20, 21, 22

KEYCODES = [8, 13, 27, 32, 35, 36, 37, 38, 39, 40, 45, 46, 47, 48, 49, 53, 57, 65, 67, 86, 88,
            90, 99, 118, 120, 186, 188, 189, 190, 191, 0, -1, 16, 17, 112, 96, 109, 110, 111]
NAMED_KEYS = ["Backspace", "Enter", "Escape", "Delete", "Insert", "Left", "Up", "Right", "Down",
              "Home", "End", "F7", "F9", "Numpad3", "C", "V", "X", "A", "Z"]
SHIFT, CTRL = 1, 2


DATE_ALPHABET = "0123456789//--, JanFebMayDecSepjuly\t."
NUMBER_ALPHABET = "0123456789,.-+eE \t"


def unit(ch, alphabet=ALPHABET):
    i = alphabet.find(ch)
    if i >= 0:
        return bytes([i])
    return bytes([0xFF]) + struct.pack("<H", ord(ch))


def text(s, alphabet=ALPHABET):
    assert len(s) < 64
    return bytes([len(s)]) + b"".join(unit(c, alphabet) for c in s)


def number(v):
    return bytes([0xFF]) + struct.pack("<d", float(v))


def value(v):
    """A property value: kind byte, then the value (ControlFuzzer::RandomValue)."""
    if isinstance(v, bool):
        return bytes([3, 1 if v else 0])
    if isinstance(v, (int, float)):
        return bytes([0]) + number(v)
    if v is None:
        return bytes([5])
    return bytes([2]) + text(v)


def name(n):
    return bytes([0xFF, len(n)]) + n.encode()


class Program:
    def __init__(self, load=False):
        self.b = bytearray([0 if load else 1])

    def op(self, code, *parts):
        self.b.append(code)
        for p in parts:
            self.b += p
        return self

    def set(self, prop, v):
        return self.op(SET, name(prop), value(v))

    def get(self, prop):
        return self.op(GET, name(prop))

    def field(self, s):
        return self.op(FIELD, text(s))

    def caret(self, start, length=0):
        return self.op(CARET, bytes([start + 8, length + 8]))

    def type(self, s):
        return self.op(TYPE, text(s))

    def key(self, named, shift=0):
        return self.op(NAMED, bytes([NAMED_KEYS.index(named), shift]))

    def down(self, code, shift=0):
        return self.op(KEYDOWN, bytes([KEYCODES.index(code), shift]))

    def press(self, ch):
        return self.op(KEYPRESS, unit(ch))

    def clipboard(self, s):
        return self.op(CLIPBOARD, bytes([1]), text(s))

    def focus(self):
        return self.op(FOCUS)

    def blur(self):
        return self.op(BLUR)

    def roundtrip(self):
        return self.op(ROUNDTRIP)

    def host(self, bits):
        return self.op(HOST, bytes([bits]))

    def loadbag(self, pairs, keys):
        out = bytes([len(pairs)])
        for k, v in pairs:
            out += bytes([keys.index(k)]) + value(v)
        return self.op(LOADBAG, out)


COMMON = ["Appearance", "Alignment", "BorderStyle", "MousePointer", "BackColor", "ForeColor",
          "Enabled", "Font", "OnFocusSelect", "ReadOnly", "AllowNull", "DropDown", "ButtonBackColor"]
KEYS = {
    "long": ["Text", "Formatted", "MaxNumber", "MinNumber", "Spin"] + COMMON,
    "real": ["DecimalPlaces", "Formatted", "MaxNumber", "MinNumber", "Spin", "Text"] + COMMON,
    "date": ["Text", "Format", "DateCenturyOn", "DateY2KCeiling", "DateMin", "DateMax"] + COMMON,
    "mask": ["Text", "Mask", "PromptChar"] + COMMON,
}


def long_seeds():
    k = KEYS["long"]
    yield "typing", Program().type("1234").caret(2).type("5").key("Backspace").key("Delete") \
        .caret(0, 3).type("9").roundtrip()
    yield "spin", Program().set("Spin", 5).set("Max", 100).type("99").key("Up").key("Down") \
        .set("Spin", -3).key("Up").key("Down").set("Formatted", False).key("Up").roundtrip()
    yield "sign", Program().set("Min", -10).field("0").caret(1).press("-").press("3") \
        .key("Home").press("7").press("-").key("Backspace").roundtrip()
    yield "clipboard", Program().type("123456").caret(1, 3).key("C", CTRL).key("X", CTRL) \
        .clipboard("-5").key("V", CTRL).clipboard("abc").key("V", CTRL).clipboard("1,5234") \
        .key("Insert", SHIFT).roundtrip()
    yield "readonly", Program().type("42").set("ReadOnly", True).type("7").key("Delete") \
        .key("Up").key("V", CTRL).key("Backspace").set("ReadOnly", False).type("1").roundtrip()
    yield "nullable", Program().set("AllowNull", True).set("Text", "").focus().blur() \
        .set("Text", "1234.5").get("Text").set("Text", "abc").blur().roundtrip()
    yield "loaded", Program(load=True).loadbag(
        [("Text", "1,234"), ("MaxNumber", 5000), ("MinNumber", -5), ("Spin", 2),
         ("Formatted", False)], k).key("End").type("9").key("Up").roundtrip()


def real_seeds():
    k = KEYS["real"]
    yield "typing", Program().field("").press(".").type("5").caret(0).type("7").key("End") \
        .type("9").caret(3).key("Backspace").key("Delete").roundtrip()
    yield "decimals", Program().type("12.75").set("DecimalPlaces", 3).set("DecimalPlaces", 0) \
        .type("4").set("DecimalPlaces", -1).set("Formatted", False).type("1234").roundtrip()
    yield "spin", Program().set("Spin", 5).set("Max", 100).set("Min", -10).type("99") \
        .key("Up").key("Down").press("-").key("Down").set("Min", -2e38).set("Max", 4e38) \
        .roundtrip()
    yield "clipboard", Program().type("1234.56").caret(0, 4).key("C", CTRL) \
        .clipboard("12.5").key("V", CTRL).clipboard("-5").key("V", CTRL).key("X", CTRL) \
        .key("Insert", SHIFT).roundtrip()
    yield "focus", Program().set("AllowNull", True).set("Text", "").focus().blur() \
        .set("AllowNull", False).focus().host(3).type("55").host(0).blur().roundtrip()
    yield "loaded", Program(load=True).loadbag(
        [("DecimalPlaces", 4), ("Text", "1,234.56"), ("MaxNumber", 1e6), ("MinNumber", -1e6),
         ("Spin", 1)], k).key("Up").type("8").roundtrip()


def date_seeds():
    k = KEYS["date"]
    yield "typing", Program().field("").focus().type("12/31/1998").type("5").key("Home") \
        .type("1").blur().roundtrip()
    yield "parts", Program().field("//").caret(0).type("2").type("3").type("0").press("/") \
        .press("/").press("/").caret(3).key("Backspace").caret(2).key("Delete").roundtrip()
    yield "century", Program().set("DateFormat", "mm/dd/yyyy").set("DateY2KCeiling", "0") \
        .field("//").focus().type("22900").blur().set("DateY2KCeiling", "50") \
        .set("DateCenturyOn", False).get("DateValue").roundtrip()
    yield "members", Program().set("Day", 31).set("Month", 4).set("Year", 10000) \
        .set("Year", 1999).get("Day").get("Month").get("Year").set("DateMin", "1/1/2000") \
        .set("DateMax", "12/31/1999").set("Text", "January 5, 1999").roundtrip()
    yield "clipboard", Program().caret(0, 8).key("C", CTRL).clipboard("7/4/1999") \
        .key("V", CTRL).caret(0, 3).key("X", CTRL).key("Delete").set("AllowNull", True) \
        .set("Text", "").get("Text").field("//").get("Text").roundtrip()
    yield "loaded", Program(load=True).loadbag(
        [("Text", "2/29/1900"), ("Format", "dd/mm/yyyy"), ("DateY2KCeiling", "x"),
         ("DateMin", "13/1/1999")], k).focus().type("1").blur().roundtrip()


def mask_seeds():
    k = KEYS["mask"]
    yield "phone", Program().set("Mask", "(###) ###-####").type("5551234567").caret(3) \
        .key("Backspace").caret(6).key("Backspace").caret(4).key("Delete").roundtrip()
    yield "classes", Program().set("Mask", "#?%&><-##").type("1aB%xy23").key("Home") \
        .type("z9").caret(1, 3).type("7").focus().roundtrip()
    yield "prompt", Program().set("Mask", "(###) ###-####").type("5551").set("PromptChar", "*") \
        .set("PromptChar", "").type("9").set("PromptChar", "_").set("Text", "(555) 123-4567") \
        .roundtrip()
    yield "clipboard", Program().set("Mask", "###-###").type("12").caret(2).clipboard("3") \
        .key("V", CTRL).caret(0, 2).key("C", CTRL).key("X", CTRL).down(99, CTRL) \
        .down(118, CTRL).down(120, CTRL).key("Delete", SHIFT).roundtrip()
    yield "caret", Program().set("Mask", "(###) ###-####").type("5551").key("End") \
        .key("End", SHIFT).key("End", SHIFT | CTRL).key("Right", SHIFT).key("Right", CTRL) \
        .key("Left").key("Right").key("Down").set("OnFocusSelect", True).focus().roundtrip()
    yield "loaded", Program(load=True).loadbag(
        [("Text", "(12_) ___"), ("Mask", "(###) ###"), ("PromptChar", "_*")], k) \
        .type("4").key("Backspace").set("SelText", "x").type("5").roundtrip()


VALUE_SEEDS = {
    # op 0: a numeric text; op 2: numbers; op 3: a date text; op 4: a date; op 5: strings.
    "number-text": bytes([0]) + text("1,234.5", NUMBER_ALPHABET) + bytes([2]),
    "exponent": bytes([0]) + text(" -1E+10 ", NUMBER_ALPHABET) + bytes([3]),
    "numbers": bytes([2]) + number(2.675) + bytes([2, 1, 1]) + number(-12.75) + bytes([0, 0, 0])
    + number(2147483647.5) + bytes([5, 1, 0]) + number(4e38) + bytes([1, 0, 1]),
    "date-text": bytes([3]) + struct.pack("<H", 1900) + text("12/31/1998", DATE_ALPHABET),
    "date-names": bytes([3]) + struct.pack("<H", 1900) + text(" Feb 29, 00", DATE_ALPHABET),
    "date": bytes([4]) + struct.pack("<H", 100) + struct.pack("<h", 2000) + bytes([2, 29]),
    "strings": bytes([11]) + text("(555) 1__") + bytes([8 + 3, 8 + 2, 2]),
}

SCRIPT_SEEDS = {
    "long": """new long
type "1234"
show
key Up
set Max 100
set Text "abc"
save
key Ctrl+C
clipboard "-5"
key Ctrl+V
print events
""",
    "real": """load real "DecimalPlaces"=2 "Text"="1,234.56" "MaxNumber"=100
focus
type "-5.5"
key Backspace
get Text
blur
save
""",
    "date": """today 2004-02-29
new date as d
field "//" 0
type "2/29/00"
blur
set DateFormat "mm/dd/yyyy"
get Day
save
""",
    "mask": """new mask
set Mask "(###) ###-####"
type "5551234567"
key Shift+End
press 8
down 46 1
up 46 1
set PromptChar "*"
show
save
""",
    "errors": """new long as a
load mask as b "Mask"="##" "Text"=font("Sans",8)
use a
set Appearance 7
get Nothing
call AboutBox
size -5 10
print layout
container deny Text
host KeyPress 0
set Text "\\u00e9\\uD800"
print notified
""",
}


FORM_SEEDS = {
    "four.form": """{
  "format": "entrybox-form",
  "version": 1,
  "controls": [
    {"kind": "long", "name": "txtAmount",
     "geometry": {"left": 120, "top": 240, "width": 2000, "height": 300},
     "properties": {"Text": "1,234", "MaxNumber": 100, "Formatted": false,
                    "Font": {"font": {"name": "Sans", "size": 8}}}},
    {"kind": "real", "name": "txtRate",
     "geometry": {"left": 0, "top": 0, "width": 1500, "height": 300},
     "properties": {"DecimalPlaces": 3, "Text": "12.750", "MinNumber": -1e38}},
    {"kind": "date", "name": "txtWhen",
     "geometry": {"left": 0, "top": 400, "width": 2000, "height": 300},
     "properties": {"Text": "2/29/2000", "Format": "mm/dd/yyyy", "DateY2KCeiling": "30",
                    "Enabled": false, "DropDown": true}},
    {"kind": "mask", "name": "",
     "geometry": {"left": 0, "top": 800, "width": 2000, "height": 300},
     "properties": {"Text": "(555) 1__-____", "Mask": "(###) ###-####",
                    "PromptChar": {"text16": [55296]}, "AllowNull": null}}
  ]
}
""",
    "empty.form": '{"format": "entrybox-form", "version": 1, "controls": []}\n',
    "wrong.form": '{"format": "entrybox-form", "version": 2, "controls": [{"kind": "spin"}]}',
}


def write(target, label, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + label), "wb") as f:
        f.write(data)


def main():
    for kind, seeds in (("long", long_seeds), ("real", real_seeds), ("date", date_seeds),
                        ("mask", mask_seeds)):
        for label, program in seeds():
            write("fuzz_" + kind, label, bytes(program.b))
    for label, data in VALUE_SEEDS.items():
        write("fuzz_values", label, data)
    for label, form in FORM_SEEDS.items():
        write("fuzz_forms", label, form.encode())
    for label, script in SCRIPT_SEEDS.items():
        write("fuzz_script", label + ".tws", script.encode())


if __name__ == "__main__":
    main()
