#!/usr/bin/env python3
"""The window program's exit statuses as its manual page gives them, each with what it says."""
import os
import subprocess
import sys

tarvo = sys.argv[1]
offscreen = dict(os.environ, QT_QPA_PLATFORM="offscreen")
headless = {k: v for k, v in os.environ.items()
            if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}

cases = [
    # arguments, environment, status, a part of standard output or error
    (["--help"], headless, 0, "Usage: tarvo"),
    (["-v"], offscreen, 2, "unknown option -v"),
    (["a.zel", "b.zel"], offscreen, 2, "Usage: tarvo"),
    (["m.zel"], headless, 1, "no display"),
]
failures = 0
for arguments, environment, status, said in cases:
    run = subprocess.run([tarvo, *arguments], env=environment, capture_output=True, text=True,
                         timeout=60)
    if run.returncode != status or said not in run.stdout + run.stderr:
        failures += 1
        print(f"tarvo {' '.join(arguments)}: exit {run.returncode} (wanted {status}), "
              f"said {run.stdout + run.stderr!r} (wanted {said!r})")
sys.exit(1 if failures else 0)
