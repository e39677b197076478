"""Every translation in translations/*.ts keeps its source's placeholders (%1, %2: each as often as
the source has it) and its line breaks; a translation may add a line break only to put a path on
a line of its own (a line that holds a placeholder and at most the quotation marks and punctuation
around it). And no message is left untranslated.

    catalogues_test.py TRANSLATIONS_DIRECTORY
"""

import collections
import glob
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

PLACEHOLDER = re.compile(r"%\d")
# A line that is a placeholder alone, with what may cling to it ("«\u00a0%1\u00a0»", "「%1」", "%1:").
PLACEHOLDER_LINE = re.compile(r"[\W_]*%\d[\W_]*")


def problems_of(path):
    problems = []
    for message in ElementTree.parse(path).iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        text = translation.text or "" if translation is not None else ""
        where = f"{os.path.basename(path)}: {source!r}"
        if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete") or not text:
            problems.append(f"{where}: not translated")
            continue
        if collections.Counter(PLACEHOLDER.findall(text)) != collections.Counter(PLACEHOLDER.findall(source)):
            problems.append(f"{where}: placeholders {PLACEHOLDER.findall(text)} instead of "
                            f"{PLACEHOLDER.findall(source)} in {text!r}")
        own_lines = sum(1 for line in text.split("\n") if PLACEHOLDER_LINE.fullmatch(line)) - \
            sum(1 for line in source.split("\n") if PLACEHOLDER_LINE.fullmatch(line))
        added = text.count("\n") - source.count("\n")
        if not 0 <= added <= 2 * max(own_lines, 0):
            problems.append(f"{where}: {text.count(chr(10))} line breaks instead of {source.count(chr(10))} "
                            f"in {text!r}")
    return problems


def main():
    catalogues = sorted(glob.glob(os.path.join(sys.argv[1], "*.ts")))
    if not catalogues:
        sys.exit(f"no catalogues in {sys.argv[1]}")
    problems = [problem for path in catalogues for problem in problems_of(path)]
    for problem in problems:
        print(problem)
    print(f"{len(catalogues)} catalogues, {len(problems)} problems")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
