<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>在以下位置找不到打印机列表文件：
%1

请确保该文件存在，并且应用程序有权限读取它。</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>从文件“%1”加载打印机时出错：
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <translation>已找到打印机列表文件，但该文件为空或只包含空行。
请确保“%1”的内容填写正确。</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>未选择任何打印机。请至少选择一台打印机。</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <translation>将所选打印机写入“%1”时出错：
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>该文件不是有效的 UTF-8 文本。</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>不是普通文件。</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>文件中的打印机名称超出了列表可显示的数量。</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>权限不够</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>没有那个文件或目录</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>是一个目录</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>不是目录</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>无法分配内存</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>设备上没有空间</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>只读文件系统</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>输入/输出错误</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>不允许的操作</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>目录非空</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>符号连接的层数过多</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>文件名过长</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>超出磁盘限额</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>设备或资源忙</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>打开的文件过多</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>系统中打开的文件过多</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>文件过大</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>无效的跨设备链接</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>文本文件忙</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>文件已存在</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>无效的参数</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>资源暂时不可用</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>没有那个设备或地址</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>对已定义的数据类型来说值过大</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>过旧的文件控柄</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>结构需要清理</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>被中断的系统调用</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <translation>错误的文件描述符</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>选择要安装的打印机</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>打印机</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>未找到打印机，或未加载文件。</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>打印机选择</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>Orvane 安装程序</translation>
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
