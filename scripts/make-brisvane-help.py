#!/usr/bin/env python3
"""Writes the help files of Brisvane and of the stand-in modules: data/brisvane/help.chm
and data/<module>/help.chm, compiled with chmcmd (Debian's fp-utils) from the pages
below. The compiled files are committed, so that a build needs neither.
"""
import os
import subprocess
import sys
import tempfile

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

PAGE = """<html><head><title>{title}</title>
<style>body {{ font-family: Tahoma, sans-serif; font-size: 10pt; }} h1 {{ font-size: 14pt; color: #000099; }}</style>
</head><body><h1>{title}</h1>{body}</body></html>
"""

SHELL = """
<p>Brisvane shows the modules of the Quorvexsoft suite as tiles. Click a tile, or pick the module in the
<b>Modules</b> menu, to start it; Brisvane waits in the background and comes back when the module ends.</p>
<h2>1-Click Cleaning</h2>
<p><b>Start!</b> runs Flintrask, Wickerlume and Ostrelle one after the other and shows their progress.
With <b>Use default settings</b> the modules work with fixed settings, and their own settings are put back
afterwards; with <b>Use module settings</b> they work as you set them up. <b>Cancel</b> stops the running
module and starts no further one.</p>
<p><b>Modules &gt; 1-Click Settings</b> limits how many items Flintrask and Wickerlume examine in a
1-Click Cleaning. The limits do not apply when you start these modules on their own.</p>
<h2>Language</h2>
<p><b>File &gt; Language Selection</b> changes the language of Brisvane and of every module.</p>
"""

MODULES = [
    ("flintrask", "Flintrask", "Flintrask removes temporary and needless files from your drives."),
    ("wickerlume", "Wickerlume", "Wickerlume finds and mends broken entries in the system's settings."),
    ("ostrelle", "Ostrelle", "Ostrelle wipes the traces of your work: histories, caches and lists of recent files."),
    ("pembrast", "Pembrast", "Pembrast shows what fills your disks and helps you to free space."),
    ("tressivon", "Tressivon", "Tressivon keeps watch over the suite's settings."),
]

MODULE = """
<p>{about}</p>
<p>This installation holds a stand-in for {name}: a small program that shows the settings it was started
with and changes nothing on your computer. In a 1-Click Cleaning it reports its progress to Brisvane.</p>
"""


def compile_chm(target, title, body):
    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(work, "index.html"), "w", encoding="latin-1") as f:
            f.write(PAGE.format(title=title, body=body))
        with open(os.path.join(work, "help.hhp"), "w", encoding="latin-1") as f:
            f.write("[OPTIONS]\nCompiled file=help.chm\nDefault topic=index.html\nTitle=%s\nLanguage=0x409\n\n"
                    "[FILES]\nindex.html\n" % title)
        subprocess.run(["chmcmd", "help.hhp"], cwd=work, check=True, stdout=subprocess.DEVNULL)
        with open(os.path.join(work, "help.chm"), "rb") as f:
            data = f.read()
    with open(os.path.join(TOP, target), "wb") as f:
        f.write(data)
    print("wrote", target)


def main():
    compile_chm("data/brisvane/help.chm", "Quorvexsoft Brisvane", SHELL)
    for folder, name, about in MODULES:
        compile_chm("data/%s/help.chm" % folder, "Quorvexsoft " + name, MODULE.format(name=name, about=about))


if __name__ == "__main__":
    sys.exit(main())
