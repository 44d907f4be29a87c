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
        <translation>
            <numerusform> and %n more cell</numerusform>
            <numerusform> and %n more cells</numerusform>
        </translation>
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
        <translation>This puzzle has one solution, which this program&apos;s techniques and trial placements did not reach</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation>  </translation>
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
        <source>&#x3000;</source>
        <translation>  </translation>
    </message>
    <message>
        <source>%1 / %2&#x3000;%3</source>
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
        <source>&lt;h3&gt;問題を入れる&lt;/h3&gt;&lt;p&gt;盤面のマスに数字を打つか、マスをクリックして数字を1ずつ進めます（クリックのあと数字を打つと置き換わります）。81文字の問題（1～9、空きマスは0か.）は、マスに貼り付けるか［編集］→［貼り付け］で盤面全体に入ります。行データの欄には1行9桁の数を、「入力データ名」にはデータファイルの名前を入れます。盤面に空の行が3行以上あると盤面は使われず、行データ、それも空ならデータファイルを読みます。&lt;/p&gt;&lt;h3&gt;4つのボタン&lt;/h3&gt;&lt;p&gt;&lt;b&gt;答&lt;/b&gt;：一気に解いて答えを描きます。&lt;b&gt;1 STEP&lt;/b&gt;：一手ずつ、問い合わせに答えながら進みます。&lt;b&gt;参考1&lt;/b&gt;：1 STEP と同じ進め方で、ペアの仲間も示します。&lt;b&gt;参考2&lt;/b&gt;：ペアを使って解き、区切りで止まります。問い合わせでは、キャンセル（Esc）は次へ進み、&lt;b&gt;中止&lt;/b&gt;はその場で実行を終えます。&lt;b&gt;消去&lt;/b&gt;は入力を空にします。&lt;/p&gt;&lt;h3&gt;ステータスバー&lt;/h3&gt;&lt;p&gt;次の実行が読む問題（盤面、行データ、データファイル）と、その問題の解の数を示します。解が1つなら難しさ、複数なら解が分かれるマス、解がなければぶつかっている数字（赤で表示）を示します。解が1つなのにこのプログラムが解けなかったときは［解を表示］で解を盤面に描きます。&lt;/p&gt;&lt;h3&gt;メニュー&lt;/h3&gt;&lt;p&gt;&lt;b&gt;ファイル&lt;/b&gt;：データファイルや問題集（1行に1問）を開く、問題集の前後の問題、名前を付けて保存、最近使ったファイル。&lt;b&gt;編集&lt;/b&gt;：元に戻す／やり直し（入力、クリック、貼り付け、消去）、問題と答えのコピー、貼り付け。&lt;b&gt;表示&lt;/b&gt;：解き方の説明（最後の実行の手順）、解を表示。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Entering a puzzle&lt;/h3&gt;&lt;p&gt;Type digits into the cells of the grid, or click a cell to step its digit (typing after the click replaces it). A puzzle of 81 characters (1-9, 0 or . for an empty cell) pasted into a cell, or with Edit &amp;gt; Paste, fills the whole grid. The row boxes take a row&apos;s nine digits as one number; 入力データ名 takes the name of a data file. A grid with three or more empty rows is passed over: the row boxes are read, and when they are empty too, the data file.&lt;/p&gt;&lt;h3&gt;The four buttons&lt;/h3&gt;&lt;p&gt;&lt;b&gt;答&lt;/b&gt; (answer): solves at once and draws the answer. &lt;b&gt;1 STEP&lt;/b&gt;: one placement at a time, asking at each prompt. &lt;b&gt;参考1&lt;/b&gt; (reference 1): as 1 STEP, also showing the members of pairs. &lt;b&gt;参考2&lt;/b&gt; (reference 2): solves with pairs and pauses at breakpoints. At a prompt, Cancel (Esc) goes on, and &lt;b&gt;Stop&lt;/b&gt; ends the run there. &lt;b&gt;消去&lt;/b&gt; (clear) empties the entry.&lt;/p&gt;&lt;h3&gt;The status bar&lt;/h3&gt;&lt;p&gt;Which puzzle the next run reads (the grid, the row boxes or the data file) and how many solutions it has: with one, its grade; with several, the cells where they differ; with none, the givens that clash (shown in red). When the puzzle has one solution that this program did not reach, Show the solution draws it on the board.&lt;/p&gt;&lt;h3&gt;The menus&lt;/h3&gt;&lt;p&gt;&lt;b&gt;File&lt;/b&gt;: open a data file or a collection (one puzzle a line), the previous and next puzzle of a collection, save as, recent files. &lt;b&gt;Edit&lt;/b&gt;: undo and redo (typing, clicks, paste, clear), copy the puzzle or the answer, paste. &lt;b&gt;View&lt;/b&gt;: the explanation of the last run&apos;s steps, show the solution.&lt;/p&gt;</translation>
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
Licence: see the repository&apos;s README.</translation>
    </message>
</context>
</TS>
