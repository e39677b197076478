<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <extracomment>%1 is a file path. The path stands on a line of its own, so that it never breaks.</extracomment>
        <translation>次の場所にプリンター一覧ファイルが見つかりません：
%1

ファイルが存在し、アプリケーションに読み取り権限があることを確認してください。</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>ファイル「%1」からプリンターを読み込む際にエラーが発生しました：
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <extracomment>%1 is a file path. Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>プリンター一覧ファイルは見つかりましたが、空であるか空行しか含まれていません。
次のファイルの内容が正しいことを確認してください：
「%1」</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>プリンターが選択されていません。少なくとも1台のプリンターを選択してください。</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>選択したプリンターを「%1」に書き込む際にエラーが発生しました：
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>ファイルが有効な UTF-8 テキストではありません。</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>通常のファイルではありません。</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>ファイル内のプリンター名が多すぎて、一覧に表示しきれません。</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>許可がありません</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>そのようなファイルやディレクトリはありません</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ディレクトリです</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ディレクトリではありません</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>メモリを確保できません</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>デバイスに空き領域がありません</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>読み込み専用ファイルシステムです</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>入力/出力エラーです</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>許可されていない操作です</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ディレクトリは空ではありません</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>シンボリックリンクの階層が多すぎます</translation>
    </message>
    <message>
        <source>File name too long</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ファイル名が長すぎます</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ディスク使用量制限を超過しました</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>デバイスもしくはリソースがビジー状態です</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ファイルを開きすぎです</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>システム中のファイルを開きすぎです</translation>
    </message>
    <message>
        <source>File too large</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ファイルが大きすぎます</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>無効なクロスデバイスリンクです</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>テキストファイルがビジー状態です</translation>
    </message>
    <message>
        <source>File exists</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>ファイルが存在します</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>無効な引数です</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>リソースが一時的に利用できません</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>そのようなデバイスやアドレスはありません</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>定義されたデータ型に対して値が大きすぎます</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>古いファイルハンドルです</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>構造体を内容消去する必要があります</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>システムコール割り込み</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>不正なファイル記述子です</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>インストールするプリンターを選択してください</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>プリンター</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>プリンターが見つからないか、ファイルが読み込まれていません。</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>A check box that ticks every printer in the list (or none).</extracomment>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>プリンターの選択</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A row&apos;s place in the list of printers, read out by screen readers: %1 is its number, %2 the number of rows.</extracomment>
        <translation>%2 件中 %1 件目</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Orvane セットアップ</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>TitleBar</name>
    <message>
        <source>Close</source>
        <extracomment>The button in a window&apos;s title bar that closes the window (read out by screen readers).</extracomment>
        <translation>閉じる</translation>
    </message>
</context>
</TS>
