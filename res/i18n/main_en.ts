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
    <name>CPinwardenDlg</name>
    <message>
        <source>The head cleaning is executed.</source>
        <translation>The head cleaning is executed.</translation>
    </message>
    <message>
        <source>Restoration of setting</source>
        <translation>Restoration of setting</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>Connect one ZT-40 unit and switch on the power.</source>
        <translation>Connect one ZT-40 unit and switch on the power.</translation>
    </message>
    <message>
        <source>ZT-40 Pinwarden</source>
        <translation>ZT-40 Pinwarden</translation>
    </message>
    <message>
        <source>Pinwarden</source>
        <translation>Pinwarden</translation>
    </message>
    <message>
        <source>Selection of the Pin for Marking</source>
        <translation>Selection of the Pin for Marking</translation>
    </message>
    <message>
        <source>If a red indicator is displayed, change to a different pin.</source>
        <translation>If a red indicator is displayed, change to a different pin.</translation>
    </message>
    <message>
        <source>No.%1:</source>
        <translation>No.%1:</translation>
    </message>
    <message>
        <source>Amount used</source>
        <translation>Amount used</translation>
    </message>
    <message>
        <source>Ready: ZT-40 on queue %1</source>
        <translation>Ready: ZT-40 on queue %1</translation>
    </message>
    <message>
        <source>Cleaning: step %1 of %2</source>
        <translation>Cleaning: step %1 of %2</translation>
    </message>
    <message>
        <source>The head cleaning is finished.</source>
        <translation>The head cleaning is finished.</translation>
    </message>
    <message>
        <source>The head cleaning stopped with %1 of %2 steps done.</source>
        <translation>The head cleaning stopped with %1 of %2 steps done.</translation>
    </message>
    <message>
        <source>Moving the head to the center...</source>
        <translation>Moving the head to the center...</translation>
    </message>
    <message>
        <source>The head was not moved.</source>
        <translation>The head was not moved.</translation>
    </message>
    <message>
        <source>Writing the pin settings...</source>
        <translation>Writing the pin settings...</translation>
    </message>
    <message>
        <source>Writing the usage counters...</source>
        <translation>Writing the usage counters...</translation>
    </message>
    <message>
        <source>The pin settings were written.</source>
        <translation>The pin settings were written.</translation>
    </message>
    <message>
        <source>The pin settings were not written.</source>
        <translation>The pin settings were not written.</translation>
    </message>
    <message>
        <source>The new head&apos;s usage counters were not cleared.</source>
        <translation>The new head&apos;s usage counters were not cleared.</translation>
    </message>
    <message>
        <source>No.%1 is now the pin for marking.</source>
        <translation>No.%1 is now the pin for marking.</translation>
    </message>
    <message>
        <source>The pin for marking was not changed: No.%1 stays in use.</source>
        <translation>The pin for marking was not changed: No.%1 stays in use.</translation>
    </message>
    <message>
        <source>The printer&apos;s data was read again.</source>
        <translation>The printer&apos;s data was read again.</translation>
    </message>
    <message>
        <source>The printer&apos;s data could not be read: the window still shows the data read before.</source>
        <translation>The printer&apos;s data could not be read: the window still shows the data read before.</translation>
    </message>
    <message>
        <source>The wizard was not started: the printer&apos;s data could not be read first.</source>
        <translation>The wizard was not started: the printer&apos;s data could not be read first.</translation>
    </message>
    <message>
        <source>The printer&apos;s settings and counters are in range: nothing was restored.</source>
        <translation>The printer&apos;s settings and counters are in range: nothing was restored.</translation>
    </message>
    <message>
        <source>The settings were not restored completely.</source>
        <translation>The settings were not restored completely.</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings are out of range. Write those of the last usable record in %1?</source>
        <translation>The printer&apos;s pin settings are out of range. Write those of the last usable record in %1?</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings are out of range. Write the default pin settings?</source>
        <translation>The printer&apos;s pin settings are out of range. Write the default pin settings?</translation>
    </message>
    <message>
        <source>The printer&apos;s usage counters are out of range. Write those of the last usable record in %1?</source>
        <translation>The printer&apos;s usage counters are out of range. Write those of the last usable record in %1?</translation>
    </message>
    <message>
        <source>The printer&apos;s usage counters are out of range. Write the default usage counters?</source>
        <translation>The printer&apos;s usage counters are out of range. Write the default usage counters?</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings and usage counters are out of range. Write those of the last usable record in %1?</source>
        <translation>The printer&apos;s pin settings and usage counters are out of range. Write those of the last usable record in %1?</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings and usage counters are out of range. Write the default pin settings and usage counters?</source>
        <translation>The printer&apos;s pin settings and usage counters are out of range. Write the default pin settings and usage counters?</translation>
    </message>
    <message>
        <source>C&amp;leaning</source>
        <translation>C&amp;leaning</translation>
    </message>
    <message>
        <source>&amp;Replace Head...</source>
        <translation>&amp;Replace Head...</translation>
    </message>
    <message>
        <source>Readjust &amp;Pins...</source>
        <translation>Readjust &amp;Pins...</translation>
    </message>
    <message>
        <source>R&amp;efresh</source>
        <translation>R&amp;efresh</translation>
    </message>
    <message>
        <source>&amp;Apply Pin Change</source>
        <translation>&amp;Apply Pin Change</translation>
    </message>
    <message>
        <source>The wizard was cancelled: the printer&apos;s settings were put back as they were.</source>
        <translation>The wizard was cancelled: the printer&apos;s settings were put back as they were.</translation>
    </message>
    <message>
        <source>Not connected: last read %1</source>
        <translation>Not connected: last read %1</translation>
    </message>
    <message>
        <source>The printer&apos;s values are out of range.</source>
        <translation>The printer&apos;s values are out of range.</translation>
    </message>
    <message>
        <source>Restoration of &amp;setting</source>
        <translation>Restoration of &amp;setting</translation>
    </message>
    <message>
        <source>Not ready: ZT-40 on queue %1</source>
        <translation>Not ready: ZT-40 on queue %1</translation>
    </message>
    <message>
        <source>Changing the pin for marking...</source>
        <translation>Changing the pin for marking...</translation>
    </message>
    <message>
        <source>The pin settings of the record of %1 were written.</source>
        <translation>The pin settings of the record of %1 were written.</translation>
    </message>
    <message>
        <source>The default pin settings were written.</source>
        <translation>The default pin settings were written.</translation>
    </message>
    <message>
        <source>The usage counters of the record of %1 were written.</source>
        <translation>The usage counters of the record of %1 were written.</translation>
    </message>
    <message>
        <source>The default usage counters were written.</source>
        <translation>The default usage counters were written.</translation>
    </message>
    <message>
        <source>The pin settings and usage counters of the record of %1 were written.</source>
        <translation>The pin settings and usage counters of the record of %1 were written.</translation>
    </message>
    <message>
        <source>The default pin settings and usage counters were written.</source>
        <translation>The default pin settings and usage counters were written.</translation>
    </message>
    <message>
        <source>The record of %1 holds (now -&gt; written):</source>
        <translation>The record of %1 holds (now -&gt; written):</translation>
    </message>
    <message>
        <source>The defaults are (now -&gt; written):</source>
        <translation>The defaults are (now -&gt; written):</translation>
    </message>
    <message>
        <source>Every value stays as it is.</source>
        <translation>Every value stays as it is.</translation>
    </message>
    <message>
        <source>The record&apos;s pin settings fail the range check: they would not be written.</source>
        <translation>The record&apos;s pin settings fail the range check: they would not be written.</translation>
    </message>
    <message>
        <source>word pair: %1 -&gt; %2</source>
        <translation>word pair: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>selected pin: %1 -&gt; %2</source>
        <translation>selected pin: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>adjustment (pins 1-9): %1 -&gt; %2</source>
        <translation>adjustment (pins 1-9): %1 -&gt; %2</translation>
    </message>
    <message>
        <source>total counter: %1 -&gt; %2</source>
        <translation>total counter: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>pin counter (pins 1-9): %1 -&gt; %2</source>
        <translation>pin counter (pins 1-9): %1 -&gt; %2</translation>
    </message>
    <message>
        <source>head counter: %1 -&gt; %2</source>
        <translation>head counter: %1 -&gt; %2</translation>
    </message>
