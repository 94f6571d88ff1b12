#!/usr/bin/env python3
"""Checks of the installed tree and of the Debian package, run by CTest (label "install").

    check_install.py --build B --source S --stage DIR --package-dir DIR --version V CHECK

"stage" installs the build into DIR (DESTDIR, prefix /usr) and "package" builds the .deb; the
other checks look at what those two left, as a desktop, man and dpkg would see it.
"""

import argparse
import configparser
import gzip
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

PREFIX = "usr"
MIME_NAMESPACE = "{http://www.freedesktop.org/standards/shared-mime-info}"
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"

# Every file an install puts under the prefix, with whether it is a program. Icons are listed
# by pattern below; the examples come from the source tree.
EXPECTED_FILES = {
    "bin/tarvo": True,
    "bin/tarvo-calc": True,
    "share/tarvo/GRAINS.grn": False,
    "share/applications/tarvo.desktop": False,
    "share/mime/packages/tarvo.xml": False,
    "share/metainfo/io.github.tarvo.Tarvo.metainfo.xml": False,
    "share/icons/hicolor/scalable/apps/tarvo.svg": False,
    "share/man/man1/tarvo.1.gz": False,
    "share/man/man1/tarvo-calc.1.gz": False,
    "share/doc/tarvo/README.md": False,
    "share/doc/tarvo/LICENSE": False,
}
PNG_ICON = re.compile(r"^share/icons/hicolor/(\d+)x(\d+)/apps/tarvo\.png$")
ICON_SIDES = (16, 256)  # the smallest and largest PNG icons there must be

DESKTOP_FILE = "share/applications/tarvo.desktop"
MIME_FILE = "share/mime/packages/tarvo.xml"
METAINFO_FILE = "share/metainfo/io.github.tarvo.Tarvo.metainfo.xml"
MAN_PAGES = {"tarvo": "share/man/man1/tarvo.1.gz", "tarvo-calc": "share/man/man1/tarvo-calc.1.gz"}


class CheckFailed(Exception):
    pass


