#!/usr/bin/env python3
"""Writes the seed corpora fuzz/corpus/<target>/ from the puzzle collections
in tests/data and the example data files. Run from anywhere; the output is
deterministic, so the seeds can be rebuilt and compared.

    python3 fuzz/make_seeds.py [--corpus tests/data]
"""
import argparse
import pathlib
import shutil

HERE = pathlib.Path(__file__).resolve().parent
REPO = HERE.parent

# (collection, line numbers): easy, hard, trial-needing, multi-solution and
# minimal puzzles, so that every path of the runs is among the seeds.
PICKS = [
    ("se_easy.txt", [1, 2]),
    ("se_medium.txt", [1]),
    ("se_hard.txt", [1]),
    ("se_diabolical.txt", [1, 2]),
    ("kaggle3m_expert.txt", [1]),
    ("hardest.txt", [1, 2, 3]),
    ("top95.txt", [1]),
    ("17clue.txt", [1]),
    ("serg_multisolution.txt", [1, 2]),
    ("forum_hardest_1106.txt", [1]),
]

# Puzzles of inputs that once broke a rule, as found; each is also written
# relabelled (digits permuted, rows and columns swapped within a band,
# transposed), so that the rule is held on the same shape met in another order.
FINDINGS = [
    # The row boxes of a 20-minute campaign: 9 three times in row 4 and seven
    # more clashes; the step family filled every cell and called it solved.
    ("filled_over_clash", "302401809001000300000000000040799910780502036000090000200609003900000008800070005"),
]

BUTTONS = {"Command3": 0, "Command7": 1, "Command1": 2, "Command5": 3, "Command4": 4}
NO_SECOND = 5


def puzzles(corpus):
    out = []
    for name, lines in PICKS:
        rows = (corpus / name).read_text().split("\n")
        for n in lines:
            out.append((f"{pathlib.Path(name).stem}_{n}", rows[n - 1]))
    return out


def rows_of(p):
    return [p[9 * r : 9 * r + 9] for r in range(9)]


def csv_of(p, label="seed", crlf=False):
    nl = "\r\n" if crlf else "\n"
    return "".join(f'{row},{r + 1},"{label}",0,0{nl}' for r, row in enumerate(rows_of(p)))


def full_width(text):
    return "".join(chr(0xFF10 + int(ch)) if ch.isdigit() else ch for ch in text)


def press_input(first, file_choice=0, second=None, cells=None, rows=None, extras=None, files=(), answers=None,
                compare=False):
    """Bytes in the layout of fuzz/press_input.h."""
    # Letters whose value modulo the number of choices is the choice, so that
    # the header holds neither NUL nor LF: 'P' % 5 == 0, 'H' % 6 == 0, 'P' % 8 == 0.
    second = NO_SECOND if second is None else BUTTONS[second]
    header = bytes([ord("P") + BUTTONS[first], ord("P") + file_choice, ord("H") + second, ord("P") + int(compare)])
    lines = [header]
    texts = list(cells or [" "] * 81) + list(rows or ["  "] * 9) + list(extras or ["追加 1", "追加 2", " ", " "])
    lines += [t.encode() for t in texts]
    data = b"\n".join(lines)
    files = list(files) + [""] * (3 - len(files))
    data += b"".join(b"\0" + f.encode() for f in files)
    if answers is not None:
        data += b"\0" + "\n".join(answers).encode()
    return data


def relabelled(p):
    """The puzzle as found and four relabellings of it, by name."""
    grid = rows_of(p)
    digits = str.maketrans("123456789", "473918256")
    swap_rows = [grid[r] for r in (0, 1, 2, 5, 4, 3, 6, 7, 8)]
    swap_columns = ["".join(row[c] for c in (2, 1, 0, 3, 4, 5, 6, 7, 8)) for row in grid]
    transposed = ["".join(row[c] for row in grid) for c in range(9)]
    return [("as_found", p), ("digits", p.translate(digits)), ("rows", "".join(swap_rows)),
            ("columns", "".join(swap_columns)), ("transposed", "".join(transposed))]


