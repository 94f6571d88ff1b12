#!/usr/bin/env python3
"""Writes a reproducible set of motor files that together exercise every input of a design:
realistic cored motors, end-burners and both together, every propellant and its constants and
burn-rate table, and files that fail each of the checks. The same seed always gives the same
files, byte for byte, on every machine (only random.random() is used)."""

import argparse
import os
import random

PROPELLANT_SECTIONS = ["Const&Vars_DX", "Const&Vars_SB", "Const&Vars_SU"]
FUEL_NAMES = ["KN/DX - Нитрат калия - декстроза", "KN/SB - Нитрат калия - сорбит",
              "KN/SU - Нитрат калия - сахар"]
# p', k2ph, k, M, To, then lower and upper bounds, a and n of five ranges.
CONSTANTS = [
    ["1,879", "1,043", "1,1308", "42,39", "1710"],
    ["1,841", "1,042", "1,1361", "39,9", "1600"],
    ["1,889", "1,044", "1,133", "41,98", "1720"],
]
RANGES = [
    [("0,100", "0,779", "8,875", "0,619"), ("0,779", "2,572", "7,553", "-0,009"),
     ("2,572", "5,930", "3,841", "0,688"), ("5,930", "8,502", "17,20", "-0,148"),
     ("8,502", "11,20", "4,775", "0,442")],
    [("0,091", "0,807", "10,708", "0,625"), ("0,807", "1,503", "8,763", "-0,314"),
     ("1,503", "3,792", "7,852", "-0,013"), ("3,792", "7,033", "3,907", "0,535"),
     ("7,033", "10,67", "9,653", "0,064")],
    [("0,091", "4,8", "7,695", "0,39"), ("0", "0", "0", "0"), ("0", "0", "0", "0"),
     ("0", "0", "0", "0"), ("0", "0", "0", "0")],
]
DEFAULT_SEED = 20261206
DEFAULT_COUNT = 600

JUNK = ["abc", "", "-", "1,2,3", "12a5", "--1", "1e5", "0x10", " ", "+", "5-", "ы"]


class Gen:
    def __init__(self, seed):
        self.r = random.Random(seed)

    def u(self, lo, hi):
        return lo + (hi - lo) * self.r.random()

    def i(self, lo, hi):  # inclusive
        return lo + int(self.r.random() * (hi - lo + 1)) % (hi - lo + 1)

    def p(self, probability):
        return self.r.random() < probability

    def pick(self, items):
        return items[int(self.r.random() * len(items)) % len(items)]

    def num(self, value, decimals):
        text = f"{value:.{decimals}f}"
        if decimals > 0 and self.p(0.3):
            text = text.rstrip("0").rstrip(".")
        return text.replace(".", ",") if not self.p(0.1) else text

    def maybe_junk(self, text, probability):
        return self.pick(JUNK) if self.p(probability) else text


def propellant_sections(g, fault):
    """The three propellant sections, mostly at their defaults, sometimes changed."""
    out = []
    for p in range(3):
        constants = list(CONSTANTS[p])
        ranges = [list(r) for r in RANGES[p]]
        if g.p(0.25):
            # A propellant of the user's own: constants and table nudged.
            constants[0] = g.num(g.u(1.6, 2.0), 3)
            constants[1] = g.num(g.u(1.02, 1.2), 3)
            constants[2] = g.num(g.u(1.05, 1.3), 4)
            constants[3] = g.num(g.u(30, 50), 2)
            constants[4] = g.num(g.u(1300, 1900), 0)
            for row in ranges:
                if row[2] not in ("0",):
                    row[2] = g.num(g.u(2, 20), 3)
                    row[3] = g.num(g.u(-0.4, 0.8), 3)
        if g.p(0.06):
            # A plateau range: n exactly 0.
            row = ranges[g.i(0, 4 if p < 2 else 0)]
            row[3] = g.pick(["0", "0,0", "0,000"])
        if g.p(0.05):
            # A table reaching far: the last used range extended.
            last = 4 if p < 2 else 0
            ranges[last][1] = g.num(g.u(12, 40), 2)
        if fault == "constant" and g.p(0.6):
            which = g.i(0, 4)
            constants[which] = g.pick(["0", "-1", "1", "1,0", "abc", "", "0,5"])
        if fault == "table" and g.p(0.6):
            row = ranges[g.i(0, 4)]
            row[g.i(0, 3)] = g.pick(["abc", "x", "1ы2"])
        out.append((constants, ranges))
    return out