def expect(condition, message):
    if not condition:
        raise CheckFailed(message)


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def expect_clean_run(command, **kwargs):
    """Runs a validator: it must succeed and say nothing on standard error."""
    result = run(command, **kwargs)
    expect(result.returncode == 0 and not result.stderr.strip(),
           f"{' '.join(command)} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result


class Installation:
    def __init__(self, options):
        self.options = options
        self.root = os.path.join(options.stage, PREFIX)

    def path(self, relative):
        return os.path.join(self.root, relative)

    def files(self):
        found = set()
        for directory, _, names in os.walk(self.root):
            for name in names:
                found.add(os.path.relpath(os.path.join(directory, name), self.root))
        return found

    def expected_files(self):
        examples = os.path.join(self.options.source, "examples")
        expected = dict(EXPECTED_FILES)
        for name in os.listdir(examples):
            if name.endswith(".zel"):
                expected["share/doc/tarvo/examples/" + name] = False
        return expected

    def package(self):
        debs = [name for name in os.listdir(self.options.package_dir)
                if re.fullmatch(r"tarvo_.*\.deb", name)]
        expect(len(debs) == 1, f"expected one tarvo_*.deb in {self.options.package_dir}: {debs}")
        return os.path.join(self.options.package_dir, debs[0])


# ---- Producing the tree and the package ----

def check_stage(inst):
    shutil.rmtree(inst.options.stage, ignore_errors=True)
    environment = dict(os.environ, DESTDIR=inst.options.stage)
    result = run(["cmake", "--install", inst.options.build, "--prefix", "/" + PREFIX],
                 env=environment)
    expect(result.returncode == 0, f"cmake --install failed:\n{result.stdout}{result.stderr}")
    # Into DESTDIR the desktop databases are left to the system the files land on.
    for cache in ("share/mime/mime.cache", "share/applications/mimeinfo.cache"):
        expect(not os.path.exists(inst.path(cache)), f"an install into DESTDIR wrote {cache}")


def check_package(inst):
    shutil.rmtree(inst.options.package_dir, ignore_errors=True)
    result = run(["cpack", "--config", os.path.join(inst.options.build, "CPackConfig.cmake"),
                  "-G", "DEB", "-B", inst.options.package_dir], cwd=inst.options.build)
    expect(result.returncode == 0, f"cpack failed:\n{result.stdout}{result.stderr}")
    inst.package()


# ---- The installed tree ----

def png_size(path):
    with open(path, "rb") as png:
        header = png.read(24)
    expect(header[:8] == b"\x89PNG\r\n\x1a\n", f"{path} is not a PNG")
    return struct.unpack(">II", header[16:24])


def check_tree(inst):
    expected = inst.expected_files()
    actual = inst.files()
    icons = {name for name in actual if PNG_ICON.match(name)}
    expect(actual - icons == set(expected),
           f"installed files differ: missing {sorted(set(expected) - actual)}, "
           f"unexpected {sorted(actual - icons - set(expected))}")
    for name, is_program in expected.items():
        executable = os.access(inst.path(name), os.X_OK)
        expect(executable == is_program, f"{name}: executable is {executable}")
    for name in icons:
        width, height = map(int, PNG_ICON.match(name).groups())
        expect(width == height and png_size(inst.path(name)) == (width, height),
               f"{name} is {png_size(inst.path(name))} pixels")
    sides = {int(PNG_ICON.match(name).group(1)) for name in icons}
    expect(set(ICON_SIDES) <= sides, f"PNG icons of {sorted(sides)} pixels only")
    svg = ElementTree.parse(inst.path("share/icons/hicolor/scalable/apps/tarvo.svg")).getroot()
    expect(svg.tag.endswith("svg") and svg.get("viewBox"), "the scalable icon has no viewBox")


def check_programs(inst):
    """The installed programs run outside the build tree."""
    with tempfile.TemporaryDirectory() as home:
        environment = {"PATH": inst.path("bin") + ":/usr/bin:/bin", "HOME": home,
                       "LC_ALL": "C.UTF-8"}
        for program in ("tarvo", "tarvo-calc"):
            result = run([program, "--help"], env=environment, cwd=home)
            expect(result.returncode == 0 and result.stdout,
                   f"{program} --help from the installed tree: {result.returncode} {result.stderr}")
        examples = sorted(
            os.path.join(inst.path("share/doc/tarvo/examples"), name)
            for name in os.listdir(inst.path("share/doc/tarvo/examples")))
        result = run(["tarvo-calc", "--json"] + examples, env=environment, cwd=home)
        expect(result.returncode == 0 and len(result.stdout.splitlines()) == len(examples),
               f"the installed examples do not all calculate:\n{result.stdout}{result.stderr}")


# ---- Desktop integration ----

def mime_types(inst):
    root = ElementTree.parse(inst.path(MIME_FILE)).getroot()
    return {element.get("type"): element for element in root.iter(MIME_NAMESPACE + "mime-type")}


def desktop_entry(inst):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    parser.optionxform = str
    parser.read(inst.path(DESKTOP_FILE), encoding="utf-8")
    return parser["Desktop Entry"]


def check_desktop(inst):
    expect_clean_run(["desktop-file-validate", inst.path(DESKTOP_FILE)])
    entry = desktop_entry(inst)
    expect(entry["Exec"] == "tarvo %f" and os.access(inst.path("bin/tarvo"), os.X_OK),
           f"Exec={entry['Exec']}")
    expect(os.path.exists(inst.path(f"share/icons/hicolor/scalable/apps/{entry['Icon']}.svg")),
           f"no icon named {entry['Icon']}")
    for key in ("Name", "Comment"):
        expect(entry.get(key) and entry.get(key + "[ru]"), f"{key} in both languages")
    declared = [t for t in entry["MimeType"].split(";") if t]
    expect(sorted(declared) == sorted(mime_types(inst)),
           f"MimeType={declared}, the MIME file declares {sorted(mime_types(inst))}")
    # The menu's file associations, as update-desktop-database builds them.
    with tempfile.TemporaryDirectory() as scratch:
        applications = os.path.join(scratch, "applications")
        shutil.copytree(inst.path("share/applications"), applications)
        expect_clean_run(["update-desktop-database", applications])
        with open(os.path.join(applications, "mimeinfo.cache"), encoding="utf-8") as cache:
            associations = dict(line.strip().split("=", 1) for line in cache if "=" in line)
    for mime_type in declared:
        expect("tarvo.desktop" in associations.get(mime_type, "").split(";"),
               f"{mime_type} does not open with tarvo.desktop")


def check_mime(inst):
    expect_clean_run(["xmllint", "--noout", inst.path(MIME_FILE)])
    for mime_type, element in mime_types(inst).items():
        comments = {c.get(XML_LANG): c.text for c in element.findall(MIME_NAMESPACE + "comment")}
        expect(comments.get(None) and comments.get("ru"), f"{mime_type}: comments {comments}")
    # The database a desktop builds from it: which type each file name gets.
    with tempfile.TemporaryDirectory() as scratch:
        mime = os.path.join(scratch, "mime")
        shutil.copytree(inst.path("share/mime"), mime)
        # Pointed at the scratch directory, it does not warn that desktops will not look there.
        expect_clean_run(["update-mime-database", mime],
                         env=dict(os.environ, XDG_DATA_DIRS=scratch))
        with open(os.path.join(mime, "globs2"), encoding="utf-8") as globs:
            by_pattern = {parts[2]: parts[1]
                          for parts in (line.strip().split(":") for line in globs)
                          if len(parts) >= 3 and not parts[0].startswith("#")}
    for pattern, mime_type in (("*.zel", "application/x-tarvo-motor"),
                               ("*.grn", "application/x-tarvo-propellants")):
        expect(by_pattern.get(pattern) == mime_type,
               f"{pattern} is {by_pattern.get(pattern)}, not {mime_type}")


def check_appstream(inst):
    metainfo = inst.path(METAINFO_FILE)
    expect_clean_run(["appstreamcli", "validate", "--no-net", "--no-color", metainfo])
    root = ElementTree.parse(metainfo).getroot()
    launchable = root.find("launchable").text
    expect(os.path.exists(inst.path("share/applications/" + launchable)),
           f"launchable {launchable} is not installed")
    for binary in root.iter("binary"):
        expect(os.access(inst.path("bin/" + binary.text), os.X_OK), f"no program {binary.text}")
    for mediatype in root.iter("mediatype"):
        expect(mediatype.text in mime_types(inst), f"{mediatype.text} is not declared")


# ---- Manual pages ----

# An option as a program's usage text names it: "-h", "--json", "--eng".
OPTION = re.compile(r"(?<![\w-])--?[A-Za-z][\w-]*")


def documented_options(page_source):
    """The options a page's OPTIONS section gives an entry of its own (a .B/.BR/.BI line)."""
    section = page_source.split(".SH OPTIONS", 1)[-1].split("\n.SH ", 1)[0]
    options = set()
    for line in section.splitlines():
        if re.match(r"\.B[RI]?\s", line):
            options.update(OPTION.findall(line.replace("\\-", "-")))
    return options


def check_man(inst):
    environment = dict(os.environ, LC_ALL="C.UTF-8", MANWIDTH="80", MANPAGER="cat", PAGER="cat")
    for program, page in MAN_PAGES.items():
        rendered = expect_clean_run(["man", "--warnings", "-l", inst.path(page)], env=environment)
        expect(program in rendered.stdout, f"{page} renders without naming {program}")
        usage = run([inst.path("bin/" + program), "--help"], env=environment).stdout
        with gzip.open(inst.path(page), "rt", encoding="utf-8") as source:
            documented = documented_options(source.read())
        missing = set(OPTION.findall(usage)) - documented
        expect(not missing, f"{page} has no entry for {sorted(missing)} of {program} --help")


# ---- The Debian package ----

def check_deb(inst):
    deb = inst.package()
    info = run(["dpkg-deb", "--info", deb])
    expect(info.returncode == 0, f"dpkg-deb --info: {info.stderr}")
    fields = dict(re.findall(r"^ (\w[\w-]*): (.*)$", info.stdout, re.MULTILINE))
    architecture = run(["dpkg", "--print-architecture"]).stdout.strip()
    for field, value in (("Package", "tarvo"), ("Version", inst.options.version),
                         ("Architecture", architecture), ("Section", "science")):
        expect(fields.get(field) == value, f"{field}: {fields.get(field)}, expected {value}")
    for field in ("Maintainer", "Description"):
        expect(fields.get(field), f"no {field}")
    depends = fields.get("Depends", "")
    for package in ("libqt6widgets6", "libqt6charts6", "libc6", "qt6-qpa-plugins"):
        expect(re.search(rf"\b{re.escape(package)}\b", depends), f"Depends lacks {package}")

    contents = run(["dpkg-deb", "--contents", deb])
    expect(contents.returncode == 0, f"dpkg-deb --contents: {contents.stderr}")
    packaged = set()
    for line in contents.stdout.splitlines():
        mode, owner, *_, path = line.split()
        expect(owner == "root/root", f"{path} belongs to {owner}")
        if not mode.startswith("d"):
            expect(path.startswith(f"./{PREFIX}/"), f"{path} is outside /{PREFIX}")
            packaged.add(path[len(f"./{PREFIX}/"):])
    expect(packaged == inst.files(),
           f"the package and the install differ: {sorted(packaged ^ inst.files())}")


CHECKS = {
    "stage": check_stage,
    "tree": check_tree,
    "programs": check_programs,
    "desktop": check_desktop,
    "mime": check_mime,
    "appstream": check_appstream,
    "man": check_man,
    "package": check_package,
    "deb": check_deb,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True)
    parser.add_argument("--source", required=True)
    parser.add_argument("--stage", required=True)
    parser.add_argument("--package-dir", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("check", choices=sorted(CHECKS))
    options = parser.parse_args()
    try:
        CHECKS[options.check](Installation(options))
    except CheckFailed as failure:
        print(f"{options.check}: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
