#!/usr/bin/env python3
"""Writes the trace-digest cases: tests/digests/cases.tsv and the data files
they name (tests/data/csv/).

Each case is one numplace-cli command line, run in tests/data. Its standard
output (the trace with --trace, the summary without it, the control texts with
--dump, the lines of --batch) is hashed; tests/digests/digests.txt keeps the
hashes that the build must reproduce, tests/digests/expected/ the outputs
themselves (xz), to show where a differing case differs. The cases are chosen
by line number from the collections in tests/data, so running this again
writes the same files.

    tests/digests/make_cases.py            # rewrite cases.tsv and tests/data/csv/
    tests/digests/run_cases.sh CLI --write # record the digests and outputs of a build

A line of cases.tsv is NAME, then the arguments, separated by tabs; the token
<empty> stands for an empty argument.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
CSV = os.path.join(DATA, "csv")

RUNS = ["Command3", "Command7", "Command1", "Command5"]
SHORT = {"Command3": "answer", "Command7": "step", "Command1": "ref1", "Command5": "ref2"}

# Prompt answers played before a step-family run: nothing (every prompt takes
# its default "1か２"), 2 at once, a few answers that are not 2 then 2, cancels,
# the full-width 2.
STEP_SCRIPTS = [
    [],
    ["2"],
    ["1", "1", "<empty>", "x", "2"],
    ["<empty>", "<empty>", "<empty>", "2"],
    ["２"],
    ["1か２", "3", " 2 "],
]
# Reference 2 pauses at most six times.
REF2_SCRIPTS = [
    [],
    ["2"],
    ["<empty>", "2"],
    ["x", "y", "z", "1"],
]

# (collection, how many, step between the chosen lines)
COLLECTIONS = [
    ("se_easy", 24, 20),
    ("se_medium", 24, 20),
    ("se_hard", 24, 20),
    ("se_diabolical", 24, 20),
    ("top95", 12, 8),
    ("top1465", 12, 120),
    ("17clue", 24, 200),
    ("hardest", 4, 3),
    ("forum_hardest_1106", 8, 45),
    ("serg_multisolution", 8, 25),
    ("kaggle3m_expert", 12, 80),
    ("subig20", 12, 1400),
]


def lines_of(name):
    with open(os.path.join(DATA, name + ".txt")) as f:
        return [l.strip() for l in f if l.strip()]


def write_csv(name, rows, tail=",0,0,0,0"):
    os.makedirs(CSV, exist_ok=True)
    path = os.path.join(CSV, name)
    with open(path, "w", newline="") as f:
        for r in rows:
            f.write(r + tail + "\n")
    return "csv/" + name


def rows_of(puzzle):
    return [puzzle[9 * r:9 * r + 9] for r in range(9)]


def source_args(puzzle, kind, label):
    """Arguments that put the puzzle into one of the three sources."""
    if kind == 0:
        return ["--grid", puzzle]
    if kind == 1:
        # Row boxes as typed: leading zeros dropped, some with blanks between groups.
        rows = []
        for i, r in enumerate(rows_of(puzzle)):
            v = str(int(r)) if int(r) else "0"
            if i % 3 == 1 and len(r) == 9:
                v = r[0:3] + " " + r[3:6] + " " + r[6:9]
            rows.append(v)
        # The grid must hold three or more empty rows to be passed over: it is empty here.
        return ["--rows", ",".join(rows)]
    return ["--file", write_csv(label + ".csv", rows_of(puzzle))]


def corpus_cases():
    cases = []
    n = 0
    for name, count, step in COLLECTIONS:
        puzzles = lines_of(name)
        for k in range(count):
            index = k * step
            if index >= len(puzzles):
                break
            puzzle = puzzles[index]
            label = "%s_%d" % (name, index + 1)
            for run in RUNS:
                # Row boxes are rotated less often: the grid wins whenever it has at
                # most two empty rows, so a run from the rows needs an empty grid.
                kind = (n + RUNS.index(run)) % 3
                args = source_args(puzzle, kind, label + "_" + SHORT[run])
                if run in ("Command7", "Command1"):
                    args += sum((["--answer", a] for a in STEP_SCRIPTS[n % len(STEP_SCRIPTS)]), [])
                elif run == "Command5":
                    args += sum((["--answer", a] for a in REF2_SCRIPTS[n % len(REF2_SCRIPTS)]), [])
                cases.append(("%s_%s" % (label, SHORT[run]), ["--trace"] + args + ["--click", run, "--dump"]))
            n += 1
    return cases


EASY = "050703060007000800000816000000030000005000100730040086906000204840572093000409000"
TRIAL = "600050007030000000080409200015300000008000300000007590009501030000000080200070004"
STEPPY = "000000000003702800060354090089000160070645030000000000040000070200506004000010000"
PAUSE = "200040003600239008000000000029000530850000016006102900070805060900703001000010000"
COMPLETE = "534678912672195348198342567859761423426853791713924856961537284287419635345286179"
NO_COMPLETION = "123456780400000000700000000200000000000000009300000000500000000600000000800000000"
NINE_CANDIDATES = "000000000000000001000002030001004000005000006006007820040000070080050000090010000"


def with_digit(puzzle, r, c, d):
    i = 9 * (r - 1) + (c - 1)
    return puzzle[:i] + str(d) + puzzle[i + 1:]


def edge_cases():
    cases = []

    def add(name, args, runs=RUNS, trace=True):
        for run in runs:
            extra = []
            if run in ("Command7", "Command1"):
                extra = ["--answer", "2"]
            cases.append((name + "_" + SHORT[run],
                          (["--trace"] if trace else []) + args + extra + ["--click", run, "--dump"]))

    # Bad input: a missing file, malformed files, boxes the board cannot take.
    add("missing_file", ["--file", "nosuch.csv"])
    add("directory_as_file", ["--file", "csv"])
    short = write_csv("short.csv", rows_of(EASY)[:5])
    add("short_file", ["--file", short])
    text_field = write_csv("text_field.csv", rows_of(EASY)[:2] + ["abc"] + rows_of(EASY)[3:])
    add("non_numeric_field", ["--file", text_field])
    four = write_csv("four_fields.csv", rows_of(EASY), tail=',1,"easy",0')
    add("four_fields", ["--file", four])
    quoted = write_csv("quoted.csv", ['"%s"' % r for r in rows_of(EASY)], tail=', 1 , "a,b" ,0 ,0')
    add("quoted_fields", ["--file", quoted])
    with open(os.path.join(CSV, "bom_crlf.csv"), "w", newline="") as f:
        f.write("\ufeff" + "".join(r + ",0,0,0,0\r\n" for r in rows_of(TRIAL)))
    add("bom_crlf", ["--file", "csv/bom_crlf.csv"])
    with open(os.path.join(CSV, "one_line.csv"), "w", newline="") as f:
        f.write(",".join(r + ",0,0,0,0" for r in rows_of(EASY)) + "\n")
    add("one_line", ["--file", "csv/one_line.csv"])
    with open(os.path.join(CSV, "blank_lines.csv"), "w", newline="") as f:
        f.write("\n\n" + "".join(r + ",0,0,0,0,\n\n" for r in rows_of(EASY)) + "trailing,junk\n")
    add("blank_lines", ["--file", "csv/blank_lines.csv"])
    with open(os.path.join(CSV, "empty.csv"), "w", newline="") as f:
        pass
    add("empty_file", ["--file", "csv/empty.csv"])
    add("default_file", [])
    add("default_file_medium", ["--file", "medium.csv"])
    add("trial_file", ["--file", "trial.csv"])
    for text in ["1000", "-5", "12.7", "５３７", "999", "0", "100", "105", "abc", "1e3", "  53 7"]:
        add("text1_" + text.encode("unicode_escape").decode().replace("\\", "u").replace(" ", "_")
            .replace(".", "p").replace("-", "m"), ["--grid", EASY, "--set", "Text1=" + text])
    add("text2_conflict", ["--grid", EASY, "--set", "Text1=537", "--set", "Text2=532"])
    add("text2_range", ["--grid", EASY, "--set", "Text2=99999"])
    add("trial_given", ["--grid", TRIAL, "--set", "Text1=537"])
    add("cell_12", ["--grid", EASY, "--set", "Text15(11)=12"])
    add("cell_fraction", ["--grid", EASY, "--set", "Text15(12)=1.5"])
    add("cell_full_width", ["--grid", EASY, "--set", "Text15(11)=１"])
    add("cell_huge", ["--grid", EASY, "--set", "Text15(23)=12345678901234567890"])
    add("cell_negative", ["--grid", EASY, "--set", "Text15(11)=-3"])
    add("cell_text", ["--grid", EASY, "--set", "Text15(11)=x"])
    add("rows_long", ["--rows", "1530070000,600195000,98000060,800060003,400803001,700020006,60000280,419005,80079"])
    add("rows_text", ["--rows", "abc,600195000,98000060,800060003,400803001,700020006,60000280,419005,80079"])
    add("rows_fraction", ["--rows", "53007000.5,600195000,98000060,800060003,400803001,700020006,60000280,419005,80079"])
    add("rows_full_width", ["--rows", "５３００７００００,600195000,98000060,800060003,400803001,700020006,60000280,419005,80079"])
    add("rows_three_empty", ["--rows", "0,0,0,800060003,400803001,700020006,60000280,419005,80079"])
    add("grid_two_empty_rows", ["--grid", "0" * 18 + EASY[18:]])
    add("grid_three_empty_rows", ["--grid", "0" * 27 + EASY[27:], "--file", "trial.csv"])
    # Puzzles the runs end on in particular ways.
    add("complete", ["--grid", COMPLETE])
    add("no_completion", ["--grid", NO_COMPLETION])
    add("nine_candidates", ["--grid", NINE_CANDIDATES])
    add("duplicate_row", ["--grid", with_digit(EASY, 4, 8, 3)])
    add("duplicate_column", ["--grid", with_digit(EASY, 1, 1, 7)])
    add("duplicate_block", ["--grid", with_digit(EASY, 2, 2, 5)])
    add("triple_in_row", ["--grid", "111" + "0" * 6 + EASY[9:]])
    add("step_puzzle", ["--grid", STEPPY])
    add("pause_puzzle", ["--grid", PAUSE])
    add("trial_puzzle", ["--grid", TRIAL])
    # The step family with answers that keep prompting.
    for i, script in enumerate(STEP_SCRIPTS):
        for run in ("Command7", "Command1"):
            cases.append(("step_script%d_%s" % (i, SHORT[run]),
                          ["--trace", "--grid", STEPPY] + sum((["--answer", a] for a in script), [])
                          + ["--click", run, "--dump"]))
    for i, script in enumerate(REF2_SCRIPTS):
        cases.append(("ref2_script%d" % i, ["--trace", "--grid", PAUSE]
                      + sum((["--answer", a] for a in script), []) + ["--click", "Command5", "--dump"]))
    # Two runs in one session: the answer run's trial code feeds the next run.
    cases.append(("answer_then_step", ["--trace", "--grid", TRIAL, "--click", "Command3", "--answer", "2",
                                       "--click", "Command7", "--dump"]))
    cases.append(("answer_then_ref2", ["--trace", "--grid", TRIAL, "--click", "Command3", "--click", "Command5",
                                       "--dump"]))
    cases.append(("step_then_answer", ["--trace", "--grid", STEPPY, "--answer", "2", "--click", "Command7",
                                       "--click", "Command3", "--dump"]))
    cases.append(("all_four", ["--trace", "--grid", EASY, "--click", "Command3", "--answer", "2", "--click",
                               "Command7", "--answer", "2", "--click", "Command1", "--click", "Command5", "--dump"]))
    # Entry handlers.
    cases.append(("press_cycle", ["--trace"] + sum((["--press", "Text15(11):200"] for _ in range(11)), [])
                  + ["--press", "Text15(11):100", "--press", "Text15(12):100", "--press", "Text15(13):175",
                     "--press", "Text15(12):376", "--dump"]))
    cases.append(("press_register", ["--trace", "--set", "Text16=25", "--set", "Text17=35",
                                      "--press", "Text15(35):300", "--press", "Text15(35):0", "--dump"]))
    cases.append(("press_after_clear", ["--trace", "--grid", EASY, "--press", "Text15(99):300", "--press",
                                        "Text15(99):300", "--click", "Command4", "--press", "Text15(99):300",
                                        "--dump"]))
    keys = []
    for r in rows_of(EASY):
        keys += ["--set", "Text7=" + r, "--key", "Text7:53", "--key", "Text7:13"]
    cases.append(("quick_input_rows", ["--trace"] + keys + ["--key", "Text7:13", "--click", "Command3", "--dump"]))
    cases.append(("quick_input_counter", ["--trace", "--set", "Text6=2.7", "--set", "Text7=123", "--key",
                                          "Text7:13", "--set", "Text6=9", "--key", "Text7:13", "--set",
                                          "Text6=-4", "--key", "Text7:13", "--key", "Text7:65", "--dump"]))
    cases.append(("clear_then_file", ["--trace", "--grid", EASY, "--rows", "1,2,3", "--click", "Command4",
                                      "--file", "trial.csv", "--click", "Command3", "--dump"]))
    # The summary (no trace) of every run on puzzles that end each way.
    for name, puzzle in [("easy", EASY), ("trial", TRIAL), ("steppy", STEPPY), ("pause", PAUSE),
                         ("complete", COMPLETE), ("nocompletion", NO_COMPLETION),
                         ("nine", NINE_CANDIDATES), ("duplicate", with_digit(EASY, 4, 8, 3)),
                         ("hard", lines_of("top95")[13]), ("forum", lines_of("forum_hardest_1106")[0])]:
        add("summary_" + name, ["--grid", puzzle], trace=False)
    add("summary_missing", ["--file", "nosuch.csv"], trace=False)
    add("summary_text1", ["--grid", EASY, "--set", "Text1=1000"], trace=False)
    for i in range(0, 95, 10):
        cases.append(("summary_top95_%d" % (i + 1), ["--grid", lines_of("top95")[i], "--click", "Command3"]))
    # Batch solving.
    cases.append(("batch_se_easy", ["--batch", "se_easy.txt"]))
    cases.append(("batch_17clue", ["--batch", "17clue.txt"]))
    cases.append(("batch_top1465", ["--batch", "top1465.txt"]))
    cases.append(("batch_se_hard_stats", ["--batch", "se_hard.txt", "--stats"]))
    cases.append(("batch_top95_stats", ["--batch", "top95.txt", "--stats"]))
    with open(os.path.join(CSV, "batch_mixed.txt"), "w", newline="") as f:
        f.write("# a comment\n\n" + EASY.replace("0", ".") + "\n12345\n" + TRIAL + "\r\n"
                + with_digit(EASY, 4, 8, 3) + "\n" + COMPLETE + "\n" + NO_COMPLETION + "\n" + "x" * 81 + "\n"
                + NINE_CANDIDATES + "\n")
    cases.append(("batch_mixed", ["--batch", "csv/batch_mixed.txt"]))
    cases.append(("batch_mixed_stats", ["--batch", "csv/batch_mixed.txt", "--stats"]))
    return cases


def main():
    cases = corpus_cases() + edge_cases()
    names = [c[0] for c in cases]
    assert len(names) == len(set(names)), "case names must be unique"
    with open(os.path.join(HERE, "cases.tsv"), "w") as f:
        f.write("# Generated by make_cases.py: NAME, then the numplace-cli arguments, tab-separated.\n")
        for name, args in cases:
            assert all("\t" not in a and "\n" not in a for a in args)
            f.write("\t".join([name] + args) + "\n")
    print("%d cases" % len(cases))


if __name__ == "__main__":
    main()
