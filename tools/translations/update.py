#!/usr/bin/env python3
"""Brings translations/trennic_*.ts up to date with the texts in the sources.

New texts come in unfinished, texts no longer used are dropped, and every
translation already written is kept. Run it after changing a display text,
then translate what it reports as unfinished.

The core's display texts (marked SHOWN) are all looked up under the
context "trennic", whatever class or namespace Qt's lupdate takes them to be
in, so they are collected on their own and moved there.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CORE_CONTEXT = "trennic"


def lupdate():
    found = shutil.which("lupdate") or "/usr/lib/qt6/bin/lupdate"
    return found


def scan(folders, ts):
    subprocess.run([lupdate(), "-silent", "-no-obsolete", "-locations", "none", "-no-ui-lines",
                    "-tr-function-alias", "QT_TR_NOOP+=SHOWN", "-I", "src"] + folders + ["-ts", ts],
                   cwd=ROOT, check=True, stderr=subprocess.DEVNULL)


def messages(ts):
    """(context, source, disambiguation) in file order, with each message element."""
    out = []
    for context in ET.parse(ts).getroot().iter("context"):
        name = context.findtext("name") or ""
        for m in context.iter("message"):
            out.append(((name, m.findtext("source") or "", m.findtext("comment") or ""), m))
    return out


def main():
    with tempfile.TemporaryDirectory() as tmp:
        core, rest = os.path.join(tmp, "core.ts"), os.path.join(tmp, "rest.ts")
        scan(["src/core"], core)
        scan(["src/platform", "src/ui", "src/cli"], rest)
        wanted = []
        seen = set()
        for (ctx, src, cmt), m in messages(core):
            key = (CORE_CONTEXT, src, cmt)
            if key not in seen:
                seen.add(key)
                wanted.append((key, m))
        for key, m in messages(rest):
            if key not in seen:
                seen.add(key)
                wanted.append((key, m))
        for ts in sorted(os.listdir(os.path.join(ROOT, "translations"))):
            if not (ts.startswith("trennic_") and ts.endswith(".ts")):
                continue
            path = os.path.join(ROOT, "translations", ts)
            old_root = ET.parse(path).getroot()
            old = {key: m for key, m in messages(path)}
            root = ET.Element("TS", old_root.attrib)
            contexts = {}
            unfinished = 0
            for key in sorted(seen):
                ctx, src, cmt = key
                if ctx not in contexts:
                    c = ET.SubElement(root, "context")
                    ET.SubElement(c, "name").text = ctx
                    contexts[ctx] = c
                m = ET.SubElement(contexts[ctx], "message")
                ET.SubElement(m, "source").text = src
                if cmt:
                    ET.SubElement(m, "comment").text = cmt
                before = old.get(key)
                t = before.find("translation") if before is not None else None
                tr = ET.SubElement(m, "translation")
                if t is not None and t.get("type") not in ("vanished", "obsolete"):
                    tr.text = t.text
                    if t.get("type"):
                        tr.set("type", t.get("type"))
                else:
                    tr.set("type", "unfinished")
                if tr.get("type") == "unfinished":
                    unfinished += 1
            ET.indent(root, space="    ")
            with open(path, "w", encoding="utf-8") as f:
                f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
                f.write(ET.tostring(root, encoding="unicode"))
                f.write("\n")
            print(f"{ts}: {len(seen)} texts, {unfinished} unfinished")
    return 0


if __name__ == "__main__":
    sys.exit(main())