</context>
<context>
    <name>CPrintJobSender</name>
    <message>
        <source>The print spooler reported an error but gave no description of it.</source>
        <translation>The print spooler reported an error but gave no description of it.</translation>
    </message>
    <message>
        <source>The print data %1 is missing from the program.</source>
        <translation>The print data %1 is missing from the program.</translation>
    </message>
</context>
<context>
    <name>CVendorPacket</name>
    <message>
        <source>Out of memory.</source>
        <translation>Out of memory.</translation>
    </message>
</context>
<context>
    <name>DeviceAccess</name>
    <message>
        <source>The printer&apos;s queue cannot be read from the print spooler.</source>
        <translation>The printer&apos;s queue cannot be read from the print spooler.</translation>
    </message>
    <message>
        <source>The ZT-40 is not connected or not switched on.</source>
        <translation>The ZT-40 is not connected or not switched on.</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but its USB device cannot be opened: no permission (install the udev rule, then reconnect the printer).</source>
        <translation>The ZT-40 is connected but its USB device cannot be opened: no permission (install the udev rule, then reconnect the printer).</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but its USB device is in use by another program.</source>
        <translation>The ZT-40 is connected but its USB device is in use by another program.</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but its USB device cannot be opened.</source>
        <translation>The ZT-40 is connected but its USB device cannot be opened.</translation>
    </message>
    <message>
        <source>The print spooler cannot be reached: it is not running or refuses the connection.</source>
        <translation>The print spooler cannot be reached: it is not running or refuses the connection.</translation>
    </message>
    <message>
        <source>The print spooler does not answer: restart it (sudo systemctl restart cups).</source>
        <translation>The print spooler does not answer: restart it (sudo systemctl restart cups).</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but does not answer: switch it off and on again.</source>
        <translation>The ZT-40 is connected but does not answer: switch it off and on again.</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>the queue &quot;%1&quot; does not use the &quot;Velmora ZT-40&quot; driver</source>
        <translation>the queue &quot;%1&quot; does not use the &quot;Velmora ZT-40&quot; driver</translation>
    </message>
    <message>
        <source>no queue is named &quot;%1&quot;</source>
        <translation>no queue is named &quot;%1&quot;</translation>
    </message>
    <message>
        <source>name a ZT-40 queue that zt40ctl queues lists</source>
        <translation>name a ZT-40 queue that zt40ctl queues lists</translation>
    </message>
    <message>
        <source>not on a USB port</source>
        <translation>not on a USB port</translation>
    </message>
    <message>
        <source>a network queue</source>
        <translation>a network queue</translation>
    </message>
    <message>
        <source>stopped or offline, or its printer is not plugged in</source>
        <translation>stopped or offline, or its printer is not plugged in</translation>
    </message>
    <message>
        <source>no queue uses the &quot;Velmora ZT-40&quot; driver (%1 other queues)</source>
        <translation>no queue uses the &quot;Velmora ZT-40&quot; driver (%1 other queues)</translation>
    </message>
    <message>
        <source>add one: lpadmin -p ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (zt40ctl queues shows the queues)</source>
        <translation>add one: lpadmin -p ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (zt40ctl queues shows the queues)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; will be used</source>
        <translation>&quot;%1&quot; will be used</translation>
    </message>
    <message>
        <source>&quot;%1&quot; will be used; not chosen: %2</source>
        <translation>&quot;%1&quot; will be used; not chosen: %2</translation>
    </message>
    <message>
        <source>give the queue the printer&apos;s USB address: lpadmin -p QUEUE -v USB-URI</source>
        <translation>give the queue the printer&apos;s USB address: lpadmin -p QUEUE -v USB-URI</translation>
    </message>
    <message>
        <source>plug in and switch on the printer; if it is on: cupsenable &quot;%1&quot;; cupsaccept &quot;%1&quot;</source>
        <translation>plug in and switch on the printer; if it is on: cupsenable &quot;%1&quot;; cupsaccept &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no usable ZT-40 queue: %1</source>
        <translation>no usable ZT-40 queue: %1</translation>
    </message>
    <message>
        <source>the printer&apos;s USB device cannot be opened</source>
        <translation>the printer&apos;s USB device cannot be opened</translation>
    </message>
    <message>
        <source>see the checks above</source>
        <translation>see the checks above</translation>
    </message>
    <message>
        <source>the printer does not answer a status request</source>
        <translation>the printer does not answer a status request</translation>
    </message>
    <message>
        <source>switch the printer off and on again</source>
        <translation>switch the printer off and on again</translation>
    </message>
    <message>
        <source>the printer answers status 0x%1 (ready)</source>
        <translation>the printer answers status 0x%1 (ready)</translation>
    </message>
    <message>
        <source>the printer answers status 0x%1: not ready</source>
        <translation>the printer answers status 0x%1: not ready</translation>
    </message>
    <message>
        <source>let a running job end, or clear the printer&apos;s error and switch it off and on again</source>
        <translation>let a running job end, or clear the printer&apos;s error and switch it off and on again</translation>
    </message>
    <message>
        <source>no folder for the usage records can be created</source>
        <translation>no folder for the usage records can be created</translation>
    </message>
    <message>
        <source>let this user write in /var/lib or in ~/.local/state</source>
        <translation>let this user write in /var/lib or in ~/.local/state</translation>
    </message>
    <message>
        <source>not checked: it needs the checks above</source>
        <translation>not checked: it needs the checks above</translation>
    </message>
    <message>
        <source>the print spooler cannot be reached: %1</source>
        <translation>the print spooler cannot be reached: %1</translation>
    </message>
    <message>
        <source>start it: sudo systemctl start cups</source>
        <translation>start it: sudo systemctl start cups</translation>
    </message>
    <message>
        <source>the print spooler does not answer: %1</source>
        <translation>the print spooler does not answer: %1</translation>
    </message>
    <message>
        <source>restart it: sudo systemctl restart cups</source>
        <translation>restart it: sudo systemctl restart cups</translation>
    </message>
    <message>
        <source>the print spooler answers</source>
        <translation>the print spooler answers</translation>
    </message>
    <message>
        <source>the record folder %1 is missing or not writable</source>
        <translation>the record folder %1 is missing or not writable</translation>
    </message>
    <message>
        <source>sudo chmod 1777 &quot;%1&quot;</source>
        <translation>sudo chmod 1777 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the record folder %1 is writable</source>
        <translation>the record folder %1 is writable</translation>
    </message>
    <message>
        <source>the printer is in use by another program</source>
        <translation>the printer is in use by another program</translation>
    </message>
    <message>
        <source>close the other program that uses the printer (another ZT-40 Pinwarden or zt40ctl), then try again</source>
        <translation>close the other program that uses the printer (another ZT-40 Pinwarden or zt40ctl), then try again</translation>
    </message>
    <message>
        <source>the printer answers the status request with error state %1</source>
        <translation>the printer answers the status request with error state %1</translation>
    </message>
    <message>
        <source>clear the error: switch the printer off and on again</source>
        <translation>clear the error: switch the printer off and on again</translation>
    </message>
    <message>
        <source>the record folder %1 is a file, not a folder</source>
        <translation>the record folder %1 is a file, not a folder</translation>
    </message>
    <message>
        <source>move the file &quot;%1&quot; away, or name another folder in ZT40_DATA_DIR</source>
        <translation>move the file &quot;%1&quot; away, or name another folder in ZT40_DATA_DIR</translation>
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
        <source>&amp;Answers commands:</source>
        <translation>&amp;Answers commands:</translation>
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
    <message>
        <source>&amp;Plugged in</source>
        <translation>&amp;Plugged in</translation>
    </message>
    <message>
        <source>S&amp;witched on</source>
        <translation>S&amp;witched on</translation>
    </message>
    <message>
        <source>&amp;Busy (never ready)</source>
        <translation>&amp;Busy (never ready)</translation>
    </message>
    <message>
        <source>&amp;Installed</source>
        <translation>&amp;Installed</translation>
    </message>
    <message>
        <source>&amp;Online (not paused)</source>
        <translation>&amp;Online (not paused)</translation>
    </message>
</context>
</TS>
