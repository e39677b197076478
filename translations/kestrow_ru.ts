<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <extracomment>%1 is a file path. The path stands on a line of its own, so that it never breaks.</extracomment>
        <translation>Файл со списком принтеров не найден по пути:
%1

Убедитесь, что файл существует и у приложения есть права на его чтение.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Ошибка загрузки принтеров из файла «%1»:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <extracomment>%1 is a file path. Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Файл со списком принтеров найден, но он пуст или содержит только пустые строки.
Убедитесь, что файл «%1» заполнен правильно.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>Не выбран ни один принтер. Выберите хотя бы один принтер.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Ошибка записи выбранных принтеров в файл «%1»:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>Файл не является корректным текстом в кодировке UTF-8.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>Это не обычный файл.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>Файл содержит больше имён принтеров, чем может отобразить список.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Отказано в доступе</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Нет такого файла или каталога</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Это каталог</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Это не каталог</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Невозможно выделить память</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>На устройстве не осталось свободного места</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Файловая система доступна только для чтения</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Ошибка ввода/вывода</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Операция не позволена</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Каталог не пуст</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Слишком много уровней символьных ссылок</translation>
    </message>
    <message>
        <source>File name too long</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Слишком длинное имя файла</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Превышена дисковая квота</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Устройство или ресурс занято</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Слишком много открытых файлов</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Слишком много открытых файлов в системе</translation>
    </message>
    <message>
        <source>File too large</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Файл слишком велик</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Неверная ссылка между устройствами</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Текстовый файл занят</translation>
    </message>
    <message>
        <source>File exists</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Файл существует</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Недопустимый аргумент</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Ресурс временно недоступен</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Нет такого устройства или адреса</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Значение слишком велико для такого типа данных</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Устаревший дескриптор файла</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Структуру необходимо почистить</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Прерван системный вызов</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Неправильный дескриптор файла</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>Выберите принтеры для установки</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>Принтеры</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>Принтеры не найдены или файл не загружен.</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>A check box that ticks every printer in the list (or none).</extracomment>
        <translation>Выбрать все</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>Выбор принтеров</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A row&apos;s place in the list of printers, read out by screen readers: %1 is its number, %2 the number of rows.</extracomment>
        <translation>%1 из %2</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Установка Orvane</translation>
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
        <translation>Закрыть</translation>
    </message>
</context>
</TS>
