<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="he">
<context>
    <name>Alert</name>
    <message>
        <source>Printer list file not found at:
%1

Please ensure the file exists and the application has permission to read it.</source>
        <translation>קובץ רשימת המדפסות לא נמצא בנתיב:
%1

יש לוודא שהקובץ קיים ושליישום יש הרשאה לקרוא אותו.</translation>
    </message>
    <message>
        <source>Error loading printers from file &apos;%1&apos;:
%2</source>
        <translation>שגיאה בטעינת המדפסות מהקובץ &quot;%1&quot;:
%2</translation>
    </message>
    <message>
        <source>Printer list file was found but is empty or contains only blank lines.
Please ensure &apos;%1&apos; is populated correctly.</source>
        <translation>קובץ רשימת המדפסות נמצא, אך הוא ריק או מכיל שורות ריקות בלבד.
יש לוודא שהקובץ &quot;%1&quot; מכיל את התוכן הנכון.</translation>
    </message>
    <message>
        <source>No printers selected. Please select at least one printer.</source>
        <translation>לא נבחרו מדפסות. יש לבחור לפחות מדפסת אחת.</translation>
    </message>
    <message>
        <source>Error writing selected printers to &apos;%1&apos;:
%2</source>
        <translation>שגיאה בכתיבת המדפסות שנבחרו לקובץ &quot;%1&quot;:
%2</translation>
    </message>
    <message>
        <source>The file is not valid UTF-8 text.</source>
        <translation>הקובץ אינו טקסט UTF-8 תקין.</translation>
    </message>
    <message>
        <source>Not a regular file.</source>
        <translation>זה אינו קובץ רגיל.</translation>
    </message>
    <message>
        <source>The file holds more printer names than the list can show.</source>
        <translation>הקובץ מכיל יותר שמות מדפסות ממה שהרשימה יכולה להציג.</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>הגישה נדחתה</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>אין קובץ או תיקייה בשם זה</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>זוהי תיקייה</translation>
    </message>
    <message>
        <source>Not a directory</source>
        <translation>זו אינה תיקייה</translation>
    </message>
    <message>
        <source>Cannot allocate memory</source>
        <translation>לא ניתן להקצות זיכרון</translation>
    </message>
    <message>
        <source>No space left on device</source>
        <translation>לא נותר מקום פנוי בהתקן</translation>
    </message>
    <message>
        <source>Read-only file system</source>
        <translation>מערכת קבצים לקריאה בלבד</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>שגיאת קלט/פלט</translation>
    </message>
    <message>
        <source>Operation not permitted</source>
        <translation>הפעולה אינה מותרת</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>התיקייה אינה ריקה</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>יותר מדי רמות של קישורים סמליים</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>שם הקובץ ארוך מדי</translation>
    </message>
    <message>
        <source>Disk quota exceeded</source>
        <translation>חריגה ממכסת הדיסק</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>ההתקן או המשאב תפוס</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>יותר מדי קבצים פתוחים</translation>
    </message>
    <message>
        <source>Too many open files in system</source>
        <translation>יותר מדי קבצים פתוחים במערכת</translation>
    </message>
    <message>
        <source>File too large</source>
        <translation>הקובץ גדול מדי</translation>
    </message>
    <message>
        <source>Invalid cross-device link</source>
        <translation>קישור לא תקין בין התקנים</translation>
    </message>
    <message>
        <source>Text file busy</source>
        <translation>קובץ ההרצה תפוס</translation>
    </message>
    <message>
        <source>File exists</source>
        <translation>הקובץ כבר קיים</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>ארגומנט לא תקין</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>המשאב אינו זמין זמנית</translation>
    </message>
    <message>
        <source>No such device or address</source>
        <translation>אין התקן או כתובת כאלה</translation>
    </message>
    <message>
        <source>Value too large for defined data type</source>
        <translation>הערך גדול מדי עבור סוג הנתונים שהוגדר</translation>
    </message>
    <message>
        <source>Stale file handle</source>
        <translation>מזהה הקובץ אינו בתוקף עוד</translation>
    </message>
    <message>
        <source>Structure needs cleaning</source>
        <translation>המבנה דורש ניקוי</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>קריאת המערכת נקטעה</translation>
    </message>
    <message>
        <source>Bad file descriptor</source>
        <translation>מתאר קובץ שגוי</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <source>Select Printers to Install</source>
        <translation>בחירת מדפסות להתקנה</translation>
    </message>
    <message>
        <source>Printers</source>
        <translation>מדפסות</translation>
    </message>
    <message>
        <source>No printers found or file not loaded.</source>
        <translation>לא נמצאו מדפסות או שהקובץ לא נטען.</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>בחירת הכול</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>ביטול</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>אישור</translation>
    </message>
    <message>
        <source>Printer Selection</source>
        <translation>בחירת מדפסות</translation>
    </message>
</context>
<context>
    <name>KestrowApp</name>
    <message>
        <source>Orvane Setup</source>
        <translation>התקנת Orvane</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <comment>Translate this string to the string &apos;LTR&apos; in left-to-right languages or to &apos;RTL&apos; in right-to-left languages (such as Hebrew and Arabic) to get proper widget layout.</comment>
        <translation>RTL</translation>
    </message>
</context>
</TS>
