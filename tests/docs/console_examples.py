#!/usr/bin/env python3
"""Runs every console example of README.md and docs/*.md and compares what the tool prints with
the text shown. Paths, times and durations are normalised; nothing else is.

    console_examples.py ZYVODIAG SOURCE_DIR

Each file's examples run in order in one scratch directory, on one simulated card, so that a
later example finds the files and the card an earlier one left. A `$ ` line is a command (a
trailing `# comment` is dropped); the lines up to the next command are its output, standard
output and standard error together."""
import os
import re
import shlex
import subprocess
import sys
import tempfile

tool, source = sys.argv[1], sys.argv[2]
emulator = shlex.split(os.environ.get("ZYVO_TEST_EMULATOR", ""))

NORMALISE = [
    (re.compile(r"\(state in [^)]*\)"), "(state in DIR)"),
    (re.compile(r"/tmp/zyvodiag-selftest-[A-Za-z0-9]+"), "/tmp/zyvodiag-selftest-XXXXXX"),
    (re.compile(r"\b\d+\.\d+ s\b"), "N s"),
]


def normalise(text):
    for pattern, replacement in NORMALISE:
        text = pattern.sub(replacement, text)
    return text


def examples(path):
    """(line number, command, expected output) for every command of every console block."""
    found, block, command = [], False, None
    with open(path) as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if line.startswith("```"):
                if command is not None:
                    found.append(command)
                block, command = line == "```console", None
            elif block and line.startswith("$ "):
                if command is not None:
                    found.append(command)
                text = re.sub(r"\s+#\s.*$", "", line[2:])
                command = (number, text, [])
            elif block and command is not None:
                command[2].append(line)
    return found


def run(command, scratch, environment):
    words = shlex.split(command)
    if words[0] != "zyvodiag":
        sys.exit("%s: only zyvodiag commands can be checked" % command)
    result = subprocess.run(emulator + [tool] + words[1:], cwd=scratch, env=environment,
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, timeout=300)
    return result.stdout.decode("utf-8", "replace")


def environment_in(scratch, card):
    """The examples beside the scratch directory, and the environment a run there gets."""
    os.symlink(os.path.join(source, "examples"), os.path.join(scratch, "examples"))
    environment = dict(os.environ, ZYVO_SIM_CLOCK="virtual", ZYVO_SIM_STATE=card)
    environment.pop("ZYVO_SIM", None)
    return environment


failures = 0
documents = [os.path.join(source, "README.md")] + sorted(
    os.path.join(source, "docs", name) for name in os.listdir(os.path.join(source, "docs"))
    if name.endswith(".md"))
checked = 0
for document in documents:
    commands = examples(document)
    if not commands:
        continue
    with tempfile.TemporaryDirectory() as scratch:
        os.mkdir(os.path.join(scratch, "card"), 0o700)
        environment = environment_in(scratch, os.path.join(scratch, "card"))
        for number, command, expected in commands:
            shown = normalise("\n".join(expected)).rstrip("\n")
            got = normalise(run(command, scratch, environment)).rstrip("\n")
            checked += 1
            if got != shown:
                failures += 1
                print("%s:%d: $ %s" % (os.path.relpath(document, source), number, command))
                print("  shown:\n    " + "\n    ".join(shown.split("\n")))
                print("  printed:\n    " + "\n    ".join(got.split("\n")))
# The exit status table of docs/zyvodiag.md: each row's example ends with the row's status.
ROW = re.compile(r"^\| (\d+) \| .* \| `(.+)` \|$")
with tempfile.TemporaryDirectory() as scratch:
    environment = environment_in(scratch, "private")
    runner = " ".join(shlex.quote(word) for word in emulator + [tool])
    with open(os.path.join(source, "docs", "zyvodiag.md")) as lines:
        for number, line in enumerate(lines, 1):
            match = ROW.match(line.strip())
            if not match:
                continue
            script = re.sub(r"\bzyvodiag\b", runner, match.group(2).replace("\\|", "|"))
            status = subprocess.run(["bash", "-c", script], cwd=scratch, env=environment,
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.DEVNULL, timeout=300).returncode
            checked += 1
            if status != int(match.group(1)):
                failures += 1
                print("docs/zyvodiag.md:%d: `%s` exited %d, not %s" %
                      (number, match.group(2), status, match.group(1)))
print("%d passed, %d failed" % (checked - failures, failures))
sys.exit(1 if failures else 0)
