#!/usr/bin/env python3
"""Writes the English of the window's new texts into numplace_en.ts after
lupdate has gathered the Japanese sources (cmake --build --preset default
--target update_translations, then this script, then rebuild)."""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

EN = {
    # the menus
    "ファイル(&F)": "&File",
    "開く(&O)...": "&Open...",
    "前の問題(&P)": "&Previous puzzle",
    "次の問題(&N)": "&Next puzzle",
    "名前を付けて保存(&A)...": "Save &As...",
    "最近使ったファイル(&R)": "&Recent files",
    "終了(&X)": "&Quit",
    "編集(&E)": "&Edit",
    "元に戻す(&U)": "&Undo",
    "やり直し(&R)": "&Redo",
    "問題をコピー(&C)": "&Copy the puzzle",
    "答えをコピー(&A)": "Copy the &answer",
    "貼り付け(&P)": "&Paste",
    "表示(&V)": "&View",
    "解き方の説明(&E)": "&Explanation",
    "解を表示(&S)": "Show the &solution",
    "ヘルプ(&H)": "&Help",
    "使い方(&M)": "&Manual",
    "バージョン情報(&A)": "&About numplace",
    # the status bar, the panel, the undo steps
    "解を表示": "Show the solution",
    "解き方の説明": "How it was solved",
    "入力": "Typing",
    "マスのクリック": "Cell click",
    "行の入力": "Row input",
    "貼り付け": "Paste",
    "消去": "Clear",
    "データファイル名": "Data file name",
    "中止：ここで実行を終えました": "Stopped: the run ended here",
    "　": "  ",
    "%1 / %2　%3": "%1 / %2  %3",
    "開く": "Open",
    "問題 %1 / %2": "Puzzle %1 / %2",
    "保存できません：%1": "Cannot save: %1",
    "%1 に保存しました": "Saved to %1",
    "問題を読めません：%1": "Cannot read the puzzle: %1",
    "問題をコピーしました": "Puzzle copied",
    "答えをコピーしました": "Answer copied",
    "答えをコピーしました（確かめた解）": "Answer copied (the checked solution)",
    "コピーする答えがありません：解が1つの問題ではありません":
        "No answer to copy: the puzzle does not have exactly one solution",
    "クリップボードの内容は問題ではありません（81文字の1～9、空きマスは0か.）":
        "The clipboard holds no puzzle (81 characters 1-9, 0 or . for an empty cell)",
    "表示する解がありません：解が1つの問題ではありません":
        "No solution to show: the puzzle does not have exactly one solution",
    "問題のファイル (*.csv *.txt *.sdm);;すべてのファイル (*)": "Puzzle files (*.csv *.txt *.sdm);;All files (*)",
    "名前を付けて保存": "Save As",
    "データファイル (*.csv)": "Data files (*.csv)",
    "使い方": "Manual",
    "バージョン情報": "About numplace",
    "numplace %1\n\n数独（ナンバープレース）を解き、解き方を見せるプログラム。\n\n"
    "Qt %2（実行時 %3）\nライセンス：リポジトリの README を参照してください。":
        "numplace %1\n\nSolves number-place (sudoku) puzzles and shows how.\n\n"
        "Qt %2 (running on %3)\nLicence: see the repository's README.",
    # the status bar's words
    "%1行%2列": "r%1c%2",
    "行": "row",
    "列": "column",
    "ブロック": "block",
    "、": ", ",
    "読むのは：盤面": "Reads: the grid",
    "読むのは：行データ": "Reads: the row boxes",
    "読むのは：データファイル %1": "Reads: data file %1",
    "（盤面は空の行が3行以上あるので使いません）": " (the grid has three or more empty rows and is passed over)",
    "入力エラー：%1": "Input error: %1",
    "%1と%2の%3（同じ%4）": "%3 at %1 and %2 (same %4)",
    "解なし：同じ数字がぶつかっています：%1": "No solution: givens clash: %1",
    "解なし：この問題には解がありません": "No solution: this puzzle has none",
    "解は1つ：難しさ %1「%2」（%3点）": "One solution: grade %1 \u201c%2\u201d (score %3)",
    "解は1つ": "One solution",
    "解が複数あります：%1で分かれます（ヒントが足りません）":
        "Several solutions: they differ at %1 (a given is missing)",
    "この問題の解は1つですが、このプログラムの解き方と試し置きでは届きませんでした":
        "This puzzle has one solution, which this program's techniques and trial placements did not reach",
    # opening files
    "「%1」を開けません。": "Cannot open \u201c%1\u201d.",
    "「%1」は大きすぎます（64 MiB まで）。": "\u201c%1\u201d is too large (64 MiB at most).",
    "「%1」は通常のファイルではありません（パイプや装置は開きません）。":
        "\u201c%1\u201d is not a regular file (pipes and devices are not opened).",
    "「%1」を読めません。": "Cannot read \u201c%1\u201d.",
    "「%1」には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か.）の問題集を開いてください。":
        "\u201c%1\u201d holds no puzzle. Open a data file (nine lines of five fields) or a collection with one "
        "puzzle a line (81 characters: 1-9, 0 or . for an empty cell).",
    # the document
    "貼り付けた問題": "Pasted puzzle",
    "新しい問題": "New puzzle",
    "%1[*] — numplace": "%1[*] — numplace",
    "消去：盤面と行データを空にしました。追加 1・追加 2 と描かれた図はそのままです":
        "Cleared the grid and the row boxes; 追加 1, 追加 2 and the picture stay as they are",
    # what the next run lays beyond the grid
    "追加 1": "追加 1",
    "追加 2": "追加 2",
    "%1（%2）": "%1 (%2)",
    "%1：%2": "%1: %2",
    "%1（マスと数字の3桁ではないので置かれません）": "%1 (not a cell and a digit in three digits: lays nothing)",
    "%1に%2": "%1 = %2",
    "、追加 2 が優先": ", 追加 2 wins",
    "、問題の数字が優先": ", the puzzle's digit wins",
    "、同じ数字とぶつかります": ", clashes with the same digit",
    "、前の答が書いた試し置き": ", the trial the last 答 wrote",
    "行データ%1": "row box %1",
    "%1に「%2」：マスには数字を1つだけ": "%1 holds “%2”: one digit to a cell",
    "%1に「%2」：負の数は数字になりません": "%1 holds “%2”: a negative number is no digit",
    "%1に「%2」：行データは9桁まで（上の桁は読まれません）":
        "%1 holds “%2”: nine digits to a row (the higher ones are not read)",
    "この問題の解は1つですが、参考2の解き方（試し置きなし）では届きませんでした":
        "This puzzle has one solution, which the logic of 参考2 (no trial placements) did not reach",
    "この問題の解は1つですが、1 STEP の解き方では届きませんでした":
        "This puzzle has one solution, which the techniques of 1 STEP did not reach",
    # solving it yourself
    "%1行": "row %1",
    "%1列": "column %1",
    "ブロック%1": "block %1",
    "答え合わせできません：問題の数字どうしがぶつかっています": "The entries cannot be checked: the puzzle's givens clash",
    "答え合わせできません：この問題には解がありません": "The entries cannot be checked: the puzzle has no solution",
    "答え合わせできません：この問題には解が複数あります": "The entries cannot be checked: the puzzle has several solutions",
    "完成！ すべてのマスが正しく埋まっています": "Complete! Every cell holds the right digit",
    "%1の%2": "%2 at %1",
    "%1の%2は違います": "The %2 at %1 is wrong",
    "%1に%2（%3）": "%1 = %2 (%3)",
    "%1 の候補が1つだけのマスに %2 が入ります（%3）": "In %1, a %2 goes into the cell with only one candidate (%3)",
    "%1 に %2 が入ります（%3）": "A %2 goes into %1 (%3)",
    "%1 に候補が1つだけのマスがあります（%2）": "%1 has a cell with only one candidate (%2)",
    "%1 を見てください（%2）": "Look at %1 (%2)",
    "%1に%2（解から）": "%1 = %2 (from the solution)",
    "この手順の技では次の一手が見つかりません。%1は%2です": "The techniques of 1 STEP find no next placement here. %1 is %2",
    "完成しています。ヒントはもうありません": "The grid is complete: no hint is left",
    "解が2つ以上あるので、ヒントは出せません": "The puzzle has two or more solutions: no hint can be given",
    "解がないので、ヒントは出せません": "The puzzle has no solution: no hint can be given",
    "この盤面を問題にする(&G)": "Make this &grid the puzzle",
    "答え合わせ(&K)": "Chec&k my entries",
    "ヒント(&H)": "&Hint",
    "この盤面を問題にする": "Make this grid the puzzle",
    "今の盤面を問題にしました。これから入れる数字は自分の答えとして青で示します":
        "The grid is now the puzzle: the digits you enter from now on are your own, shown in blue",
    "ヒント": "Hint",
    "途中経過を保存(&G)...": "Save pro&gress...",
    "途中経過を %1 に保存しました": "Progress saved to %1",
    "途中経過を保存": "Save progress",
    "途中経過 (*.numplace);;すべてのファイル (*)": "Progress (*.numplace);;All files (*)",
    "問題のファイル (*.csv *.txt *.sdm *.numplace);;すべてのファイル (*)":
        "Puzzle files (*.csv *.txt *.sdm *.numplace);;All files (*)",
    "「%1」は途中経過のファイルですが、givens と entries の行（81文字ずつ）がそろっていません。":
        "\u201c%1\u201d starts as a progress file but lacks its givens and entries lines (81 characters each).",
    # new puzzles
    "1 初級（候補が1つのマス、ブロックの一か所）": "1 Easy (single candidates, one place in a block)",
    "2 中級（行・列の一か所）": "2 Medium (one place in a row or column)",
    "3 上級（ペア）": "3 Hard (naked pairs)",
    "4 難問（トリプル）": "4 Expert (naked triples)",
    "5 超難問（ブロックのペア）": "5 Fiendish (block pairs)",
    "6 仮置き（試し置き1つ）": "6 Trial (one trial placement)",
    "7 技の外（技では解けない）": "7 Beyond (none of the techniques)",
    "どれでも": "Any",
    "なし": "None",
    "点対称（180°回転）": "Half turn (180°)",
    "90°回転": "Quarter turn (90°)",
    "左右対称": "Left to right",
    "上下対称": "Top to bottom",
    "対角線（左上から右下）": "Diagonal (top left to bottom right)",
    "対角線（右上から左下）": "Diagonal (top right to bottom left)",
    "作る": "Make",
    "作って保存": "Make and save",
    "キャンセル": "Cancel",
    "問題集を作る": "Make a collection",
    "難しさ": "Level",
    "対称": "Symmetry",
    "問題の数": "Puzzles",
    "この組み合わせでは作れません：%1": "No puzzle can be made so: %1",
    "作っています…": "Making…",
    "作っています…（%1 / %2、試した盤面 %3）": "Making… (%1 / %2, %3 grids tried)",
    "キャンセルしました": "Cancelled",
    "新しい問題(&W)...": "Ne&w puzzle...",
    "問題集を作る(&M)...": "&Make a collection...",
    "新しい問題：%1、対称 %2、数字 %3 個（シード %4：numplace-cli --generate 1 --seed %4 で同じ問題）":
        "New puzzle: %1, symmetry %2, %3 givens (seed %4: numplace-cli --generate 1 --seed %4 makes it again)",
    "問題集を保存": "Save the collection",
    "問題集 (*.txt)": "Collections (*.txt)",
    # paper and pictures
    "No.": "No.",
    "解答": "Solutions",
    "解なし": "no solution",
    "解が二つ以上": "two or more solutions",
    "難しさ %1「%2」": "grade %1 \u201c%2\u201d",
    "%1\u3000%2番\u3000%3": "%1  no. %2  %3",
    "%1\u3000%2": "%1  %2",
    "この問題": "This puzzle",
    "問題集": "The collection",
    "自分で入れた数字も（薄く）": "With my own entries (lighter)",
    "解答のページを付ける": "Add the solutions on pages of their own",
    "解き方（最後の実行の手順）を付ける": "Add how it was solved (the last run's steps)",
    "から": "to",
    "まで": "(inclusive)",
    "1ページに": "A page holds",
    "画像として保存": "Save as a picture",
    "問題だけ": "The puzzle only",
    "自分で入れた数字も": "With my own entries",
    "解も": "With the solution",
    " ピクセル": " pixels",
    "描くもの": "Shows",
    "大きさ": "Size",
    "ファイル名が .svg で終わればSVG、それ以外はPNGで保存します": "A name ending in .svg saves an SVG, any other a PNG",
    "印刷(&P)...": "&Print...",
    "PDF に書き出す(&D)...": "Export as P&DF...",
    "画像として保存(&I)...": "Save as a p&icture...",
    "印刷": "Print",
    "numplace の問題": "numplace puzzle",
    "書き出せません：%1": "Cannot export: %1",
    "%1 に %2 ページ書き出しました": "%2 pages written to %1",
    "PDF に書き出す": "Export as PDF",
    "PDF (*.pdf)": "PDF (*.pdf)",
    "画像 (*.png *.svg)": "Pictures (*.png *.svg)",
    # the prompt
    "中止": "Stop",
    "この実行をここで終わります": "End this run here",
}
NUMERUS = {
    "ほか%n マス": [" and %n more cell", " and %n more cells"],
    "ここまで正しく入っています　空きマス %n": ["Right so far; %n empty cell left", "Right so far; %n empty cells left"],
    "違う数字：%1　空きマス %n": ["Wrong: %1; %n empty cell", "Wrong: %1; %n empty cells"],
    "この手順の技では次の一手が見つかりません。候補が一番少ないのは%1（%n つ）です": [
        "The techniques of 1 STEP find no next placement here. The fewest candidates are at %1 (%n)",
        "The techniques of 1 STEP find no next placement here. The fewest candidates are at %1 (%n)"],
}


def main(path):
    tree = ET.parse(path)
    missing = []
    for message in tree.getroot().iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        if source in NUMERUS:
            translation.attrib.pop("type", None)
            for form in list(translation):
                translation.remove(form)
            translation.text = None
            for text in NUMERUS[source]:
                ET.SubElement(translation, "numerusform").text = text
        elif source in EN:
            translation.text = EN[source]
            translation.attrib.pop("type", None)
        else:
            missing.append(source)
    body = ET.tostring(tree.getroot(), encoding="unicode")
    Path(path).write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n", encoding="utf-8")
    for source in missing:
        print("no English for:", repr(source), file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else str(Path(__file__).with_name("numplace_en.ts"))))
