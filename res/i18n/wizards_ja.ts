<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>CAdjustPinPage</name>
    <message>
        <source>Adjust Pin</source>
        <translation>ピン調整</translation>
    </message>
    <message>
        <source>1. Load material (60 mm square) at the center of the table.
2. Click [Start Printing].</source>
        <translation>1. 素材(60 mm角)をテーブルの中央に置いてください。
2. [印刷開始]をクリックしてください。</translation>
    </message>
    <message>
        <source>Wait for printing to finish, then click [Next].
(Printing takes about ten minutes.)</source>
        <translation>印刷が終わるまで待ってから、[次へ]をクリックしてください。
(印刷には約10分かかります。)</translation>
    </message>
    <message>
        <source>If no letters of the alphabet are printed, choose the pin for marking, then click [Print Letters].</source>
        <translation>アルファベットが印刷されない場合は、打刻するピンを選んでから[文字印刷]をクリックしてください。</translation>
    </message>
    <message>
        <source>Pin No.</source>
        <translation>ピン番号</translation>
    </message>
    <message>
        <source>&amp;Start Printing</source>
        <translation>印刷開始(&amp;S)</translation>
    </message>
    <message>
        <source>Print &amp;Letters</source>
        <translation>文字印刷(&amp;L)</translation>
    </message>
</context>
<context>
    <name>CInputValuePage</name>
    <message>
        <source>Input Value</source>
        <translation>値の入力</translation>
    </message>
    <message>
        <source>Adjust the striking force of each pin to eliminate differences in printing results among the pins.</source>
        <translation>各ピンの打刻力を調整して、ピンごとの印刷結果の差をなくします。</translation>
    </message>
    <message>
        <source>1.Note the letter and numeral at the location where printing breaks off.
2.Drag the slider to the left or right to set the value you noted.
3.Click the [Set] button.</source>
        <translation>1.印刷が途切れている位置の英字と数字を確認してください。
2.スライダーを左右にドラッグして、確認した値に合わせてください。
3.[設定]ボタンをクリックしてください。</translation>
    </message>
    <message>
        <source>After clicking [Set], click [Next].</source>
        <translation>[設定]をクリックしたら、[次へ]をクリックしてください。</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>The corrections were written: %1</source>
        <translation>補正値を書き込みました: %1</translation>
    </message>
    <message>
        <source>The corrections were not written; the readings are kept.</source>
        <translation>補正値は書き込まれませんでした。読み取り値はそのまま残っています。</translation>
    </message>
    <message>
        <source>No pin has a reading: there is nothing to write.</source>
        <translation>読み取り値がないため、書き込むものはありません。</translation>
    </message>
</context>
<context>
    <name>CMoveHeadPage</name>
    <message>
        <source>Move Head</source>
        <translation>ヘッド移動</translation>
    </message>
    <message>
        <source>Click [Move Head] to move the head to the center.

After moving, click [Next].</source>
        <translation>[ヘッド移動]をクリックすると、ヘッドが中央に移動します。

移動したら、[次へ]をクリックしてください。</translation>
    </message>
    <message>
        <source>&amp;Move Head</source>
        <translation>ヘッド移動(&amp;M)</translation>
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
        <translation>プリンターの設定が範囲外です。ウィンドウのメニューから「本体設定の修復」を選んでください。</translation>
    </message>
</context>
<context>
    <name>CPowerAgainPage</name>
    <message>
        <source>Power Off/On</source>
        <translation>電源オフ/オン</translation>
    </message>
    <message>
        <source>Hold down the [Power/Movement] button for one second or longer to switch off the power, then switch the power on again.

When you&apos;re done, click [Finish].</source>
        <translation>[電源/移動]ボタンを1秒以上押し続けて電源をオフにしてから、もう一度電源をオンにしてください。

終わったら、[完了]をクリックしてください。</translation>
    </message>
</context>
<context>
    <name>CPowerOffPage</name>
    <message>
        <source>Power Off</source>
        <translation>電源オフ</translation>
    </message>
    <message>
        <source>Detach the AC adapter from the ZT-40.

After detaching, click [Next].</source>
        <translation>ZT-40からACアダプタを取り外してください。

取り外したら、[次へ]をクリックしてください。</translation>
    </message>
