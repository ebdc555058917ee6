<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en">
<context>
    <name>CAdjustPinPage</name>
    <message>
        <source>Adjust Pin</source>
        <translation>Adjust Pin</translation>
    </message>
    <message>
        <source>1. Load material (60 mm square) at the center of the table.
2. Click [Start Printing].</source>
        <translation>1. Load material (60 mm square) at the center of the table.
2. Click [Start Printing].</translation>
    </message>
    <message>
        <source>Wait for printing to finish, then click [Next].
(Printing takes about ten minutes.)</source>
        <translation>Wait for printing to finish, then click [Next].
(Printing takes about ten minutes.)</translation>
    </message>
    <message>
        <source>If no letters of the alphabet are printed, choose the pin for marking, then click [Print Letters].</source>
        <translation>If no letters of the alphabet are printed, choose the pin for marking, then click [Print Letters].</translation>
    </message>
    <message>
        <source>Pin No.</source>
        <translation>Pin No.</translation>
    </message>
    <message>
        <source>&amp;Start Printing</source>
        <translation>&amp;Start Printing</translation>
    </message>
    <message>
        <source>Print &amp;Letters</source>
        <translation>Print &amp;Letters</translation>
    </message>
</context>
<context>
    <name>CInputValuePage</name>
    <message>
        <source>Input Value</source>
        <translation>Input Value</translation>
    </message>
    <message>
        <source>Adjust the striking force of each pin to eliminate differences in printing results among the pins.</source>
        <translation>Adjust the striking force of each pin to eliminate differences in printing results among the pins.</translation>
    </message>
    <message>
        <source>1.Note the letter and numeral at the location where printing breaks off.
2.Drag the slider to the left or right to set the value you noted.
3.Click the [Set] button.</source>
        <translation>1.Note the letter and numeral at the location where printing breaks off.
2.Drag the slider to the left or right to set the value you noted.
3.Click the [Set] button.</translation>
    </message>
    <message>
        <source>After clicking [Set], click [Next].</source>
        <translation>After clicking [Set], click [Next].</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Set</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>The corrections were written: %1</source>
        <translation>The corrections were written: %1</translation>
    </message>
    <message>
        <source>The corrections were not written; the readings are kept.</source>
        <translation>The corrections were not written; the readings are kept.</translation>
    </message>
    <message>
        <source>No pin has a reading: there is nothing to write.</source>
        <translation>No pin has a reading: there is nothing to write.</translation>
    </message>
</context>
<context>
    <name>CMoveHeadPage</name>
    <message>
        <source>Move Head</source>
        <translation>Move Head</translation>
    </message>
    <message>
        <source>Click [Move Head] to move the head to the center.

After moving, click [Next].</source>
        <translation>Click [Move Head] to move the head to the center.

After moving, click [Next].</translation>
    </message>
    <message>
        <source>&amp;Move Head</source>
        <translation>&amp;Move Head</translation>
    </message>
</context>
<context>
    <name>COriginPinPage</name>
    <message>
        <source>Origin Pin</source>
        <translation>Origin Pin</translation>
    </message>
    <message>
        <source>You adjust Origin point. When it can prepare the plate for adjustment, after choosing the pin which is used please push the button under. Pattern for Origin adjustment is carved.</source>
        <translation>You adjust Origin point. When it can prepare the plate for adjustment, after choosing the pin which is used please push the button under. Pattern for Origin adjustment is carved.</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Pin</translation>
    </message>
    <message>
        <source>Start Adjustment.</source>
        <translation>Start Adjustment.</translation>
    </message>
</context>
<context>
    <name>CPinwardenDlg</name>
    <message>
        <source>The printer&apos;s settings are out of range. Choose &quot;Restoration of setting&quot; in the window&apos;s menu.</source>
        <translation>The printer&apos;s settings are out of range. Choose &quot;Restoration of setting&quot; in the window&apos;s menu.</translation>
    </message>
</context>
<context>
    <name>CPowerAgainPage</name>
    <message>
        <source>Power Off/On</source>
        <translation>Power Off/On</translation>
    </message>
    <message>
        <source>Hold down the [Power/Movement] button for one second or longer to switch off the power, then switch the power on again.

When you&apos;re done, click [Finish].</source>
        <translation>Hold down the [Power/Movement] button for one second or longer to switch off the power, then switch the power on again.

When you&apos;re done, click [Finish].</translation>
    </message>
</context>
<context>
    <name>CPowerOffPage</name>
    <message>
        <source>Power Off</source>
        <translation>Power Off</translation>
    </message>
    <message>
        <source>Detach the AC adapter from the ZT-40.

After detaching, click [Next].</source>
        <translation>Detach the AC adapter from the ZT-40.

After detaching, click [Next].</translation>
    </message>
</context>
<context>
    <name>CPowerOnPage</name>
    <message>
        <source>Power On</source>
        <translation>Power On</translation>
    </message>
    <message>
        <source>Attach the AC adapter and switch on the power.

When finished, click [Next].</source>
        <translation>Attach the AC adapter and switch on the power.

When finished, click [Next].</translation>
    </message>
</context>
<context>
    <name>CPutOnHeadPage</name>
    <message>
        <source>Head installation</source>
        <translation>Head installation</translation>
    </message>
    <message>
        <source>1. Install the new head.
2. Attach the two screws to secure the head in place.
3. Load the head cap

When finished, click [Next].</source>
        <translation>1. Install the new head.
2. Attach the two screws to secure the head in place.
3. Load the head cap

When finished, click [Next].</translation>
    </message>
