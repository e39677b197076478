<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>Файл со списком принтеров не найден по пути:
%1

Убедитесь, что файл существует и у приложения есть права на его чтение.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>Ошибка загрузки принтеров из файла «%1»:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
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
        <translation>Ошибка записи выбранных принтеров в файл «%1»:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>Файл не является корректным текстом в кодировке UTF-8.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>Это не обычный файл.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>Файл содержит больше имён принтеров, чем может отобразить список.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Отказано в доступе</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Нет такого файла или каталога</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Это каталог</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Это не каталог</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>Невозможно выделить память</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>На устройстве не осталось свободного места</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Файловая система доступна только для чтения</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Ошибка ввода/вывода</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Операция не позволена</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>Каталог не пуст</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Слишком много уровней символьных ссылок</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Слишком длинное имя файла</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Превышена дисковая квота</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Устройство или ресурс занято</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Слишком много открытых файлов</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>Слишком много открытых файлов в системе</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Файл слишком велик</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>Неверная ссылка между устройствами</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>Текстовый файл занят</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Файл существует</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Недопустимый аргумент</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Ресурс временно недоступен</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>Нет такого устройства или адреса</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>Значение слишком велико для такого типа данных</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>Устаревший дескриптор файла</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>Структуру необходимо почистить</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>Прерван системный вызов</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
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
</TS>
