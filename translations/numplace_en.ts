<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
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
        <source>問題のファイル (*.csv *.txt *.sdm);;すべてのファイル (*)</source>
        <translation>Puzzle files (*.csv *.txt *.sdm);;All files (*)</translation>
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
</context>
</TS>
