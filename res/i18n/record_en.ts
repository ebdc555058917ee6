<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
<context>
    <name>UsageRecord</name>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 was not found.</translation>
    </message>
    <message>
        <source>%1 contains an invalid path.</source>
        <translation>%1 contains an invalid path.</translation>
    </message>
    <message>
        <source>%1 could not be opened because there are too many open files.</source>
        <translation>%1 could not be opened because there are too many open files.</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>Access to %1 was denied.</translation>
    </message>
    <message>
        <source>An invalid file handle was associated with %1.</source>
        <translation>An invalid file handle was associated with %1.</translation>
    </message>
    <message>
        <source>%1 could not be created because the directory is full.</source>
        <translation>%1 could not be created because the directory is full.</translation>
    </message>
    <message>
        <source>Seek failed on %1</source>
        <translation>Seek failed on %1</translation>
    </message>
    <message>
        <source>A hardware I/O error was reported while accessing %1.</source>
        <translation>A hardware I/O error was reported while accessing %1.</translation>
    </message>
    <message>
        <source>A sharing violation occurred while accessing %1.</source>
        <translation>A sharing violation occurred while accessing %1.</translation>
    </message>
    <message>
        <source>A locking violation occurred while accessing %1.</source>
        <translation>A locking violation occurred while accessing %1.</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>Disk full while accessing %1.</translation>
    </message>
    <message>
        <source>An attempt was made to access %1 past its end.</source>
        <translation>An attempt was made to access %1 past its end.</translation>
    </message>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation>An unknown error occurred while accessing %1.</translation>
    </message>
    <message>
        <source>Please do again to turn on the power of ZT-40</source>
        <translation>Please do again to turn on the power of ZT-40</translation>
    </message>
</context>
</TS>