</context>
<context>
    <name>CReplaceHeadPage</name>
    <message>
        <source>Replace Head</source>
        <translation>Replace Head</translation>
    </message>
    <message>
        <source>1. Make sure the head is the highest position.
2. Remove the two screws.
3. Pull the head back to extract and remove.
4. Unload the head cap.

When finished, click [Next].</source>
        <translation>1. Make sure the head is the highest position.
2. Remove the two screws.
3. Pull the head back to extract and remove.
4. Unload the head cap.

When finished, click [Next].</translation>
    </message>
    <message>
        <source>Caution: High Temperature

The head area becomes hot.
Never touch the head immediately after printing has finished.
Doing so may cause burns.</source>
        <translation>Caution: High Temperature

The head area becomes hot.
Never touch the head immediately after printing has finished.
Doing so may cause burns.</translation>
    </message>
</context>
<context>
    <name>CZt40utilSheet</name>
    <message>
        <source>wizard</source>
        <translation>wizard</translation>
    </message>
</context>
<context>
    <name>MaintenanceFrame</name>
    <message>
        <source>Putting the settings back...</source>
        <translation>Putting the settings back...</translation>
    </message>
    <message>
        <source>Reading the printer&apos;s values...</source>
        <translation>Reading the printer&apos;s values...</translation>
    </message>
</context>
<context>
    <name>Outcome</name>
    <message>
        <source>A maintenance wizard is open: finish or cancel it first.</source>
        <translation>A maintenance wizard is open: finish or cancel it first.</translation>
    </message>
    <message>
        <source>The ZT-40 is busy (status %1). Wait until it has finished, then try again.</source>
        <translation>The ZT-40 is busy (status %1). Wait until it has finished, then try again.</translation>
    </message>
    <message>
        <source>The ZT-40 reports error state %1. Clear the error (switch the printer off and on), then try again.</source>
        <translation>The ZT-40 reports error state %1. Clear the error (switch the printer off and on), then try again.</translation>
    </message>
    <message>
        <source>The ZT-40 does not answer. Check the cable and the power switch, then try again.</source>
        <translation>The ZT-40 does not answer. Check the cable and the power switch, then try again.</translation>
    </message>
    <message>
        <source>The ZT-40 was not ready within 15 s. Wait until it has finished what it is doing, then try again.</source>
        <translation>The ZT-40 was not ready within 15 s. Wait until it has finished what it is doing, then try again.</translation>
    </message>
    <message>
        <source>Cancelled: nothing more was sent to the ZT-40.</source>
        <translation>Cancelled: nothing more was sent to the ZT-40.</translation>
    </message>
    <message>
        <source>No.%1 would get the adjustment %2, outside %3..%4. Print the pattern again and check the readings.</source>
        <translation>No.%1 would get the adjustment %2, outside %3..%4. Print the pattern again and check the readings.</translation>
    </message>
</context>
<context>
    <name>QueueRule</name>
    <message>
        <source>No print queue uses the &quot;%1&quot; driver: add a queue for the ZT-40 (or add it again if it was removed).</source>
        <translation>No print queue uses the &quot;%1&quot; driver: add a queue for the ZT-40 (or add it again if it was removed).</translation>
    </message>
    <message>
        <source>There is no print queue named &quot;%1&quot;.</source>
        <translation>There is no print queue named &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The queue %1 does not use the &quot;%2&quot; driver.</source>
        <translation>The queue %1 does not use the &quot;%2&quot; driver.</translation>
    </message>
    <message>
        <source>The queue %1 does not print to a USB port: connect the ZT-40 to this computer&apos;s USB.</source>
        <translation>The queue %1 does not print to a USB port: connect the ZT-40 to this computer&apos;s USB.</translation>
    </message>
    <message>
        <source>The queue %1 is a network queue: connect the ZT-40 to this computer&apos;s USB.</source>
        <translation>The queue %1 is a network queue: connect the ZT-40 to this computer&apos;s USB.</translation>
    </message>
    <message>
        <source>The queue %1 is paused or offline, or its printer is unplugged or switched off: resume the queue, plug the ZT-40 in and switch it on.</source>
        <translation>The queue %1 is paused or offline, or its printer is unplugged or switched off: resume the queue, plug the ZT-40 in and switch it on.</translation>
    </message>
</context>
<context>
    <name>RollbackPrompt</name>
    <message>
        <source>Neither the pin settings nor the usage counters could be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</source>
        <translation>Neither the pin settings nor the usage counters could be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</translation>
    </message>
    <message>
        <source>The usage counters could not be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</source>
        <translation>The usage counters could not be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</translation>
    </message>
    <message>
        <source>The pin settings could not be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</source>
        <translation>The pin settings could not be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</translation>
    </message>
</context>
<context>
    <name>Wizard</name>
    <message>
        <source>Step %1 of %2</source>
        <translation>Step %1 of %2</translation>
    </message>
    <message>
        <source>Cancel the wizard? What it changed on the printer is put back as it was before the wizard started.</source>
        <translation>Cancel the wizard? What it changed on the printer is put back as it was before the wizard started.</translation>
    </message>
    <message>
        <source>The print job was sent to the queue %1.</source>
        <translation>The print job was sent to the queue %1.</translation>
    </message>
    <message>
        <source>The print job was not sent completely to the queue %1.</source>
        <translation>The print job was not sent completely to the queue %1.</translation>
    </message>
</context>
<context>
    <name>WizardHost</name>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; &amp;Back</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>&amp;Next &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>&amp;Finish</translation>
    </message>
</context>
</TS>
