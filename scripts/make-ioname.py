#!/usr/bin/env python3
"""Writes resources/IoName.txt, the controller's I/O symbols and their short
names offered by the command editors: CP932 bytes, CR LF line ends, one
"symbol TAB name" line per entry below its section line.

Limits kept: at most 101 entries per section, symbols at most 7 bytes, names
at most 19 bytes. Counter symbols carry their number as the fifth character
and remote I/O symbols the network axis as the third ("NI0", "NO0" + bit),
which is where the editors read and replace them.
"""

import pathlib

AXES = range(1, 5)


def per_axis(kinds):
    return [(f"{symbol}{axis}", f"軸{axis}{name}") for axis in AXES for symbol, name in kinds]


SECTIONS = [
    ("[IO_IN]", "汎用入力", [(f"IN{i}", f"汎用入力{i}") for i in range(1, 17)]),
    ("[IO_HIN]", "ホスト入力", [
        ("HIN1", "外部停止"),
        ("HIN2", "プログラム起動"),
        ("HIN3", "プログラム停止"),
        ("HIN4", "アラームリセット"),
    ]),
    ("[IO_SIN]", "センサ入力 (HOMES, +LS, -LS)", per_axis([
        ("HOMES", "原点センサ"),
        ("CWLS", "+リミット"),
        ("CCWLS", "-リミット"),
    ])),
    ("[IO_DIN]", "ドライバ入力", per_axis([
        ("DRDY", "運転準備完了"),
        ("DALM", "アラーム"),
        ("DTIM", "タイミング"),
        ("DEND", "位置決め完了"),
        ("DHOM", "原点復帰完了"),
    ])),
    ("[IO_OUT]", "汎用出力", [(f"OUT{i}", f"汎用出力{i}") for i in range(1, 17)]),
    ("[IO_HOUT]", "ホスト出力", [
        ("HOUT1", "アラーム出力"),
        ("HOUT2", "プログラム運転中"),
        ("HOUT3", "運転準備完了"),
        ("HOUT4", "予備"),
    ]),
    ("[IO_DOUT]", "ドライバ出力", per_axis([
        ("DCON", "励磁ON"),
        ("DARST", "アラームリセット"),
        ("DFREE", "フリー"),
        ("DZHOM", "原点復帰"),
        ("DSPR", "予備出力"),
    ])),
    ("[IO_LOUT1]", "内部出力 (タイマー接点)", [(f"T{i}", f"タイマー{i}") for i in range(1, 101)]),
    ("[IO_TIMER]", "時間待ちタイマー", [(f"T{i}", f"タイマー{i}") for i in range(1, 101)]),
    ("[IO_COUNTER]", "カウンタ (加算, 設定)", [(f"CNTR{i}", f"カウンタ{i}") for i in range(1, 9)]),
    ("[IO_COUNTER2]", "カウンタ (減算)", [(f"CNTR{i}", f"カウンタ{i}") for i in range(1, 9)]),
    ("[IO_COUNTER3]", "カウンタ (クリア)", [(f"CNTR{i}", f"カウンタ{i}") for i in range(1, 9)]),
    ("[IO_COUNTER4]", "カウンタ接点", [(f"CUP{i}", f"カウンタ{i}UP") for i in range(1, 9)]),
    ("[IO_MEMORY]", "メモリ", [(f"M{i}", f"メモリ{i}") for i in range(1, 97)]),
    ("[IO_RIOIN]", "リモートI/O入力", [(f"NI0{i:02d}", f"リモート入力{i:02d}") for i in range(16)]),
    ("[IO_RIOOUT]", "リモートI/O出力", [(f"NO0{i:02d}", f"リモート出力{i:02d}") for i in range(16)]),
    ("[IO_AXCTRL]", "軸制御", per_axis([
        ("BUSY", "動作中"),
        ("MEND", "移動完了"),
        ("ORGF", "原点復帰済"),
        ("AALM", "アラーム中"),
    ])),
]


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    lines = [
        "// VANTREL I/O symbols and names",
        "// symbol<TAB>name; symbols at most 7 bytes, names at most 19 bytes",
    ]
    for section, title, entries in SECTIONS:
        assert len(entries) <= 101, section
        lines.append("")
        lines.append(f"// {title}")
        lines.append(section)
        for symbol, name in entries:
            assert len(symbol.encode("cp932")) <= 7, symbol
            assert len(name.encode("cp932")) <= 19, name
            lines.append(f"{symbol}\t{name}")
    data = ("\r\n".join(lines) + "\r\n").encode("cp932")
    (root / "resources").mkdir(exist_ok=True)
    (root / "resources" / "IoName.txt").write_bytes(data)


if __name__ == "__main__":
    main()
