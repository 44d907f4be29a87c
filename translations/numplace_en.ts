<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>exports</name>
    <message>
        <source>No.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>解答</source>
        <translation>Solutions</translation>
    </message>
</context>
<context>
    <name>numplace::app</name>
    <message>
        <source>「%1」を開けません。</source>
        <translation>Cannot open “%1”.</translation>
    </message>
    <message>
        <source>「%1」は大きすぎます（64 MiB まで）。</source>
        <translation>“%1” is too large (64 MiB at most).</translation>
    </message>
    <message>
        <source>「%1」は通常のファイルではありません（パイプや装置は開きません）。</source>
        <translation>“%1” is not a regular file (pipes and devices are not opened).</translation>
    </message>
    <message>
        <source>「%1」を読めません。</source>
        <translation>Cannot read “%1”.</translation>
    </message>
    <message>
        <source>「%1」には問題がありません。データファイル（9行、5項目ずつ）か、1行に81文字（1～9、空きマスは0か.）の問題集を開いてください。</source>
        <translation>“%1” holds no puzzle. Open a data file (nine lines of five fields) or a collection with one puzzle a line (81 characters: 1-9, 0 or . for an empty cell).</translation>
    </message>
    <message>
        <source>%1行%2列</source>
        <translation>r%1c%2</translation>
    </message>
    <message>
        <source>行</source>
        <translation>row</translation>
    </message>
    <message>
        <source>列</source>
        <translation>column</translation>
    </message>
    <message>
        <source>ブロック</source>
        <translation>block</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>ほか%n マス</source>
        <translation><numerusform> and %n more cell</numerusform><numerusform> and %n more cells</numerusform></translation>
    </message>
    <message>
        <source>読むのは：盤面</source>
        <translation>Reads: the grid</translation>
    </message>
    <message>
        <source>読むのは：行データ</source>
        <translation>Reads: the row boxes</translation>
    </message>
    <message>
        <source>読むのは：データファイル %1</source>
        <translation>Reads: data file %1</translation>
    </message>
    <message>
        <source>（盤面は空の行が3行以上あるので使いません）</source>
        <translation> (the grid has three or more empty rows and is passed over)</translation>
    </message>
    <message>
        <source>入力エラー：%1</source>
        <translation>Input error: %1</translation>
    </message>
    <message>
        <source>%1と%2の%3（同じ%4）</source>
        <translation>%3 at %1 and %2 (same %4)</translation>
    </message>
    <message>
        <source>解なし：同じ数字がぶつかっています：%1</source>
        <translation>No solution: givens clash: %1</translation>
    </message>
    <message>
        <source>解なし：この問題には解がありません</source>
        <translation>No solution: this puzzle has none</translation>
    </message>
    <message>
        <source>解は1つ：難しさ %1「%2」（%3点）</source>
        <translation>One solution: grade %1 “%2” (score %3)</translation>
    </message>
    <message>
        <source>解は1つ</source>
        <translation>One solution</translation>
    </message>
    <message>
        <source>解が複数あります：%1で分かれます（ヒントが足りません）</source>
        <translation>Several solutions: they differ at %1 (a given is missing)</translation>
    </message>
    <message>
        <source>この問題の解は1つですが、このプログラムの解き方と試し置きでは届きませんでした</source>
        <translation>This puzzle has one solution, which this program's techniques and trial placements did not reach</translation>
    </message>
    <message>
        <source>　</source>
        <translation>  </translation>
    </message>
    <message>
        <source>追加 1</source>
        <translation>追加 1</translation>
    </message>
    <message>
        <source>追加 2</source>
        <translation>追加 2</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1（マスと数字の3桁ではないので置かれません）</source>
        <translation>%1 (not a cell and a digit in three digits: lays nothing)</translation>
    </message>
    <message>
        <source>%1に%2</source>
        <translation>%1 = %2</translation>
    </message>
    <message>
        <source>、追加 2 が優先</source>
        <translation>, 追加 2 wins</translation>
    </message>
    <message>
        <source>、問題の数字が優先</source>
        <translation>, the puzzle's digit wins</translation>
    </message>
    <message>
        <source>、同じ数字とぶつかります</source>
        <translation>, clashes with the same digit</translation>
    </message>
    <message>
        <source>、前の答が書いた試し置き</source>
        <translation>, the trial the last 答 wrote</translation>
    </message>
    <message>
        <source>行データ%1</source>
        <translation>row box %1</translation>
    </message>
    <message>
        <source>%1に「%2」：マスには数字を1つだけ</source>
        <translation>%1 holds “%2”: one digit to a cell</translation>
    </message>
    <message>
        <source>%1に「%2」：負の数は数字になりません</source>
        <translation>%1 holds “%2”: a negative number is no digit</translation>
    </message>
    <message>
        <source>%1に「%2」：行データは9桁まで（上の桁は読まれません）</source>
        <translation>%1 holds “%2”: nine digits to a row (the higher ones are not read)</translation>
    </message>
    <message>
        <source>この問題の解は1つですが、参考2の解き方（試し置きなし）では届きませんでした</source>
        <translation>This puzzle has one solution, which the logic of 参考2 (no trial placements) did not reach</translation>
    </message>
    <message>
        <source>この問題の解は1つですが、1 STEP の解き方では届きませんでした</source>
        <translation>This puzzle has one solution, which the techniques of 1 STEP did not reach</translation>
    </message>
    <message>
        <source>「%1」は途中経過のファイルですが、givens と entries の行（81文字ずつ）がそろっていません。</source>
        <translation>“%1” starts as a progress file but lacks its givens and entries lines (81 characters each).</translation>
    </message>
    <message>
        <source>解なし</source>
        <translation>no solution</translation>
    </message>
    <message>
        <source>解が二つ以上</source>
        <translation>two or more solutions</translation>
    </message>
    <message>
        <source>難しさ %1「%2」</source>
        <translation>grade %1 “%2”</translation>
    </message>
    <message>
        <source>1 初級（候補が1つのマス、ブロックの一か所）</source>
        <translation>1 Easy (single candidates, one place in a block)</translation>
    </message>
    <message>
        <source>2 中級（行・列の一か所）</source>
        <translation>2 Medium (one place in a row or column)</translation>
    </message>
    <message>
        <source>3 上級（ペア）</source>
        <translation>3 Hard (naked pairs)</translation>
    </message>
    <message>
        <source>4 難問（トリプル）</source>
        <translation>4 Expert (naked triples)</translation>
    </message>
    <message>
        <source>5 超難問（ブロックのペア）</source>
        <translation>5 Fiendish (block pairs)</translation>
    </message>
    <message>
        <source>6 仮置き（試し置き1つ）</source>
        <translation>6 Trial (one trial placement)</translation>
    </message>
    <message>
        <source>7 技の外（技では解けない）</source>
        <translation>7 Beyond (none of the techniques)</translation>
    </message>
    <message>
        <source>どれでも</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>点対称（180°回転）</source>
        <translation>Half turn (180°)</translation>
    </message>
    <message>
        <source>90°回転</source>
        <translation>Quarter turn (90°)</translation>
    </message>
    <message>
        <source>左右対称</source>
        <translation>Left to right</translation>
    </message>
    <message>
        <source>上下対称</source>
        <translation>Top to bottom</translation>
    </message>
    <message>
        <source>対角線（左上から右下）</source>
        <translation>Diagonal (top left to bottom right)</translation>
    </message>
    <message>
        <source>対角線（右上から左下）</source>
        <translation>Diagonal (top right to bottom left)</translation>
    </message>
    <message>
        <source>%1行</source>
        <translation>row %1</translation>
    </message>
    <message>
        <source>%1列</source>
        <translation>column %1</translation>
    </message>
    <message>
        <source>ブロック%1</source>
        <translation>block %1</translation>
    </message>
    <message>
        <source>答え合わせできません：問題の数字どうしがぶつかっています</source>
        <translation>The entries cannot be checked: the puzzle's givens clash</translation>
    </message>
    <message>
        <source>答え合わせできません：この問題には解がありません</source>
        <translation>The entries cannot be checked: the puzzle has no solution</translation>
    </message>
    <message>
        <source>答え合わせできません：この問題には解が複数あります</source>
        <translation>The entries cannot be checked: the puzzle has several solutions</translation>
    </message>
    <message>
        <source>完成！ すべてのマスが正しく埋まっています</source>
        <translation>Complete! Every cell holds the right digit</translation>
    </message>
    <message>
        <source>%1の%2</source>
        <translation>%2 at %1</translation>
    </message>
    <message>
        <source>%1の%2は違います</source>
        <translation>The %2 at %1 is wrong</translation>
    </message>
    <message>
        <source>%1に%2（%3）</source>
        <translation>%1 = %2 (%3)</translation>
    </message>
    <message>
        <source>%1 の候補が1つだけのマスに %2 が入ります（%3）</source>
        <translation>In %1, a %2 goes into the cell with only one candidate (%3)</translation>
    </message>
    <message>
        <source>%1 に %2 が入ります（%3）</source>
        <translation>A %2 goes into %1 (%3)</translation>
    </message>
    <message>
        <source>%1 に候補が1つだけのマスがあります（%2）</source>
        <translation>%1 has a cell with only one candidate (%2)</translation>
    </message>
    <message>
        <source>%1 を見てください（%2）</source>
        <translation>Look at %1 (%2)</translation>
    </message>
    <message>
        <source>%1に%2（解から）</source>
        <translation>%1 = %2 (from the solution)</translation>
    </message>
    <message>
        <source>この手順の技では次の一手が見つかりません。%1は%2です</source>
        <translation>The techniques of 1 STEP find no next placement here. %1 is %2</translation>
    </message>
    <message>
        <source>完成しています。ヒントはもうありません</source>
        <translation>The grid is complete: no hint is left</translation>
    </message>
    <message>
        <source>解が2つ以上あるので、ヒントは出せません</source>
        <translation>The puzzle has two or more solutions: no hint can be given</translation>
    </message>
    <message>
        <source>解がないので、ヒントは出せません</source>
        <translation>The puzzle has no solution: no hint can be given</translation>
    </message>
    <message numerus="yes">
        <source>ここまで正しく入っています　空きマス %n</source>
        <translation><numerusform>Right so far; %n empty cell left</numerusform><numerusform>Right so far; %n empty cells left</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>違う数字：%1　空きマス %n</source>
        <translation><numerusform>Wrong: %1; %n empty cell</numerusform><numerusform>Wrong: %1; %n empty cells</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>この手順の技では次の一手が見つかりません。候補が一番少ないのは%1（%n つ）です</source>
        <translation><numerusform>The techniques of 1 STEP find no next placement here. The fewest candidates are at %1 (%n)</numerusform><numerusform>The techniques of 1 STEP find no next placement here. The fewest candidates are at %1 (%n)</numerusform></translation>
    </message>
