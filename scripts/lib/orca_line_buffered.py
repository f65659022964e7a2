"""Starts Orca with its debug file written a line at a time.

Orca writes its debug file through Python's block buffer, so the last
utterances sit in memory until the buffer fills or Orca ends; a check that
waits for an utterance would wait in vain. Run as
    python3 orca_line_buffered.py --debug-file=FILE [orca options]
"""
import builtins
import runpy
import sys

debug_file = next(a.split("=", 1)[1] for a in sys.argv if a.startswith("--debug-file="))
real_open = builtins.open


def line_buffered_open(file, mode="r", *args, **kwargs):
    if file == debug_file and "w" in mode:
        return real_open(file, mode, buffering=1, encoding="utf-8")
    return real_open(file, mode, *args, **kwargs)


builtins.open = line_buffered_open
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