def cells_of(p, full=False):
    out = []
    for ch in p:
        text = " " if ch in "0." else ch
        out.append(full_width(text) if full else text)
    return out


def write(directory, name, data):
    directory.mkdir(parents=True, exist_ok=True)
    (directory / name).write_bytes(data if isinstance(data, bytes) else data.encode())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--corpus", default=str(REPO / "tests" / "data"))
    args = parser.parse_args()
    corpus = pathlib.Path(args.corpus)
    out = HERE / "corpus"
    for target in ("datafile", "number", "press", "collection", "lines"):
        shutil.rmtree(out / target, ignore_errors=True)
    picked = puzzles(corpus)
    examples = sorted((REPO / "examples").glob("*.csv"))

    # fuzz_datafile: the examples as they are, puzzles in the file format,
    # and the shapes the reader accepts or refuses.
    d = out / "datafile"
    for e in examples:
        write(d, e.name, e.read_bytes())
    for name, p in picked[:8]:
        write(d, name + ".csv", csv_of(p, name))
    p = picked[0][1]
    write(d, "crlf.csv", csv_of(p, crlf=True))
    write(d, "bom.csv", "\ufeff" + csv_of(p))
    write(d, "one_line.csv", ",".join(f"{row},{r},\"x\",0,0" for r, row in enumerate(rows_of(p))))
    write(d, "blanks_quotes.csv", "".join(f'  {int(row)} , "a,b" ,"",  0 ,\t0\n\n' for row in rows_of(p)))
    write(d, "short.csv", "".join(csv_of(p).splitlines(True)[:5]))
    write(d, "not_a_number.csv", csv_of(p).replace(rows_of(p)[3], '"row"', 1))
    write(d, "unclosed_quote.csv", csv_of(p)[:-20] + '"open\n')

    # fuzz_number: what users type into the boxes.
    n = out / "number"
    for i, text in enumerate([
        "530070000", "530 070 000", "\u3000５３０\u3000０７０", "-12.5", "+7", "追加 1", "537", "1e5",
        "", " ", "99999999999999999999999999", "0.000000000000000000000000000001", "12abc", ".5", "1.2.3",
        "\t9\r\n", "１２", "٣", "-0", "9" * 400,
    ]):
        write(n, f"text_{i:02d}", text)

    # fuzz_press: each source (grid, row boxes, each file), every button,
    # extra givens, full-width typing, cancelled and "2" prompt answers.
    pr = out / "press"
    files = [csv_of(picked[2][1]), csv_of(picked[6][1], crlf=True), "\ufeff" + csv_of(picked[9][1])]
    for i, (name, p) in enumerate(picked):
        first = list(BUTTONS)[i % 4]
        write(pr, f"grid_{name}", press_input(first, cells=cells_of(p), files=files, answers=["2"], compare=i % 4 == 1))
    for i, (name, p) in enumerate(picked[:6]):
        first = list(BUTTONS)[(i + 1) % 4]
        write(pr, f"rows_{name}", press_input(first, rows=rows_of(p), files=files, answers=["1", "", "2"]))
    for f in range(5):
        for b, button in enumerate(list(BUTTONS)[:4]):
            if (f + b) % 2 == 0 or f >= 3:
                write(pr, f"file{f}_{button}",
                      press_input(button, file_choice=f, files=files, answers=["1", "\x7f", "2"], compare=f >= 3))
    p = picked[5][1]
    write(pr, "answer_twice", press_input("Command3", second="Command3", cells=cells_of(p), files=files, compare=True))
    write(pr, "answer_then_clear", press_input("Command3", second="Command4", cells=cells_of(p), files=files))
    write(pr, "full_width", press_input("Command3", cells=cells_of(picked[0][1], full=True), files=files))
    write(pr, "extra_givens", press_input("Command3", cells=cells_of(picked[7][1]), files=files,
                                          extras=["537", "　６１２", "3", "530070000"]))
    write(pr, "extra_out_of_range", press_input("Command5", cells=cells_of(p), files=files, extras=["1000", "-5", "", ""]))
    write(pr, "spilling_cell", press_input("Command3", cells=["12"] + cells_of(p)[1:], files=files))
    for name, found in FINDINGS:
        for variant, q in relabelled(found):
            for button in list(BUTTONS)[:4]:
                write(pr, f"finding_{name}_{variant}_{button}",
                      press_input(button, rows=rows_of(q), files=files, answers=["2"]))
    write(pr, "step_cancelled", press_input("Command7", cells=cells_of(picked[1][1]), files=files,
                                            answers=["", "", "", "\"quoted\\ \x01 answer"], compare=True))

    # fuzz_collection: collections one puzzle a line, laid out in nine lines,
    # with comments, ratings, white space of every kind, CRLF and a byte order
    # mark; a data file, a broken one, and neither.
    c = out / "collection"
    lines = [p for _, p in picked]
    write(c, "one_a_line.txt", "\n".join(lines) + "\n")
    write(c, "zeros_and_ratings.txt", "".join(f"{p.replace('.', '0')}  {i}.5 rated\n" for i, p in enumerate(lines[:4])))
    write(c, "comments.txt", "# from the collections\n" + lines[0] + "\n \t# " + lines[1] + "\n\n" + lines[2])
    write(c, "crlf.txt", "\r\n".join(lines[:3]) + "\r\n")
    write(c, "bom.txt", "\ufeff" + "\n".join(lines[:2]))
    write(c, "laid_out.txt", laid_out(lines[3], "------+-------+------"))
    write(c, "laid_out_blanks.txt", laid_out(lines[4], "\u3000\t") + "# after\n" + laid_out(lines[5], "# between"))
    write(c, "cells_80_82.txt", lines[0][:80] + "\n" + lines[1] + "1\n" + lines[2][:40] + "x" + lines[2][41:] + "\n")
    write(c, examples[0].name, examples[0].read_bytes())
    write(c, "broken_data_file.csv", "".join(csv_of(lines[0]).splitlines(True)[:5]))
    write(c, "neither.txt", "hello, world\n")
    zeros = [p.replace(".", "0") for p in lines]
    write(c, "progress.numplace", f"numplace-progress 1\ngivens {zeros[0]}\nentries {'0' * 81}\n")
    write(c, "progress_short.numplace", f"numplace-progress 1\r\ngivens {zeros[1]}\r\nentries 123\r\n")

    # fuzz_lines: the header of fuzz_lines.cpp, then batch input; bounds at
    # the lines' lengths, a read error, the text repeated, a pipe.
    ln = out / "lines"
    batch = "# a comment\n" + "\n".join(lines[:3]) + "\r\n\n \t\nnot a puzzle\n" + lines[3]

    def lines_input(flags, longest, block=16, seed=7, error_at=0, times=0):
        return bytes([flags, longest & 0xFF, longest >> 8, block - 1, seed, error_at & 0xFF, error_at >> 8, times])

    write(ln, "batch_81", lines_input(0, 81) + batch.encode())
    write(ln, "batch_82_pipe", lines_input(1, 82, block=64) + batch.encode())
    write(ln, "batch_error", lines_input(2, 81, error_at=200) + batch.encode())
    write(ln, "batch_repeated", lines_input(4, 200, times=40) + batch.encode())
    write(ln, "at_the_bound", lines_input(8, 4096) + ("x" * 4096 + "\n" + "y" * 4097 + "\n" + lines[0]).encode())
    write(ln, "no_line_break", lines_input(0, 10, block=1) + b"abcdefghijklmnop")
    write(ln, "breaks_only", lines_input(4, 0, block=3, times=9) + b"\n\n\r\n")


def laid_out(p, between):
    out = ""
    for r in range(9):
        if r in (3, 6):
            out += between + "\n"
        out += " ".join(p[9 * r : 9 * r + 9]) + "\n"
    return out


if __name__ == "__main__":
    main()
