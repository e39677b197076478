<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <extracomment>%1 is a file path. The path stands on a line of its own, so that it never breaks.</extracomment>
        <translation>O arquivo da lista de impressoras não foi encontrado em:
%1

Verifique se o arquivo existe e se o aplicativo tem permissão para lê‑lo.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Erro ao carregar as impressoras do arquivo “%1”:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <extracomment>%1 is a file path. Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>O arquivo da lista de impressoras foi encontrado, mas está vazio ou contém apenas linhas em branco.
Verifique se “%1” está preenchido corretamente.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>Nenhuma impressora selecionada. Selecione pelo menos uma impressora.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>Erro ao gravar as impressoras selecionadas em “%1”:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>O arquivo não contém texto UTF-8 válido.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>Não é um arquivo regular.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>O arquivo contém mais nomes de impressoras do que a lista pode exibir.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Permissão negada</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Arquivo ou diretório inexistente</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>É um diretório</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Não é um diretório</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Não foi possível alocar memória</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Não há espaço disponível no dispositivo</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Sistema de arquivos somente para leitura</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Erro de entrada/saída</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Operação não permitida</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Diretório não vazio</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Muitos níveis de links simbólicos</translation>
    </message>
    <message>
        <source>File name too long</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Nome de arquivo muito longo</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Cota de disco excedida</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Dispositivo ou recurso está ocupado</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Muitos arquivos abertos</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Muitos arquivos abertos no sistema</translation>
    </message>
    <message>
        <source>File too large</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Arquivo muito grande</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Link entre dispositivos inválido</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Arquivo de texto ocupado</translation>
    </message>
    <message>
        <source>File exists</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Arquivo existe</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Argumento inválido</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Recurso temporariamente indisponível</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Endereço ou dispositivo inexistente</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Valor muito grande para o tipo de dados definido</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Manipulador de arquivo corrompido</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>A estrutura necessita de limpeza</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Chamada de sistema interrompida</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>Descritor de arquivo inválido</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>Selecione as impressoras que deseja instalar</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>Impressoras</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>Nenhuma impressora encontrada ou arquivo não carregado.</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>A check box that ticks every printer in the list (or none).</extracomment>
        <translation>Selecionar tudo</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>Seleção de impressoras</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A row&apos;s place in the list of printers, read out by screen readers: %1 is its number, %2 the number of rows.</extracomment>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Instalação do Orvane</translation>
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
        <translation>Fechar</translation>
    </message>
</context>
</TS>
