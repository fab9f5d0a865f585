#!/usr/bin/env python3
"""Writes resources/Ncstepini.sys, the default programs loaded at start and by
"プログラム\n初期化": program store text, CP932 bytes, CR LF line ends.

Program 100 (which can never be deleted) is a small cyclic main program that
needs no axis to be set up: it waits for the start input, homes axis 1 through
program 1, signals a cycle on OUT1 for the time of timer T1, counts the cycle
and starts again. Step lines are written exactly as the editor writes them.
"""

import pathlib

TAB = "\t"
CRLF = "\r\n"


def header(number, name=""):
    line = f"{TAB}PROG{TAB}#{number:03d}"
    if name:
        line += f"{TAB};{name}"
    return line + CRLF


def step(keyword, operand="", comment="", label=0):
    line = f"L{label:03d}" if label else ""
    line += f"{TAB}{keyword}{TAB}{operand}"
    if comment:
        line += f"{TAB};{comment}"
    return line + CRLF


PROGRAMS = [
    header(100, "メインプログラム"),
    step("IN", "IN1 ON", "起動入力待ち", label=1),
    step("GOSUB", "#001 ", "原点復帰"),
    step("OUT", "OUT1 ON", "サイクル出力ON"),
    step("WAIT", "T1", "出力保持時間"),
    step("OUT", "OUT1 OFF", "サイクル出力OFF"),
    step("CINC", "CNTR1", "サイクル数カウント"),
    step("GOTO", "L001 ", "起動待ちへ戻る"),
    step("END"),
    header(1, "原点復帰"),
    step("HOME", "A1 ", "軸1原点復帰"),
    step("RET"),
]


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    text = "".join(PROGRAMS)
    data = text.encode("cp932")
    for line in data.split(b"\r\n"):
        assert len(line) <= 254, line
    (root / "resources").mkdir(exist_ok=True)
    (root / "resources" / "Ncstepini.sys").write_bytes(data)


if __name__ == "__main__":
    main()
