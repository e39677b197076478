<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <extracomment>%1 is a file path. The path stands on a line of its own, so that it never breaks.</extracomment>
        <translation>Le fichier de la liste des imprimantes est introuvable&#xa0;:
%1

Veuillez vérifier que le fichier existe et que l’application a l’autorisation de le lire.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Erreur lors du chargement des imprimantes depuis le fichier «&#xa0;%1&#xa0;»&#xa0;:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <extracomment>%1 is a file path. Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Le fichier de la liste des imprimantes a été trouvé, mais il est vide ou ne contient que des lignes vides.
Veuillez vérifier que «&#xa0;%1&#xa0;» est correctement rempli.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>Aucune imprimante sélectionnée. Veuillez sélectionner au moins une imprimante.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Erreur lors de l’écriture des imprimantes sélectionnées dans «&#xa0;%1&#xa0;»&#xa0;:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>Le fichier ne contient pas de texte UTF-8 valide.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>N’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>Le fichier contient plus de noms d’imprimantes que la liste ne peut en afficher.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Permission non accordée</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Aucun fichier ou dossier de ce type</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Est un dossier</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>N’est pas un dossier</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Ne peut allouer de la mémoire</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Aucun espace disponible sur le périphérique</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Système de fichiers accessible en lecture seulement</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Erreur d’entrée/sortie</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Opération non permise</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Le dossier n’est pas vide</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Trop de niveaux de liens symboliques</translation>
    </message>
    <message>
        <source>File name too long</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Nom de fichier trop long</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Débordement du quota d’espace disque</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Périphérique ou ressource occupé</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Trop de fichiers ouverts</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Trop de fichiers ouverts dans le système</translation>
    </message>
    <message>
        <source>File too large</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Fichier trop gros</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Lien physique inter-périphérique invalide</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Fichier texte occupé</translation>
    </message>
    <message>
        <source>File exists</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Le fichier existe</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Argument invalide</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Ressource temporairement non disponible</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Aucun périphérique ou adresse</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Valeur trop grande pour le type défini de données</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Panne d’accès au fichier</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>La structure a besoin d’un nettoyage</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Appel système interrompu</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Mauvais descripteur de fichier</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>Sélectionnez les imprimantes à installer</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>Imprimantes</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>Aucune imprimante trouvée ou fichier non chargé.</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>A check box that ticks every printer in the list (or none).</extracomment>
        <translation>Tout sélectionner</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>Sélection des imprimantes</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A row&apos;s place in the list of printers, read out by screen readers: %1 is its number, %2 the number of rows.</extracomment>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Installation d’Orvane</translation>
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
        <translation>Fermer</translation>
    </message>
</context>
</TS>
