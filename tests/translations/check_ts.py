#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks a translation file against its sources: each translation keeps its
source's placeholders (%1 to %9, %n, %Ln) and its one keyboard letter
("&"), and French follows Canadian typography: « » rather than straight
quotes, and a non-breaking space before each colon. Prints every fault and
exits with 1 when there is one."""
import re
import sys
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%(?:[1-9]|L?n)")
NBSP = "\u00a0"


def letters(text):
    """The keyboard letters a text marks: "&" before a letter, "&&" not."""
    return re.findall(r"(?<!&)&(?!&)(\w)", text)


def faults(source, translation, french):
    found = []
    if sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(translation)):
        found.append("placeholders differ")
    if len(letters(source)) != len(letters(translation)):
        found.append("keyboard letters differ")
    if french and '"' in translation:
        found.append("straight quotes, not « »")
    if french:
        for match in re.finditer(":", translation):
            before = translation[match.start() - 1] if match.start() else ""
            after = translation[match.end():match.end() + 1]
            if before != NBSP and after != "/":
                found.append("no non-breaking space before a colon")
                break
    return found


def main(path):
    root = ElementTree.parse(path).getroot()
    french = root.get("language", "").startswith("fr")
    problems = 0
    checked = 0
    for message in root.iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        forms = [f.text or "" for f in translation.findall("numerusform")] or [translation.text or ""]
        for form in forms:
            checked += 1
            for fault in faults(source, form, french):
                problems += 1
                print(f"{path}: {fault}: {source!r} -> {form!r}")
    print(f"{path}: {checked} translations checked, {problems} faults")
    return 1 if problems or not checked else 0


if __name__ == "__main__":
    sys.exit(max(main(path) for path in sys.argv[1:]))
