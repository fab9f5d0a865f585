#!/usr/bin/env python3
"""Writes resources/Ncstepini.sys, the default programs loaded at start and by
"プログラム\n初期化": program store text, CP932 bytes, CR LF line ends.

Program 100 (which can never be deleted) is a small pick-and-place cycle over
axes 1 and 2 that runs on the default settings: it homes both axes through
program 1, then moves to the pick point P0999, closes the gripper on OUT1,
waits for its confirmation on IN1 (the simulated controller wires OUTn to INn)
and for timer T1, moves to the place point P1000, opens the gripper, counts
the cycle on CNTR1 and starts again. The positions of P0999 and P1000 are part
of the default settings image (src/core/data/DefaultImage.cpp), as the editor
keeps a move's own positions in its automatically assigned point. Step lines
are written exactly as the editor writes them.
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
    step("GOSUB", "#001 ", "原点復帰"),
    step("CCLR", "CNTR1", "サイクル数クリア"),
    step("MOVE", "A1,A2 P0999 ", "取り位置へ移動", label=1),
    step("OUT", "OUT1 ON", "チャック閉"),
    step("IN", "IN1 ON", "チャック閉確認"),
    step("WAIT", "T1", "チャック時間"),
    step("MOVE", "A1,A2 P1000 ", "置き位置へ移動"),
    step("OUT", "OUT1 OFF", "チャック開"),
    step("IN", "IN1 OFF", "チャック開確認"),
    step("CINC", "CNTR1", "サイクル数カウント"),
    step("GOTO", "L001 ", "取り位置へ戻る"),
    step("END"),
    header(1, "原点復帰"),
    step("HOME", "A1,A2 ", "軸1・軸2原点復帰"),
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