def write_propellants(lines, sections):
    keys = ["1", "2", "3", "4", "5"]
    for p, (constants, ranges) in enumerate(sections):
        lines.append(f"[{PROPELLANT_SECTIONS[p]}]")
        lines.append(f"FuelName={FUEL_NAMES[p]}")
        for k, v in zip(keys, constants):
            lines.append(f"{k}={v}")
        for column, prefix in ((0, "P{}0"), (1, "P{}1"), (2, "K{}0"), (3, "K{}1")):
            for j in range(5):
                lines.append(f"{prefix.format(j + 1)}={ranges[j][column]}")


def motor(g, kind, fault):
    """The [Params] values of one motor."""
    Dc = g.u(15, 120)
    Lc = g.u(60, 900)
    Do = Dc - g.u(0.5, 4)
    do = Do * g.u(0.15, 0.55)
    N = g.i(1, 6)
    Lo = (Lc / N) * g.u(0.3, 0.98)
    Lto, Dto = 0.0, 0.0
    if kind in ("end", "both"):
        free = Lc - (N * Lo if kind == "both" else 0)
        Lto = free * g.u(0.1, 0.99)
        Dto = Dc * g.u(0.5, 1.0)
    params = {
        "Dc": g.num(Dc, g.i(0, 2)),
        "Lc": g.num(Lc, g.i(0, 1)),
        "D": g.num(Do, g.i(0, 2)),
        "do": g.num(do, g.i(0, 2)),
        "Lo": g.num(Lo, g.i(0, 1)),
        "N": str(N),
        "Kno": g.num(g.u(60, 240) if kind != "end" else g.u(20, 150), g.i(0, 1)),
        "e": g.num(g.u(0, 1.5) if g.p(0.6) else 0, g.i(0, 2)),
        "Lto": g.num(Lto, g.i(0, 1)),
        "Dto": g.num(Dto, g.i(0, 1)),
        "Ftype": str(g.i(1, 3)),
        "Os": str(g.i(0, 1)),
        "Cs": str(1 if g.p(0.85) else 0),
        "Es": str(g.i(0, 1)),
        "Roi/Ror": str(g.i(92, 98)),
        "uc": str(g.i(85, 99) if g.p(0.9) else g.i(1, 99)),
        "Patm": str(81 if g.p(0.8) else g.i(71, 91)),
        "G*": str(g.i(2, 8) if g.p(0.95) else g.i(1, 99)),
        "kv": str(g.pick([0] * 8 + [10, 20, 30, 50, 100])),
        "unoz": str(g.i(75, 85)),
        "Ae/At": str(g.i(10, 300)),
        "Trasser": "-1" if kind in ("end", "both") else "0",
        "Channel": "0" if kind == "end" else "-1",
    }
    if kind == "end":
        # An end-burner's cored-grain fields keep whatever the user left there.
        for key in ("D", "do", "Lo"):
            if g.p(0.5):
                params[key] = "0"
    apply_fault(g, params, fault)
    return params


