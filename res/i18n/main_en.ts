<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>ZT-40 Pinwarden Version 1.01</source>
        <translation>ZT-40 Pinwarden Version 1.01</translation>
    </message>
    <message>
        <source>Copyright (C) 2026 The Pinwarden developers</source>
        <translation>Copyright (C) 2026 The Pinwarden developers</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>SimulatorWindow</name>
    <message>
        <source>spooling</source>
        <translation>spooling</translation>
    </message>
    <message>
        <source>queued</source>
        <translation>queued</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>printed</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>abandoned</source>
        <translation>abandoned</translation>
    </message>
    <message>
        <source>Job %1 &quot;%2&quot; on %3: %4 bytes, %5</source>
        <translation>Job %1 &quot;%2&quot; on %3: %4 bytes, %5</translation>
    </message>
    <message>
        <source>ZT-40 simulator</source>
        <translation>ZT-40 simulator</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>Plugged in</source>
        <translation>Plugged in</translation>
    </message>
    <message>
        <source>Switched on</source>
        <translation>Switched on</translation>
    </message>
    <message>
        <source>Busy (never ready)</source>
        <translation>Busy (never ready)</translation>
    </message>
    <message>
        <source>Answers commands:</source>
        <translation>Answers commands:</translation>
    </message>
    <message>
        <source>normally</source>
        <translation>normally</translation>
    </message>
    <message>
        <source>with an error state</source>
        <translation>with an error state</translation>
    </message>
    <message>
        <source>not at all</source>
        <translation>not at all</translation>
    </message>
    <message>
        <source>Queue &quot;%1&quot;</source>
        <translation>Queue &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Installed</source>
        <translation>Installed</translation>
    </message>
    <message>
        <source>Online (not paused)</source>
        <translation>Online (not paused)</translation>
    </message>
    <message>
        <source>Pin counters</source>
        <translation>Pin counters</translation>
    </message>
    <message>
        <source>No.%1:</source>
        <translation>No.%1:</translation>
    </message>
    <message>
        <source>Wear pins into every band</source>
        <translation>Wear pins into every band</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Jobs</translation>
    </message>
    <message>
        <source>Print queued jobs</source>
        <translation>Print queued jobs</translation>
    </message>
</context>
</TS>
