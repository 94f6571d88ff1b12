#!/usr/bin/env python3
"""Calculates the generated motor files with tarvo-calc --json and compares every part of what
it prints with the recorded digests: a change in any label, field, table row, value or chart
point of any motor shows up as a line naming the motor and the part that changed.

  check_motors.py --calc build/app/tarvo-calc            compare with expected.tsv
  check_motors.py --calc build/app/tarvo-calc --record   write expected.tsv anew
"""

import argparse
import hashlib
import json
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_motors  # noqa: E402

# The parts compared, and the quantities of "values" that every version prints: a quantity
# added later does not disturb the comparison.
PARTS = ["status", "success", "labels", "fields", "checks", "propellant", "table", "values",
         "series"]
VALUE_KEYS = ["Vc", "Lgo", "Vg", "Vt", "p'", "p", "m", "Abeo", "Abco", "Abso", "Abo", "Abtr",
              "Ato", "Dt", "Dtf", "w", "Kn max", "Kn min", "Kn avg", "Kn end", "WebTotal", "R'",
              "R", "To act", "c*", "Pmax", "BurnTime", "ThrustTime", "AvgBurnRate",
              "StepRateMean", "TracerPressure", "TracerPmax", "TracerEnd", "TracerTailEnd",
              "TailStep", "Ae", "De", "Meo", "Mef", "Ae/At opt", "Ae/At opt mid", "wf", "Cf max",
              "Fmax", "Favg", "It", "Isp", "MotorClass"]


def digest(value):
    text = json.dumps(value, sort_keys=True, ensure_ascii=False)
    return hashlib.sha256(text.encode("utf-8")).hexdigest()[:10]


def part_digests(record):
    out = []
    for part in PARTS:
        value = record.get(part)
        if part == "values":
            value = {k: value[k] for k in VALUE_KEYS if k in value}
        out.append(digest(value))
    return out


def calculate(calc, directory):
    files = sorted(os.listdir(directory))
    paths = [os.path.join(directory, f) for f in files]
    run = subprocess.run([calc, "--json", *paths], capture_output=True, check=False)
    if run.returncode not in (0, 1):
        sys.exit(f"tarvo-calc failed ({run.returncode}): {run.stderr.decode(errors='replace')}")
    lines = run.stdout.decode("utf-8").splitlines()
    if len(lines) != len(files):
        sys.exit(f"tarvo-calc printed {len(lines)} lines for {len(files)} files")
    return {name: json.loads(line) for name, line in zip(files, lines)}


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--calc", required=True)
    parser.add_argument("--expected", default=os.path.join(HERE, "expected.tsv"))
    parser.add_argument("--record", action="store_true")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as directory:
        g = make_motors.Gen(make_motors.DEFAULT_SEED)
        for index in range(make_motors.DEFAULT_COUNT):
            make_motors.write_motor(os.path.join(directory, f"motor-{index:04d}.zel"), g, index)
        make_motors.write_crafted(directory)
        records = calculate(args.calc, directory)

    if args.record:
        with open(args.expected, "w", encoding="utf-8") as f:
            f.write("# motor\t" + "\t".join(PARTS) + "\tstatus text\n")
            for name, record in records.items():
                f.write(name + "\t" + "\t".join(part_digests(record)) + "\t" +
                        record["status"] + "\n")
        print(f"recorded {len(records)} motors in {args.expected}")
        return

    expected = {}
    with open(args.expected, encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                fields = line.rstrip("\n").split("\t")
                expected[fields[0]] = fields
    failures = []
    for name, record in records.items():
        if name not in expected:
            failures.append(f"{name}: not recorded")
            continue
        changed = [part for part, now, then in zip(PARTS, part_digests(record), expected[name][1:])
                   if now != then]
        if changed:
            failures.append(f"{name}: {', '.join(changed)} changed (status now: "
                            f"{record['status']}; recorded: {expected[name][-1]})")
    missing = sorted(set(expected) - set(records))
    failures += [f"{name}: recorded but no longer generated" for name in missing]
    for failure in failures:
        print(failure)
    print(f"{len(records)} motors, {len(failures)} differ from the recording")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