def apply_fault(g, params, fault):
    if fault == "junk":
        key = g.pick(["Dc", "Lc", "D", "do", "Lo", "N", "Kno", "e", "Lto", "Dto"])
        params[key] = g.pick(JUNK)
    elif fault == "nonpositive":
        key = g.pick(["Dc", "Lc", "D", "do", "Lo", "N", "Kno", "e", "Lto", "Dto"])
        params[key] = g.pick(["0", "-1", "-0,5", "-100"])
    elif fault == "geometry":
        choice = g.i(0, 4)
        if choice == 0:
            params["D"] = params["Dc"] + "1"  # outer diameter beyond the chamber
        elif choice == 1:
            params["do"] = params["D"]
        elif choice == 2:
            params["N"] = "40"
        elif choice == 3:
            params["Os"], params["Cs"], params["Es"] = "0", "0", g.pick(["0", "1"])
        else:
            params["Os"], params["Cs"] = "0", "0"
    elif fault == "steppers":
        key = g.pick(["Ftype", "Os", "Cs", "Es", "Roi/Ror", "uc", "Patm", "G*", "kv", "unoz",
                      "Ae/At"])
        params[key] = g.pick(["abc", "-5", "0", "400", "70000", "1,5", "", "99999999999"])
    elif fault == "pressure":
        # Far beyond the burn-rate tables: a tiny throat.
        params["Kno"] = g.num(g.u(800, 5000), 0)
        params["Ftype"] = g.pick(["1", "2", "3"])
    elif fault == "extreme":
        key = g.pick(["Dc", "Lc", "D", "do", "Lo", "Kno", "e", "Lto", "Dto"])
        params[key] = g.pick(["0,000001", "1000000", "12345678901234567890", "0,1", "1e3",
                              "99999999"])
    elif fault == "flags":
        params["Trasser"] = g.pick(["-1", "0", "1", "True", "x"])
        params["Channel"] = g.pick(["-1", "0", "false", "2,5", ""])


def write_motor(path, g, index):
    kinds = ["cored"] * 6 + ["end"] * 2 + ["both"] * 2
    faults = [None] * 10 + ["junk", "nonpositive", "geometry", "steppers", "pressure",
                            "extreme", "flags", "constant", "table"]
    kind = g.pick(kinds)
    fault = g.pick(faults)
    lines = []
    if not g.p(0.05):  # a few files without propellant sections take the defaults
        write_propellants(lines, propellant_sections(g, fault))
    params = motor(g, kind, fault)
    lines.append("[Params]")
    for key, value in params.items():
        if fault == "missing" or g.p(0.02):
            continue  # a missing key reads as its default
        lines.append(f"{key}={value}")
    lines.append("[Tab]")
    lines.append(f"Active={g.i(0, 4)}")
    lines.append("[Description]")
    lines.append(f"Motor=Мотор {index}: {kind}, {fault or 'без ошибок'}")
    text = "\r\n".join(lines) + "\r\n"
    with open(path, "wb") as f:
        f.write(text.encode("cp1251"))


TINY = "0," + "0" * 199 + "1"        # 1e-200: its square is 0
SUBNORMAL = "0," + "0" * 309 + "1"   # 1e-310
HUGE = "1" + "0" * 300               # 1e300
BEYOND = "1" + "0" * 320             # larger than any double

BASE = {"Dc": "40", "Lc": "200", "D": "38", "do": "14", "Lo": "60", "N": "3", "Kno": "250",
        "e": "0,5", "Lto": "0", "Dto": "0", "Ftype": "2", "Os": "0", "Cs": "1", "Es": "1",
        "Roi/Ror": "96", "uc": "95", "Patm": "81", "G*": "6", "kv": "0", "unoz": "85",
        "Ae/At": "80", "Trasser": "0", "Channel": "-1"}
END_BURNER = {"Trasser": "-1", "Channel": "0", "Lto": "150", "Dto": "36", "Kno": "40"}
BOTH = {"Trasser": "-1", "Lto": "15", "Dto": "36"}

