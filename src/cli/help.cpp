// numplace-cli --help: the options, the JSON fields and the exit statuses.
#include "cli/options.h"

namespace numplace {

const char *const kHelp = R"help(Usage: numplace-cli [OPTIONS] ACTIONS...
       numplace-cli --batch FILE|- [--stats | --json] [--check | --check-only] [--jobs N]
       numplace-cli --batch FILE|- --pdf OUT.pdf [--per-page 1|2|4|6] [--solutions]
       numplace-cli --generate N [--level L] [--symmetry S] [--seed S] [--givens MIN-MAX]
                    [--score MIN-MAX] [--not-minimal] [--jobs N] [--json]

Plays ACTIONS on a fresh window, in the order given, and tells what the
window shows afterwards: the last board drawn (nine lines, '.' for an empty
cell), the messages printed on the surface, the step log, and the texts of
Text1 and Text14.

Actions:
  --set CONTROL=TEXT   type TEXT into a control (Text1, Text3, Text15(35), Text5(3))
  --grid PUZZLE        type 81 characters into the grid; 1-9 typed, 0 or . left as is
  --puzzle LINE        the same, blanks and line breaks in LINE ignored
  --rows R1,...,R9     type numbers into the row boxes Text5(1..9)
  --file PATH          type PATH into Text3 (the data file name)
  --click BUTTON       Command3 答, Command7 1 STEP, Command1 参考1, Command5 参考2,
                       Command4 消去
  --press CELL:X       mouse press on a cell box X twips from its left edge,
                       e.g. Text15(11):200
  --key CONTROL:CODE   key press with a key code in a text box, e.g. Text7:13
  --answer TEXT        answer for the next modal prompt ("" cancels it); a prompt
                       with no queued answer gets its default answer
  --save PATH          write the puzzle the next run would read (extra givens
                       laid) to PATH as a data file; written beside PATH and
                       renamed over it, so a failed save keeps the old file
  --open FILE          load a new puzzle as the window's File > Open does: a
                       data file's puzzle into the grid (its name into Text3),
                       or a collection's first puzzle; the row boxes emptied,
                       Text1 and Text2 back to their start-up texts, the
                       picture cleared
  --next, --previous   the next or previous puzzle of the open collection, the
                       same way
  --paste LINE         an 81-character puzzle line as a new puzzle, the same way
  --entries ENTRIES    the grid as it stands becomes the puzzle's givens, then
                       ENTRIES (81 characters, 1-9 typed, 0 or . none) are typed
                       as the user's own entries
  --hint [1|2|3]       a hint for the user's position (givens and entries): a
                       wrong entry first; else 1 the unit to look at and the
                       technique, 2 and the digit, 3 the placement, which is
                       written into its cell as an entry (default 1)
  --save-progress PATH write the givens and the user's entries, kept apart, to
                       PATH (--open reads it back)

Output:
  --check-entries      check the user's entries at this point of the actions
                       against the one solution of the givens: printed after
                       them as lines "entries wrong|empty|complete ..."
  --check              check the puzzle an analysis run would read at this point
                       of the actions (same sources, extra givens laid): printed
                       after them as lines "check source|solutions|clash|differ|
                       grade|solution ..."; the solutions are counted exactly,
                       to two
  --trace              write every drawing call, control change and prompt, one
                       per line, as they happen
  --json               instead of the summary, the last analysis run as one JSON
                       object on one line (see JSON below)
  --explain            instead of the summary, the last analysis run's path: one
                       numbered line per placement (cell, digit, technique and
                       the unit it looked at), then how the run ended
  --dump               at the end, one line "control NAME TEXT" per control
                       (not with --json)
  --batch FILE         solve every puzzle of FILE (- for standard input; one
                       81-character line each; 0 or . empty; blank lines and
                       lines starting with # skipped) with the answer run, one
                       line per puzzle in input order (lines longer than 4096
                       bytes skipped; FILE a regular file, not a pipe):
                       BOARD solved|unfinished|error TRIAL
  --stats              with --batch: add the passes and the placements per
                       technique to each line, and a profile of the file at the
                       end (lines starting with #)
  --json               with --batch: one JSON object per puzzle line instead
                       (JSON Lines)
  --jobs N             with --batch: solve on N threads (default: one per core);
                       the output is the same for every N
  --check              with --batch: add the exact check and the grade to every
                       line: solutions=0|1|2 [clashes=r1c1-r1c5:5:row,...]
                       [differ=r1c2,...] grade=LEVEL:NAME:SCORE|-
  --check-only         with --batch: only the exact check, no run: one line
                       PUZZLE solutions=N [clashes=...] [differ=...] [solution=...]
  --pdf FILE           after the actions, write the puzzle an analysis run would
                       read to FILE as a PDF page (A4): large, with its source and
                       grade under it, then the last analysis run's path if there
                       was one
  --png FILE           after the actions, write that puzzle's board as a square
                       PNG picture
  --svg FILE           the same as an SVG picture (lines as lines, digits as text)
  --size PX            with --png or --svg: the picture's side, 64 to 4096 pixels
                       (default 600)
  --pdf FILE           with --batch: every puzzle of the batch file, numbered,
                       each with its line number and grade (no run is made)
  --per-page N         with --batch --pdf: 1, 2, 4 (default) or 6 puzzles a page
  --solutions          with --pdf: the exact check's solutions on pages of their
                       own at the end, numbered to match; with --png or --svg:
                       the board with its solution
  --generate N         write N new puzzles, each different, one 81-character line
                       each (0 empty; --batch reads them as they are); minimal:
                       no given can be taken away without a second solution
  --level L            with --generate: of grade level L, a number or its name:
                       1 easy (naked singles, hidden singles in blocks), 2 medium
                       (hidden singles in rows or columns), 3 hard (naked
                       pairs), 4 expert (naked triples), 5 fiendish (block
                       pairs), 6 trial (one trial placement), 7 beyond (none of
                       them); default: any level
  --symmetry S         with --generate: none (default), rot180, rot90, mirror
                       (left-right), flip (up-down), diagonal, antidiagonal
  --seed S             with --generate: 0 to 9007199254740991; the same seed and
                       options give the same puzzles; default: from the clock,
                       told on the standard error
  --givens MIN-MAX     with --generate: the number of givens, within 17-81
  --score MIN-MAX      with --generate: the grade's score
  --not-minimal        with --generate: givens are taken away only down to MIN,
                       and with --level only while the puzzle is no harder
  --jobs N             with --generate: make them on N threads (default: one per
                       core); the output is the same for every N
  --json               with --generate: one JSON object per puzzle instead:
                       "puzzle", "solution", "grade", "givens", "symmetry" and
                       "seed" (--generate 1 --seed SEED with the same options
                       makes that puzzle again)
  --help, --version

JSON: one object with the fields "button" (Command3, Command7, Command1 or
Command5), "board" (81 characters, . for an empty cell: the board the run
ended on, or the board as laid when it drew none), "end" (solved, stopped,
error, inconsistent or bad-input; solved only for a full, valid grid that
extends the givens, a full board that is not one is inconsistent),
"message" (why the input was bad, else null), "trial" (the trial code
written to Text1, or null), "passes",
"numbering" ("pass": the answer run counts steps within its pass; "run") and
"placements": the path to the board, in order, each {"step", "row",
"column", "digit" (1 to 9), "word" (the technique word as the run reports
it), "technique" (its English name), "pass"}. The answer run's path is its
last pass; a run that drew no board has none. A batch line begins with
"line" (its line number in the input) and has "status" (as in the text
line) after "board". With --check (and always for one run) the object ends
with "source" {"kind": grid, rows or file, "file", "grid_passed_over"},
"check" {"solutions" (0, 1, or 2 for two or more), "solution" (81 digits
or null), "clashes" [{"cells": [[R, C], [R, C]], "digit", "unit": row,
column or block}], "differ" [[R, C], ...]} (null for bad input) and
"grade" {"level", "name", "english", "score"} or null, then
"extra_givens" [{"box": Text1|Text2, "text", "row", "column", "digit",
"effect": laid|overridden|clash|out_of_range, "written_by_answer"}] and
"cell_warnings" [{"box": "Text15(19)"|"Text5(3)", "text", "why":
several_digits|negative|too_long}]; "source" also has "collection"
{"file", "index", "count"} while the grid holds a puzzle of a collection
opened with --open (else null). --check without a run gives only these;
--check-only lines have "line", "puzzle", "source" and "check". The text
output of --check adds "check collection FILE INDEX COUNT", "check extra BOX
TEXT rRcC DIGIT EFFECT [answer]" and "check warning BOX TEXT WHY" lines.
With --check-entries the object has "entries" {"wrong": [[R, C], ...] (null
when the entries cannot be judged), "empty", "complete", "judged",
"solutions"}; with --hint, "hint" {"level", "kind": wrong_entry|placement|
solution_cell|none, "cells": [[R, C], ...], "unit": {"kind": row|column|block,
"index"} or null, "word", "technique", "digit" (null at level 1), "reason",
"text"}; rows, columns and blocks count from 1. The text output gains the
lines "entries ..." and "hint ...".

Exit status: 0 when the actions ran; 1 when a run stopped on bad input (a
missing or malformed data file, an extra given out of range, a number the
board cannot take) or the batch input cannot be opened or read; 2 for bad
arguments, an unknown button, or --json or --explain without an analysis run
(--json goes with --check alone); 3 when a batch skipped lines that are not
puzzles (each named on the standard error; every puzzle line was still
solved), unless the input also could not be read to its end, which gives 1.
--check exits 0 whatever it finds, 1 when the puzzle cannot be read.
--pdf, --png and --svg exit 1 when the puzzle cannot be read or the file
cannot be written (a failed write leaves no file behind and an existing
file as it was).
--generate exits 0 when it has written the puzzles.
)help";

}  // namespace numplace
