<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>Het bestand met de printerlijst is niet gevonden op:
%1

Zorg ervoor dat het bestand bestaat en dat de toepassing het mag lezen.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>Fout bij het laden van de printers uit bestand ‘%1’:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <translation>Het bestand met de printerlijst is gevonden, maar is leeg of bevat alleen lege regels.
Zorg ervoor dat ‘%1’ correct is gevuld.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>Geen printers geselecteerd. Selecteer ten minste één printer.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <translation>Fout bij het schrijven van de geselecteerde printers naar ‘%1’:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>Het bestand bevat geen geldige UTF-8-tekst.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>Geen gewoon bestand.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>Het bestand bevat meer printernamen dan de lijst kan weergeven.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Toegang geweigerd</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Bestand of map bestaat niet</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Is een map</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>Is geen map</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>Onvoldoende geheugen beschikbaar</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Geen ruimte meer over op apparaat</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Bestandssysteem is alleen-lezen</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Invoer-/uitvoerfout</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Actie is niet toegestaan</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>Map is niet leeg</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Te veel niveaus van symbolische koppelingen – vermoedelijk een lus</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Bestandsnaam is te lang</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Schijfquotum is overschreden</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Apparaat of hulpbron is bezig</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Te veel open bestanden</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>Te veel open bestanden in systeem</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Bestand is te groot</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>Ongeldige koppeling tussen apparaten</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>Tekstbestand is in gebruik</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Bestand bestaat al</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Ongeldig argument</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Hulpbron is tijdelijk onbeschikbaar</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>Apparaat of adres bestaat niet</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>Waarde is te groot voor gedefinieerde gegevenssoort</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>Achterhaald bestandshandvat</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>Structuur moet worden opgeschoond</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>Onderbroken systeemaanroep</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <translation>Ongeldige bestandsdescriptor</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>Selecteer de printers die u wilt installeren</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>Printers</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>Geen printers gevonden of bestand niet geladen.</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles selecteren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuleren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>Printerselectie</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Orvane-installatie</translation>
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
