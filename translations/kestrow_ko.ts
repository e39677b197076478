<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <extracomment>%1 is a file path. The path stands on a line of its own, so that it never breaks.</extracomment>
        <translation>다음 위치에서 프린터 목록 파일을 찾을 수 없습니다:
%1

파일이 있는지, 그리고 프로그램에 파일 읽기 권한이 있는지 확인하십시오.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>‘%1’ 파일에서 프린터를 불러오는 중 오류가 발생했습니다:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <extracomment>%1 is a file path. Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>프린터 목록 파일을 찾았지만 비어 있거나 빈 줄만 있습니다.
‘%1’ 파일의 내용이 올바른지 확인하십시오.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>선택한 프린터가 없습니다. 프린터를 하나 이상 선택하십시오.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <extracomment>%1 is a file path, %2 the reason (one of the reasons in this catalogue). Where the sentence would split the path across lines, put the path on a line of its own.</extracomment>
        <translation>선택한 프린터를 ‘%1’ 파일에 쓰는 중 오류가 발생했습니다:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>파일이 올바른 UTF-8 텍스트가 아닙니다.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>일반 파일이 아닙니다.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <extracomment>Why a file could not be read, shown after the alert&apos;s message.</extracomment>
        <translation>파일에 있는 프린터 이름이 목록에 표시할 수 있는 개수보다 많습니다.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>허가 거부</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>그런 파일이나 디렉터리가 없습니다</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>디렉터리입니다</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>디렉터리가 아닙니다</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>메모리를 할당할 수 없습니다</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>장치에 남은 공간이 없음</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>읽기전용 파일 시스템</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>입력/출력 오류</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>명령을 허용하지 않음</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>디렉터리가 비어있지 않음</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>기호 연결의 단계가 너무 많음</translation>
    </message>
    <message>
        <source>File name too long</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>파일 이름이 너무 깁니다</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>디스크 할당량이 초과됨</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>장치나 자원이 동작 중</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>열린 파일이 너무 많음</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>시스템에 파일을 너무 많이 열었음</translation>
    </message>
    <message>
        <source>File too large</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>파일이 너무 큽니다</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>부적절한 장치간 연결</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>실행 파일 사용 중</translation>
    </message>
    <message>
        <source>File exists</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>파일이 있습니다</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>부적절한 인수</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>자원이 일시적으로 사용 불가능함</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>그런 장치 혹은 주소가 없음</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>정의한 자료형으로 쓰기엔 너무 큰 값</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>끊어진 파일 핸들</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>구조에 청소가 필요합니다</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>중단된 시스템 콜</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <extracomment>A C library error text (strerror): follow the wording of glibc&apos;s catalogue for this language.</extracomment>
        <translation>파일 디스크립터가 잘못됨</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>설치할 프린터 선택</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>프린터</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>프린터를 찾을 수 없거나 파일을 불러오지 않았습니다.</translation>
    </message>
    <message>
        <source>Select All</source>
        <extracomment>A check box that ticks every printer in the list (or none).</extracomment>
        <translation>모두 선택</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>취소</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>확인</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>프린터 선택</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>A row&apos;s place in the list of printers, read out by screen readers: %1 is its number, %2 the number of rows.</extracomment>
        <translation>%2개 중 %1번째</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Orvane 설치</translation>
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
        <translation>닫기</translation>
    </message>
</context>
</TS>
