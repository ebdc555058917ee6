<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
<context>
    <name>HistoryDialog</name>
    <message>
        <source>Maintenance history</source>
        <translation>Maintenance history</translation>
    </message>
    <message>
        <source>No maintenance has been recorded yet.</source>
        <translation>No maintenance has been recorded yet.</translation>
    </message>
    <message>
        <source>Records of %1, newest first.</source>
        <translation>Records of %1, newest first.</translation>
    </message>
    <message>
        <source>Export to CSV...</source>
        <translation>Export to CSV...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>The history could not be written to %1: %2</source>
        <translation>The history could not be written to %1: %2</translation>
    </message>
    <message>
        <source>Export history</source>
        <translation>Export history</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Maintenance history...</source>
        <translation>Maintenance history...</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Wear</source>
        <translation>Wear</translation>
    </message>
    <message>
        <source>The history was written to %1.</source>
        <translation>The history was written to %1.</translation>
    </message>
</context>
<context>
    <name>UsageHistory</name>
    <message>
        <source>cut short: the file ends after %1 of its 10 lines</source>
        <translation>cut short: the file ends after %1 of its 10 lines</translation>
    </message>
    <message>
        <source>the total counter is negative or 2147483648 or more</source>
        <translation>the total counter is negative or 2147483648 or more</translation>
    </message>
    <message>
        <source>the counter of pin %1 is negative or 2147483648 or more</source>
        <translation>the counter of pin %1 is negative or 2147483648 or more</translation>
    </message>
    <message>
        <source>the head counter is negative or 32768 or more</source>
        <translation>the head counter is negative or 32768 or more</translation>
    </message>
    <message>
        <source>No folder for the usage record could be found or created.</source>
        <translation>No folder for the usage record could be found or created.</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Head</source>
        <translation>Head</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Pin 1</source>
        <translation>Pin 1</translation>
    </message>
    <message>
        <source>Pin 2</source>
        <translation>Pin 2</translation>
    </message>
    <message>
        <source>Pin 3</source>
        <translation>Pin 3</translation>
    </message>
    <message>
        <source>Pin 4</source>
        <translation>Pin 4</translation>
    </message>
    <message>
        <source>Pin 5</source>
        <translation>Pin 5</translation>
    </message>
    <message>
        <source>Pin 6</source>
        <translation>Pin 6</translation>
    </message>
    <message>
        <source>Pin 7</source>
        <translation>Pin 7</translation>
    </message>
    <message>
        <source>Pin 8</source>
        <translation>Pin 8</translation>
    </message>
    <message>
        <source>Pin 9</source>
        <translation>Pin 9</translation>
    </message>
    <message>
        <source>Word pair</source>
        <translation>Word pair</translation>
    </message>
    <message>
        <source>Adjustments (pins 1-9)</source>
        <translation>Adjustments (pins 1-9)</translation>
    </message>
    <message>
        <source>Selected pin</source>
        <translation>Selected pin</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>finished</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>cancelled</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>yes: restore takes this one</source>
        <translation>yes: restore takes this one</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>cut short: the file ends inside its last line</source>
        <translation>cut short: the file ends inside its last line</translation>
    </message>
</context>
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
    <message>
        <source>Nothing was restored: the printer keeps its values until %1 can be read.</source>
        <translation>Nothing was restored: the printer keeps its values until %1 can be read.</translation>
    </message>
</context>
<context>
    <name>WearChart</name>
    <message>
        <source>No counter samples yet: the window and zt40ctl status keep one a day.</source>
        <translation>No counter samples yet: the window and zt40ctl status keep one a day.</translation>
    </message>
    <message>
        <source>Wear of printer %1</source>
        <translation>Wear of printer %1</translation>
    </message>
    <message>
        <source>Counts</source>
        <translation>Counts</translation>
    </message>
    <message>
        <source>Yellow band</source>
        <translation>Yellow band</translation>
    </message>
    <message>
        <source>Red band</source>
        <translation>Red band</translation>
    </message>
    <message>
        <source>Pin %1</source>
        <translation>Pin %1</translation>
    </message>
</context>
<context>
    <name>WearForecast</name>
    <message>
        <source>in the red band: change the marking pin</source>
        <translation>in the red band: change the marking pin</translation>
    </message>
    <message>
        <source>in the yellow band</source>
        <translation>in the yellow band</translation>
    </message>
    <message>
        <source>in the yellow band, red in about %1 days</source>
        <translation>in the yellow band, red in about %1 days</translation>
    </message>
    <message>
        <source>yellow in about %1 days, red in about %2 days</source>
        <translation>yellow in about %1 days, red in about %2 days</translation>
    </message>
    <message>
        <source>Pin %1: %2 counts</source>
        <translation>Pin %1: %2 counts</translation>
    </message>
    <message>
        <source>Pin %1 of the ZT-40 has reached the red band: change the marking pin.</source>
        <translation>Pin %1 of the ZT-40 has reached the red band: change the marking pin.</translation>
    </message>
    <message>
        <source>Pin %1 of the ZT-40 has reached the yellow band: plan to change the marking pin.</source>
        <translation>Pin %1 of the ZT-40 has reached the yellow band: plan to change the marking pin.</translation>
    </message>
</context>
</TS>
