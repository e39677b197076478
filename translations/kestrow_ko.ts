<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>다음 위치에서 프린터 목록 파일을 찾을 수 없습니다:
%1

파일이 있는지, 그리고 프로그램에 파일 읽기 권한이 있는지 확인하십시오.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>‘%1’ 파일에서 프린터를 불러오는 중 오류가 발생했습니다:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
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
        <translation>선택한 프린터를 ‘%1’ 파일에 쓰는 중 오류가 발생했습니다:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>파일이 올바른 UTF-8 텍스트가 아닙니다.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>일반 파일이 아닙니다.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>파일에 있는 프린터 이름이 목록에 표시할 수 있는 개수보다 많습니다.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>허가 거부</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>그런 파일이나 디렉터리가 없습니다</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>디렉터리입니다</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>디렉터리가 아닙니다</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>메모리를 할당할 수 없습니다</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>장치에 남은 공간이 없음</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>읽기전용 파일 시스템</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>입력/출력 오류</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>명령을 허용하지 않음</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>디렉터리가 비어있지 않음</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>기호 연결의 단계가 너무 많음</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>파일 이름이 너무 깁니다</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>디스크 할당량이 초과됨</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>장치나 자원이 동작 중</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>열린 파일이 너무 많음</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>시스템에 파일을 너무 많이 열었음</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>파일이 너무 큽니다</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>부적절한 장치간 연결</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>실행 파일 사용 중</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>파일이 있습니다</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>부적절한 인수</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>자원이 일시적으로 사용 불가능함</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>그런 장치 혹은 주소가 없음</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>정의한 자료형으로 쓰기엔 너무 큰 값</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>끊어진 파일 핸들</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>구조에 청소가 필요합니다</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>중단된 시스템 콜</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
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
</TS>
