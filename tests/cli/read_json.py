"""Reads the almanac's --json output with Python's own parser, strictly:
NaN and Infinity, which Python would otherwise take, fail the test."""
import json
import subprocess
import sys

almanac = sys.argv[1]
commands = [
    ["now", "--json"],
    ["now", "--json", "--lang", "en"],
    ["phases", "1999-01", "1999-03", "--json"],
    ["riseset", "18.96", "69.65", "2024-06-28", "2024-07-01", "--json"],
    ["riseset", "8.85", "80", "2007-02-01", "2007-02-03", "--json"],
]


def refuse(constant):
    raise ValueError("not JSON: " + constant)


for command in commands:
    out = subprocess.run([almanac] + command, check=True, capture_output=True).stdout
    value = json.loads(out.decode("utf-8"), parse_constant=refuse)
    expected = dict if command[0] == "now" else list
    if not isinstance(value, expected) or not value:
        sys.exit(" ".join(command) + ": expected a non-empty " + expected.__name__)
print(len(commands), "outputs read")
