#!/usr/bin/env python3
"""Writes a pseudo-translation of a Qt Linguist template: every text bracketed and made
40 % longer, so that a text left untranslated or cut off shows at a glance. Placeholders
(%1, %s, %d, %%), access keys (&) and line breaks stay as they are.

usage: pseudo-translate.py TEMPLATE.ts OUTPUT.ts LANGUAGE
"""
import math
import re
import sys
import xml.etree.ElementTree as ET

PAD = "~"
# Kept outside the brackets, so that a text that ends with a line break still does.
EDGE = re.compile(r"^(\s*)(.*?)(\s*)$", re.S)


def pseudo(text: str) -> str:
    if not text.strip():
        return text
    lead, core, trail = EDGE.match(text).groups()
    pad = PAD * max(1, math.ceil(len(core) * 0.4) - 2)
    return f"{lead}[{core}{pad}]{trail}"


def read_text(element) -> str:
    """The text of a <source>, where lupdate writes control characters as <byte value="xd"/>."""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            value = child.get("value", "")
            parts.append(chr(int(value[1:], 16) if value.startswith("x") else int(value)))
        parts.append(child.tail or "")
    return "".join(parts)


def write_text(element, text: str) -> None:
    """Sets the text, carriage returns as <byte> elements (XML would turn them into newlines)."""
    for child in list(element):
        element.remove(child)
    pieces = text.split("\r")
    element.text = pieces[0]
    for piece in pieces[1:]:
        byte = ET.SubElement(element, "byte", value="xd")
        byte.tail = piece


def main() -> int:
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    source, target, language = sys.argv[1:]
    tree = ET.parse(source)
    root = tree.getroot()
    root.set("language", language)
    for message in root.iter("message"):
        source_element = message.find("source")
        text = read_text(source_element) if source_element is not None else ""
        translation = message.find("translation")
        if translation is None:
            translation = ET.SubElement(message, "translation")
        translation.attrib.pop("type", None)
        write_text(translation, pseudo(text))
    tree.write(target, encoding="utf-8", xml_declaration=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