</context>
<context>
    <name>CPowerOnPage</name>
    <message>
        <source>Power On</source>
        <translation>電源オン</translation>
    </message>
    <message>
        <source>Attach the AC adapter and switch on the power.

When finished, click [Next].</source>
        <translation>ACアダプタを取り付け、電源をオンにしてください。

終わったら、[次へ]をクリックしてください。</translation>
    </message>
</context>
<context>
    <name>CPutOnHeadPage</name>
    <message>
        <source>Head installation</source>
        <translation>ヘッド取り付け</translation>
    </message>
    <message>
        <source>1. Install the new head.
2. Attach the two screws to secure the head in place.
3. Load the head cap

When finished, click [Next].</source>
        <translation>1. 新しいヘッドを取り付けてください。
2. 2本のネジでヘッドを固定してください。
3. ヘッドキャップを取り付けてください。

終わったら、[次へ]をクリックしてください。</translation>
    </message>
</context>
<context>
    <name>CReplaceHeadPage</name>
    <message>
        <source>Replace Head</source>
        <translation>ヘッド交換</translation>
    </message>
    <message>
        <source>1. Make sure the head is the highest position.
2. Remove the two screws.
3. Pull the head back to extract and remove.
4. Unload the head cap.

When finished, click [Next].</source>
        <translation>1. ヘッドが一番高い位置にあることを確認してください。
2. 2本のネジを外してください。
3. ヘッドを後ろに引いて抜き取ってください。
4. ヘッドキャップを外してください。

終わったら、[次へ]をクリックしてください。</translation>
    </message>
    <message>
        <source>Caution: High Temperature

The head area becomes hot.
Never touch the head immediately after printing has finished.
Doing so may cause burns.</source>
        <translation>注意：高温

ヘッド周辺は高温になります。
印刷が終わった直後は、ヘッドに絶対に触れないでください。
やけどの原因になります。</translation>
    </message>
</context>
<context>
    <name>CZt40utilSheet</name>
    <message>
        <source>wizard</source>
        <translation>ウィザード</translation>
    </message>
</context>
<context>
    <name>MaintenanceFrame</name>
    <message>
        <source>Putting the settings back...</source>
        <translation>設定を元に戻しています...</translation>
    </message>
    <message>
        <source>Reading the printer&apos;s values...</source>
        <translation>プリンターの値を読み込んでいます...</translation>
    </message>
</context>
<context>
    <name>Outcome</name>
    <message>
        <source>A maintenance wizard is open: finish or cancel it first.</source>
        <translation>メンテナンスウィザードが開いています: 先に完了するか、キャンセルしてください。</translation>
    </message>
    <message>
        <source>The ZT-40 is busy (status %1). Wait until it has finished, then try again.</source>
        <translation>ZT-40は処理中です (ステータス %1)。終わるまで待ってから、もう一度行ってください。</translation>
    </message>
    <message>
        <source>The ZT-40 reports error state %1. Clear the error (switch the printer off and on), then try again.</source>
        <translation>ZT-40がエラー状態 %1 を報告しています。エラーを解除して (プリンターの電源を入れなおして)、もう一度行ってください。</translation>
    </message>
    <message>
        <source>The ZT-40 does not answer. Check the cable and the power switch, then try again.</source>
        <translation>ZT-40が応答しません。ケーブルと電源スイッチを確認してから、もう一度行ってください。</translation>
    </message>
    <message>
        <source>The ZT-40 was not ready within 15 s. Wait until it has finished what it is doing, then try again.</source>
        <translation>ZT-40が15秒以内に準備完了になりませんでした。処理が終わるまで待ってから、もう一度行ってください。</translation>
    </message>
    <message>
        <source>Cancelled: nothing more was sent to the ZT-40.</source>
        <translation>キャンセルしました: ZT-40にはこれ以上何も送っていません。</translation>
    </message>
    <message>
        <source>No.%1 would get the adjustment %2, outside %3..%4. Print the pattern again and check the readings.</source>
        <translation>No.%1 の調整値が %2 になり、%3..%4 の範囲外です。パターンを印刷しなおして、読み取った値を確認してください。</translation>
    </message>
