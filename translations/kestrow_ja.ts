<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>次の場所にプリンター一覧ファイルが見つかりません：
%1

ファイルが存在し、アプリケーションに読み取り権限があることを確認してください。</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>ファイル「%1」からプリンターを読み込む際にエラーが発生しました：
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <translation>プリンター一覧ファイルは見つかりましたが、空であるか空行しか含まれていません。
「%1」の内容が正しいことを確認してください。</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>プリンターが選択されていません。少なくとも1台のプリンターを選択してください。</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <translation>選択したプリンターを「%1」に書き込む際にエラーが発生しました：
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>ファイルが有効な UTF-8 テキストではありません。</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>通常のファイルではありません。</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>ファイル内のプリンター名が多すぎて、一覧に表示しきれません。</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>許可がありません</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>そのようなファイルやディレクトリはありません</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>ディレクトリです</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>ディレクトリではありません</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>メモリを確保できません</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>デバイスに空き領域がありません</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>読み込み専用ファイルシステムです</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>入力/出力エラーです</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>許可されていない操作です</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>ディレクトリは空ではありません</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>シンボリックリンクの階層が多すぎます</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>ファイル名が長すぎます</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>ディスク使用量制限を超過しました</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>デバイスもしくはリソースがビジー状態です</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>ファイルを開きすぎです</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>システム中のファイルを開きすぎです</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>ファイルが大きすぎます</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>無効なクロスデバイスリンクです</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>テキストファイルがビジー状態です</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>ファイルが存在します</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>無効な引数です</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>リソースが一時的に利用できません</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>そのようなデバイスやアドレスはありません</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>定義されたデータ型に対して値が大きすぎます</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>古いファイルハンドルです</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>構造体を内容消去する必要があります</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>システムコール割り込み</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
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
</TS>
