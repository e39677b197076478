<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>Le fichier de la liste des imprimantes est introuvable à l’emplacement&#xa0;:
%1

Veuillez vérifier que le fichier existe et que l’application a l’autorisation de le lire.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>Erreur lors du chargement des imprimantes depuis le fichier «&#xa0;%1&#xa0;»&#xa0;:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
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
        <translation>Erreur lors de l’écriture des imprimantes sélectionnées dans «&#xa0;%1&#xa0;»&#xa0;:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>Le fichier ne contient pas de texte UTF-8 valide.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>N’est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>Le fichier contient plus de noms d’imprimantes que la liste ne peut en afficher.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission non accordée</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Aucun fichier ou dossier de ce type</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Est un dossier</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>N’est pas un dossier</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>Ne peut allouer de la mémoire</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>Aucun espace disponible sur le périphérique</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Système de fichiers accessible en lecture seulement</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Erreur d’entrée/sortie</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Opération non permise</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>Le dossier n’est pas vide</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Trop de niveaux de liens symboliques</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Nom de fichier trop long</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Débordement du quota d’espace disque</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Périphérique ou ressource occupé</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Trop de fichiers ouverts</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>Trop de fichiers ouverts dans le système</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Fichier trop gros</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>Lien physique inter-périphérique invalide</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>Fichier texte occupé</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>Le fichier existe</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Argument invalide</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Ressource temporairement non disponible</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>Aucun périphérique ou adresse</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>Valeur trop grande pour le type défini de données</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>Panne d’accès au fichier</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>La structure a besoin d’un nettoyage</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>Appel système interrompu</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
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
</TS>