</context>
<context>
    <name>QueueRule</name>
    <message>
        <source>No print queue uses the &quot;%1&quot; driver: add a queue for the ZT-40 (or add it again if it was removed).</source>
        <translation>&quot;%1&quot; ドライバーを使う印刷キューがありません。ZT-40のキューを追加してください(削除した場合は追加しなおしてください)。</translation>
    </message>
    <message>
        <source>There is no print queue named &quot;%1&quot;.</source>
        <translation>&quot;%1&quot; という名前の印刷キューはありません。</translation>
    </message>
    <message>
        <source>The queue %1 does not use the &quot;%2&quot; driver.</source>
        <translation>キュー %1 は &quot;%2&quot; ドライバーを使っていません。</translation>
    </message>
    <message>
        <source>The queue %1 does not print to a USB port: connect the ZT-40 to this computer&apos;s USB.</source>
        <translation>キュー %1 の出力先はUSBポートではありません。ZT-40をこのコンピューターのUSBに接続してください。</translation>
    </message>
    <message>
        <source>The queue %1 is a network queue: connect the ZT-40 to this computer&apos;s USB.</source>
        <translation>キュー %1 はネットワークキューです。ZT-40をこのコンピューターのUSBに接続してください。</translation>
    </message>
    <message>
        <source>The queue %1 is paused or offline, or its printer is unplugged or switched off: resume the queue, plug the ZT-40 in and switch it on.</source>
        <translation>キュー %1 が一時停止中かオフラインか、プリンターが接続されていないか電源が切れています。キューを再開し、ZT-40を接続して電源を入れてください。</translation>
    </message>
</context>
<context>
    <name>RollbackPrompt</name>
    <message>
        <source>Neither the pin settings nor the usage counters could be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</source>
        <translation>ピンの設定と使用カウンターを、ウィザード開始前の状態に戻せませんでした。プリンターが応答しないか、準備ができていません。

ウィザード開始前の値は使用記録に保存されています。ZT-40を接続して電源をオンにしてから、[再試行]をクリックしてもう一度書き込んでください。[キャンセル]をクリックすると、プリンターはこのままになります。</translation>
    </message>
    <message>
        <source>The usage counters could not be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</source>
        <translation>使用カウンターを、ウィザード開始前の状態に戻せませんでした。プリンターが応答しないか、準備ができていません。

ウィザード開始前の値は使用記録に保存されています。ZT-40を接続して電源をオンにしてから、[再試行]をクリックしてもう一度書き込んでください。[キャンセル]をクリックすると、プリンターはこのままになります。</translation>
    </message>
    <message>
        <source>The pin settings could not be put back as they were before the wizard: the printer did not answer or did not become ready.

The values from before the wizard are in the usage record. Connect the ZT-40 and switch it on, then click Retry to write them again. Cancel leaves the printer as it is.</source>
        <translation>ピンの設定を、ウィザード開始前の状態に戻せませんでした。プリンターが応答しないか、準備ができていません。

ウィザード開始前の値は使用記録に保存されています。ZT-40を接続して電源をオンにしてから、[再試行]をクリックしてもう一度書き込んでください。[キャンセル]をクリックすると、プリンターはこのままになります。</translation>
    </message>
</context>
<context>
    <name>Wizard</name>
    <message>
        <source>Step %1 of %2</source>
        <translation>ステップ %1/%2</translation>
    </message>
    <message>
        <source>Cancel the wizard? What it changed on the printer is put back as it was before the wizard started.</source>
        <translation>ウィザードを中止しますか? ウィザードが本体で変更した内容は、始める前の状態に戻されます。</translation>
    </message>
    <message>
        <source>The print job was sent to the queue %1.</source>
        <translation>印刷ジョブをキュー %1 に送りました。</translation>
    </message>
    <message>
        <source>The print job was not sent completely to the queue %1.</source>
        <translation>印刷ジョブをキュー %1 に送りきれませんでした。</translation>
    </message>
</context>
<context>
    <name>WizardHost</name>
    <message>
        <source>&lt; &amp;Back</source>
        <translation>&lt; 戻る(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Next &gt;</source>
        <translation>次へ(&amp;N) &gt;</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>&amp;Finish</source>
        <translation>完了(&amp;F)</translation>
    </message>
</context>
</TS>
