#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks a translation file against its sources: each translation keeps its
source's placeholders (%1 to %9, %n, %Ln) and its one keyboard letter
("&"), and French follows Canadian typography: « » rather than straight
quotes, and a non-breaking space before each colon. With --sources DIR,
every text marked in DIR must be in the file: lupdate skips a call it cannot
parse without a word. Prints every fault and exits with 1 when there is one."""
import pathlib
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


# A marked text's first literal: tr("..."), or Tr, QT_TRANSLATE_NOOP and the
# ORBISK_ marks with a context literal before it.
MARKED = re.compile(r'\b(?:(?:tr|QT_TR_NOOP)\(|(?:Tr|QT_TRANSLATE_NOOP|ORBISK_N?_?NOOP)\(\s*"[^"]*",)'
                    r'\s*"((?:[^"\\]|\\.)*)"')


def unmarked(sources, path):
    known = "\n".join(m.findtext("source") for m in ElementTree.parse(path).getroot().iter("message"))
    missing = []
    for file in sorted(pathlib.Path(sources).rglob("*.[ch]*")):
        for match in MARKED.finditer(file.read_text(encoding="utf-8")):
            text = match.group(1).encode().decode("unicode_escape") if "\\" in match.group(1) else match.group(1)
            if text and text not in known:
                missing.append(f"{file}: {text!r} is not in {path}")
    return missing


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
    arguments = sys.argv[1:]
    status = 0
    if arguments[:1] == ["--sources"]:
        missing = unmarked(arguments[1], arguments[2])
        print("\n".join(missing) or f"{arguments[1]}: every marked text is in {arguments[2]}")
        status = 1 if missing else 0
        arguments = arguments[2:]
    sys.exit(max([status] + [main(path) for path in arguments]))
