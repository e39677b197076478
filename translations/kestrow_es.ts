<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>No se encontró el archivo de la lista de impresoras en:
%1

Asegúrese de que el archivo existe y de que la aplicación tiene permiso para leerlo.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>Error al cargar las impresoras del archivo «%1»:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <translation>Se encontró el archivo de la lista de impresoras, pero está vacío o solo contiene líneas en blanco.
Asegúrese de que «%1» tiene el contenido correcto.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>No se ha seleccionado ninguna impresora. Seleccione al menos una impresora.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <translation>Error al escribir las impresoras seleccionadas en «%1»:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>El archivo no contiene texto UTF-8 válido.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>No es un archivo regular.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>El archivo contiene más nombres de impresoras de los que la lista puede mostrar.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permiso denegado</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>No existe el archivo o el directorio</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Es un directorio</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>No es un directorio</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>No se pudo asignar memoria</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>No queda espacio en el dispositivo</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>Sistema de archivos de solo lectura</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Error de entrada/salida</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>Operación no permitida</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>El directorio no está vacío</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Demasiados niveles de enlaces simbólicos</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Nombre de archivo demasiado largo</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>Se ha excedido la cuota de disco</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Dispositivo o recurso ocupado</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Demasiados archivos abiertos</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>Demasiados archivos abiertos en el sistema</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>Archivo demasiado grande</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>Enlace cruzado entre dispositivos no permitido</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>El archivo de texto está ocupado</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>El archivo ya existe</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Argumento inválido</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Recurso no disponible temporalmente</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>No existe el dispositivo o la dirección</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>Valor demasiado grande para el tipo de datos definido</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>Identificador de archivo obsoleto</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>La estructura necesita una limpieza</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>Llamada al sistema interrumpida</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <translation>Descriptor de archivo erróneo</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>Seleccione las impresoras que desea instalar</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>Impresoras</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>No se encontraron impresoras o no se cargó el archivo.</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Seleccionar todo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>Aceptar</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>Selección de impresoras</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Instalación de Orvane</translation>
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