</context>
<context>
    <name>numplace::app::GenerateDialog</name>
    <message>
        <source>作る</source>
        <translation>Make</translation>
    </message>
    <message>
        <source>作って保存</source>
        <translation>Make and save</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>新しい問題</source>
        <translation>New puzzle</translation>
    </message>
    <message>
        <source>問題集を作る</source>
        <translation>Make a collection</translation>
    </message>
    <message>
        <source>難しさ</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>対称</source>
        <translation>Symmetry</translation>
    </message>
    <message>
        <source>問題の数</source>
        <translation>Puzzles</translation>
    </message>
    <message>
        <source>この組み合わせでは作れません：%1</source>
        <translation>No puzzle can be made so: %1</translation>
    </message>
    <message>
        <source>作っています…</source>
        <translation>Making…</translation>
    </message>
    <message>
        <source>作っています…（%1 / %2、試した盤面 %3）</source>
        <translation>Making… (%1 / %2, %3 grids tried)</translation>
    </message>
    <message>
        <source>キャンセルしました</source>
        <translation>Cancelled</translation>
    </message>
</context>
<context>
    <name>numplace::app::PaperDialog</name>
    <message>
        <source>この問題</source>
        <translation>This puzzle</translation>
    </message>
    <message>
        <source>問題集</source>
        <translation>The collection</translation>
    </message>
    <message>
        <source>自分で入れた数字も（薄く）</source>
        <translation>With my own entries (lighter)</translation>
    </message>
    <message>
        <source>解答のページを付ける</source>
        <translation>Add the solutions on pages of their own</translation>
    </message>
    <message>
        <source>解き方（最後の実行の手順）を付ける</source>
        <translation>Add how it was solved (the last run's steps)</translation>
    </message>
    <message>
        <source>から</source>
        <translation>to</translation>
    </message>
    <message>
        <source>まで</source>
        <translation>(inclusive)</translation>
    </message>
    <message>
        <source>1ページに</source>
        <translation>A page holds</translation>
    </message>
</context>
<context>
    <name>numplace::app::PictureDialog</name>
    <message>
        <source>画像として保存</source>
        <translation>Save as a picture</translation>
    </message>
    <message>
        <source>問題だけ</source>
        <translation>The puzzle only</translation>
    </message>
    <message>
        <source>自分で入れた数字も</source>
        <translation>With my own entries</translation>
    </message>
    <message>
        <source>解も</source>
        <translation>With the solution</translation>
    </message>
    <message>
        <source> ピクセル</source>
        <translation> pixels</translation>
    </message>
    <message>
        <source>描くもの</source>
        <translation>Shows</translation>
    </message>
    <message>
        <source>大きさ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>ファイル名が .svg で終わればSVG、それ以外はPNGで保存します</source>
        <translation>A name ending in .svg saves an SVG, any other a PNG</translation>
    </message>
</context>
<context>
    <name>numplace::app::PromptDialog</name>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>この実行をここで終わります</source>
        <translation>End this run here</translation>
    </message>
</context>
<context>
    <name>numplace::app::ShellWindow</name>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>前の問題(&amp;P)</source>
        <translation>&amp;Previous puzzle</translation>
    </message>
    <message>
        <source>次の問題(&amp;N)</source>
        <translation>&amp;Next puzzle</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>最近使ったファイル(&amp;R)</source>
        <translation>&amp;Recent files</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>問題をコピー(&amp;C)</source>
        <translation>&amp;Copy the puzzle</translation>
    </message>
    <message>
        <source>答えをコピー(&amp;A)</source>
        <translation>Copy the &amp;answer</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>解き方の説明(&amp;E)</source>
        <translation>&amp;Explanation</translation>
    </message>
    <message>
        <source>解を表示(&amp;S)</source>
        <translation>Show the &amp;solution</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>使い方(&amp;M)</source>
        <translation>&amp;Manual</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About numplace</translation>
    </message>
    <message>
        <source>解を表示</source>
        <translation>Show the solution</translation>
    </message>
    <message>
        <source>解き方の説明</source>
        <translation>How it was solved</translation>
    </message>
    <message>
        <source>入力</source>
        <translation>Typing</translation>
    </message>
    <message>
        <source>マスのクリック</source>
        <translation>Cell click</translation>
    </message>
    <message>
        <source>行の入力</source>
        <translation>Row input</translation>
    </message>
    <message>
        <source>貼り付け</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>消去</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>データファイル名</source>
        <translation>Data file name</translation>
    </message>
    <message>
        <source>中止：ここで実行を終えました</source>
        <translation>Stopped: the run ended here</translation>
    </message>
    <message>
        <source>　</source>
        <translation>  </translation>
    </message>
    <message>
        <source>%1 / %2　%3</source>
        <translation>%1 / %2  %3</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>問題 %1 / %2</source>
        <translation>Puzzle %1 / %2</translation>
    </message>
    <message>
        <source>保存できません：%1</source>
        <translation>Cannot save: %1</translation>
    </message>
    <message>
        <source>%1 に保存しました</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source>問題を読めません：%1</source>
        <translation>Cannot read the puzzle: %1</translation>
    </message>
    <message>
        <source>問題をコピーしました</source>
        <translation>Puzzle copied</translation>
    </message>
    <message>
        <source>答えをコピーしました</source>
        <translation>Answer copied</translation>
    </message>
    <message>
        <source>答えをコピーしました（確かめた解）</source>
        <translation>Answer copied (the checked solution)</translation>
    </message>
    <message>
        <source>コピーする答えがありません：解が1つの問題ではありません</source>
        <translation>No answer to copy: the puzzle does not have exactly one solution</translation>
    </message>
    <message>
        <source>クリップボードの内容は問題ではありません（81文字の1～9、空きマスは0か.）</source>
        <translation>The clipboard holds no puzzle (81 characters 1-9, 0 or . for an empty cell)</translation>
    </message>
    <message>
        <source>表示する解がありません：解が1つの問題ではありません</source>
        <translation>No solution to show: the puzzle does not have exactly one solution</translation>
    </message>
    <message>
        <source>名前を付けて保存</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>データファイル (*.csv)</source>
        <translation>Data files (*.csv)</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About numplace</translation>
    </message>
    <message>
        <source>numplace %1

数独（ナンバープレース）を解き、解き方を見せるプログラム。

Qt %2（実行時 %3）
ライセンス：リポジトリの README を参照してください。</source>
        <translation>numplace %1

Solves number-place (sudoku) puzzles and shows how.

Qt %2 (running on %3)
Licence: see the repository's README.</translation>
    </message>
    <message>
        <source>消去：盤面と行データを空にしました。追加 1・追加 2 と描かれた図はそのままです</source>
        <translation>Cleared the grid and the row boxes; 追加 1, 追加 2 and the picture stay as they are</translation>
    </message>
    <message>
        <source>貼り付けた問題</source>
        <translation>Pasted puzzle</translation>
    </message>
    <message>
        <source>新しい問題</source>
        <translation>New puzzle</translation>
    </message>
    <message>
        <source>%1[*] — numplace</source>
        <translation>%1[*] — numplace</translation>
    </message>
    <message>
        <source>新しい問題(&amp;W)...</source>
        <translation>Ne&amp;w puzzle...</translation>
    </message>
    <message>
        <source>問題集を作る(&amp;M)...</source>
        <translation>&amp;Make a collection...</translation>
    </message>
    <message>
        <source>途中経過を保存(&amp;G)...</source>
        <translation>Save pro&amp;gress...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>PDF に書き出す(&amp;D)...</source>
        <translation>Export as P&amp;DF...</translation>
    </message>
    <message>
        <source>画像として保存(&amp;I)...</source>
        <translation>Save as a p&amp;icture...</translation>
    </message>
    <message>
        <source>この盤面を問題にする(&amp;G)</source>
        <translation>Make this &amp;grid the puzzle</translation>
    </message>
    <message>
        <source>答え合わせ(&amp;K)</source>
        <translation>Chec&amp;k my entries</translation>
    </message>
    <message>
        <source>ヒント(&amp;H)</source>
        <translation>&amp;Hint</translation>
    </message>
    <message>
        <source>「%1」を読めません。</source>
        <translation>Cannot read “%1”.</translation>
    </message>
    <message>
        <source>途中経過を %1 に保存しました</source>
        <translation>Progress saved to %1</translation>
    </message>
    <message>
        <source>途中経過を保存</source>
        <translation>Save progress</translation>
    </message>
    <message>
        <source>途中経過 (*.numplace);;すべてのファイル (*)</source>
        <translation>Progress (*.numplace);;All files (*)</translation>
    </message>
    <message>
        <source>問題のファイル (*.csv *.txt *.sdm *.numplace);;すべてのファイル (*)</source>
        <translation>Puzzle files (*.csv *.txt *.sdm *.numplace);;All files (*)</translation>
    </message>
    <message>
        <source>この盤面を問題にする</source>
        <translation>Make this grid the puzzle</translation>
    </message>
    <message>
        <source>今の盤面を問題にしました。これから入れる数字は自分の答えとして青で示します</source>
        <translation>The grid is now the puzzle: the digits you enter from now on are your own, shown in blue</translation>
    </message>
    <message>
        <source>ヒント</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>問題集を保存</source>
        <translation>Save the collection</translation>
    </message>
    <message>
        <source>問題集 (*.txt)</source>
        <translation>Collections (*.txt)</translation>
    </message>
    <message>
        <source>%1　%2番　%3</source>
        <translation>%1  no. %2  %3</translation>
    </message>
    <message>
        <source>解なし</source>
        <translation>no solution</translation>
    </message>
    <message>
        <source>%1　%2</source>
        <translation>%1  %2</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>numplace の問題</source>
        <translation>numplace puzzle</translation>
    </message>
    <message>
        <source>書き出せません：%1</source>
        <translation>Cannot export: %1</translation>
    </message>
    <message>
        <source>%1 に %2 ページ書き出しました</source>
        <translation>%2 pages written to %1</translation>
    </message>
    <message>
        <source>PDF に書き出す</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>画像として保存</source>
        <translation>Save as a picture</translation>
    </message>
    <message>
        <source>画像 (*.png *.svg)</source>
        <translation>Pictures (*.png *.svg)</translation>
    </message>
    <message>
        <source>新しい問題：%1、対称 %2、数字 %3 個（シード %4：numplace-cli --generate 1 --seed %4 で同じ問題）</source>
        <translation>New puzzle: %1, symmetry %2, %3 givens (seed %4: numplace-cli --generate 1 --seed %4 makes it again)</translation>
    </message>
</context>
</TS>