# (name, [Params] changes, propellant changes as (propellant, key, text))
CRAFTED = [
    ("base", {}, []),
    ("full-end-burner", {**END_BURNER, "Lto": "200", "Dto": "40", "D": "0", "do": "0", "Lo": "0"}, []),
    ("end-burner", END_BURNER, []),
    ("end-burner-dx", {**END_BURNER, "Ftype": "1"}, []),
    ("both-short-tracer", {**BOTH, "Lto": "2"}, []),
    ("both-long-tracer", {**BOTH, "Lc": "300", "Lto": "110"}, []),
    ("both-su", {**BOTH, "Ftype": "3", "Kno": "120"}, []),
    ("tiny-grain", {"D": TINY, "do": TINY[:-1] + "05"}, []),
    ("tiny-chamber", {"Dc": TINY, "D": TINY}, []),
    ("subnormal-kno", {"Kno": SUBNORMAL}, []),
    ("huge-kno", {"Kno": HUGE}, []),
    ("beyond-kno", {"Kno": BEYOND}, []),
    ("huge-erosion", {"e": HUGE}, []),
    ("huge-chamber", {"Dc": HUGE, "Lc": HUGE, "D": HUGE[:-1], "do": "14"}, []),
    ("wide-nozzle", {"Ae/At": "300", "Kno": "120"}, []),
    ("narrow-nozzle", {"Ae/At": "10"}, []),
    ("low-patm-dx", {"Patm": "71", "Ftype": "1"}, []),
    ("high-patm", {"Patm": "91"}, []),
    ("weak-combustion", {"uc": "1"}, []),
    ("erosive", {"G*": "99", "kv": "100", "Kno": "150"}, []),
    ("ends-only", {"Os": "0", "Cs": "0", "Es": "1"}, []),
    ("no-surface", {"Os": "0", "Cs": "0", "Es": "0"}, []),
    ("grains-too-long", {"N": "4"}, []),
    ("no-propellant", {"Ftype": "7"}, []),
    ("plateau-sb", {}, [(1, "K21", "0")]),
    ("plateau-sb-text", {}, [(1, "K21", "0,000")]),
    ("plateau-dx", {"Ftype": "1"}, [(0, "K21", "0")]),
    ("plateau-su", {"Ftype": "3", "Kno": "150"}, [(2, "K11", "0")]),
    ("zero-coefficient-sb", {}, [(1, "K20", "0")]),
    ("table-text", {}, [(1, "K30", "abc")]),
    ("table-text-unused", {}, [(0, "K30", "abc")]),
    ("k-one", {}, [(1, "3", "1")]),
    ("k2ph-one", {}, [(1, "2", "1,0")]),
    ("molar-mass-zero", {}, [(1, "4", "0")]),
    ("table-far", {"Kno": "400"}, [(1, "P51", "40")]),
    ("negative-exponent", {}, [(1, "K31", "-0,5")]),
]


def write_crafted(directory):
    for name, params, propellants in CRAFTED:
        sections = [(list(CONSTANTS[p]), [list(r) for r in RANGES[p]]) for p in range(3)]
        for p, key, text in propellants:
            constants, ranges = sections[p]
            if key.isdigit():
                constants[int(key) - 1] = text
            else:
                column = {"P0": 0, "P1": 1, "K0": 2, "K1": 3}[key[0] + key[2]]
                ranges[int(key[1]) - 1][column] = text
        lines = []
        write_propellants(lines, sections)
        lines.append("[Params]")
        lines += [f"{k}={v}" for k, v in {**BASE, **params}.items()]
        lines += ["[Tab]", "Active=0", "[Description]", f"Motor={name}"]
        with open(os.path.join(directory, f"crafted-{name}.zel"), "wb") as f:
            f.write(("\r\n".join(lines) + "\r\n").encode("cp1251"))
    # One file of the older layout: every value in "Const&Vars", the tab in "Tabs".
    old = ["[Const&Vars]", "11=40", "12=200", "45=38", "46=14", "47=60", "48=3", "64=250",
           "65=0,5", "44=1", "50=0", "52=1", "54=1", "56=95", "97=94", "99=81", "101=6",
           "103=0", "140=84", "141=60", "Trasser=0", "Channel=-1", "[Tabs]", "Active=2",
           "[Description]", "Motor=Старый формат"]
    with open(os.path.join(directory, "crafted-older-layout.zel"), "wb") as f:
        f.write(("\r\n".join(old) + "\r\n").encode("cp1251"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("directory")
    parser.add_argument("--count", type=int, default=DEFAULT_COUNT)
    parser.add_argument("--seed", type=int, default=DEFAULT_SEED)
    args = parser.parse_args()
    os.makedirs(args.directory, exist_ok=True)
    g = Gen(args.seed)
    for index in range(args.count):
        write_motor(os.path.join(args.directory, f"motor-{index:04d}.zel"), g, index)
    write_crafted(args.directory)


if __name__ == "__main__":
    main()
