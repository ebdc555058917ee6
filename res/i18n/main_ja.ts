<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
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
        <translation>ヘッドクリーニングを行います</translation>
    </message>
    <message>
        <source>Restoration of setting</source>
        <translation>本体設定の修復</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>バージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>Connect one ZT-40 unit and switch on the power.</source>
        <translation>ZT-40を一台接続し、電源をオンにしてください。</translation>
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
        <translation>打刻するピンの選択</translation>
    </message>
    <message>
        <source>If a red indicator is displayed, change to a different pin.</source>
        <translation>赤いインジケーターが表示されたら、別のピンに切り替えてください。</translation>
    </message>
    <message>
        <source>No.%1:</source>
        <translation>No.%1:</translation>
    </message>
    <message>
        <source>Amount used</source>
        <translation>使用量</translation>
    </message>
    <message>
        <source>Ready: ZT-40 on queue %1</source>
        <translation>準備完了: キュー %1 のZT-40</translation>
    </message>
    <message>
        <source>Cleaning: step %1 of %2</source>
        <translation>クリーニング中: ステップ %1/%2</translation>
    </message>
    <message>
        <source>The head cleaning is finished.</source>
        <translation>ヘッドクリーニングが終わりました。</translation>
    </message>
    <message>
        <source>The head cleaning stopped with %1 of %2 steps done.</source>
        <translation>ヘッドクリーニングは %2 ステップ中 %1 ステップを終えて止まりました。</translation>
    </message>
    <message>
        <source>Moving the head to the center...</source>
        <translation>ヘッドを中央に移動しています...</translation>
    </message>
    <message>
        <source>The head was not moved.</source>
        <translation>ヘッドは移動しませんでした。</translation>
    </message>
    <message>
        <source>Writing the pin settings...</source>
        <translation>ピンの設定を書き込んでいます...</translation>
    </message>
    <message>
        <source>Writing the usage counters...</source>
        <translation>使用カウンターを書き込んでいます...</translation>
    </message>
    <message>
        <source>The pin settings were written.</source>
        <translation>ピンの設定を書き込みました。</translation>
    </message>
    <message>
        <source>The pin settings were not written.</source>
        <translation>ピンの設定は書き込まれませんでした。</translation>
    </message>
    <message>
        <source>The new head&apos;s usage counters were not cleared.</source>
        <translation>新しいヘッドの使用カウンターはクリアされませんでした。</translation>
    </message>
    <message>
        <source>No.%1 is now the pin for marking.</source>
        <translation>No.%1 を打刻するピンにしました。</translation>
    </message>
    <message>
        <source>The pin for marking was not changed: No.%1 stays in use.</source>
        <translation>打刻するピンは切り替わりませんでした: No.%1 のままです。</translation>
    </message>
    <message>
        <source>The printer&apos;s data was read again.</source>
        <translation>プリンターのデータを読み直しました。</translation>
    </message>
    <message>
        <source>The printer&apos;s data could not be read: the window still shows the data read before.</source>
        <translation>プリンターのデータを読み取れませんでした: 表示は前に読み取ったデータのままです。</translation>
    </message>
    <message>
        <source>The wizard was not started: the printer&apos;s data could not be read first.</source>
        <translation>ウィザードを開始しませんでした: 先にプリンターのデータを読み取れませんでした。</translation>
    </message>
    <message>
        <source>The printer&apos;s settings and counters are in range: nothing was restored.</source>
        <translation>プリンターの設定とカウンターは範囲内です: 何も修復していません。</translation>
    </message>
    <message>
        <source>The settings were not restored completely.</source>
        <translation>設定をすべては修復できませんでした。</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings are out of range. Write those of the last usable record in %1?</source>
        <translation>プリンターのピンの設定が範囲外です。%1 の最後の使用可能な記録の設定を書き込みますか?</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings are out of range. Write the default pin settings?</source>
        <translation>プリンターのピンの設定が範囲外です。ピンの設定の既定値を書き込みますか?</translation>
    </message>
    <message>
        <source>The printer&apos;s usage counters are out of range. Write those of the last usable record in %1?</source>
        <translation>プリンターの使用カウンターが範囲外です。%1 の最後の使用可能な記録のカウンターを書き込みますか?</translation>
    </message>
    <message>
        <source>The printer&apos;s usage counters are out of range. Write the default usage counters?</source>
        <translation>プリンターの使用カウンターが範囲外です。使用カウンターの既定値を書き込みますか?</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings and usage counters are out of range. Write those of the last usable record in %1?</source>
        <translation>プリンターのピンの設定と使用カウンターが範囲外です。%1 の最後の使用可能な記録の値を書き込みますか?</translation>
    </message>
    <message>
        <source>The printer&apos;s pin settings and usage counters are out of range. Write the default pin settings and usage counters?</source>
        <translation>プリンターのピンの設定と使用カウンターが範囲外です。ピンの設定と使用カウンターの既定値を書き込みますか?</translation>
    </message>
    <message>
        <source>C&amp;leaning</source>
        <translation>クリーニング(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Replace Head...</source>
        <translation>ヘッド交換(&amp;R)...</translation>
    </message>
    <message>
        <source>Readjust &amp;Pins...</source>
        <translation>ピン再調整(&amp;P)...</translation>
    </message>
    <message>
        <source>R&amp;efresh</source>
        <translation>最新の情報に更新(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Apply Pin Change</source>
        <translation>ピン切り替え適用(&amp;A)</translation>
    </message>
    <message>
        <source>The wizard was cancelled: the printer&apos;s settings were put back as they were.</source>
        <translation>ウィザードをキャンセルしました: プリンターの設定は元に戻しました。</translation>
    </message>
    <message>
        <source>Not connected: last read %1</source>
        <translation>未接続: 最終読み取り %1</translation>
    </message>
    <message>
        <source>The printer&apos;s values are out of range.</source>
        <translation>本体の設定値が範囲外です。</translation>
    </message>
    <message>
        <source>Restoration of &amp;setting</source>
        <translation>本体設定の修復(&amp;S)</translation>
    </message>
    <message>
        <source>Not ready: ZT-40 on queue %1</source>
        <translation>準備中: キュー %1 のZT-40</translation>
    </message>
    <message>
        <source>Changing the pin for marking...</source>
        <translation>マーキング用ピンを変更しています...</translation>
    </message>
    <message>
        <source>The pin settings of the record of %1 were written.</source>
        <translation>%1 の記録のピン設定を書き込みました。</translation>
    </message>
    <message>
        <source>The default pin settings were written.</source>
        <translation>ピン設定の初期値を書き込みました。</translation>
    </message>
    <message>
        <source>The usage counters of the record of %1 were written.</source>
        <translation>%1 の記録の使用カウンターを書き込みました。</translation>
    </message>
    <message>
        <source>The default usage counters were written.</source>
        <translation>使用カウンターの初期値を書き込みました。</translation>
    </message>
    <message>
        <source>The pin settings and usage counters of the record of %1 were written.</source>
        <translation>%1 の記録のピン設定と使用カウンターを書き込みました。</translation>
    </message>
    <message>
        <source>The default pin settings and usage counters were written.</source>
        <translation>ピン設定と使用カウンターの初期値を書き込みました。</translation>
    </message>
    <message>
        <source>The record of %1 holds (now -&gt; written):</source>
        <translation>%1 の記録の値 (現在 -&gt; 書き込み):</translation>
    </message>
    <message>
        <source>The defaults are (now -&gt; written):</source>
        <translation>初期値 (現在 -&gt; 書き込み):</translation>
    </message>
    <message>
        <source>Every value stays as it is.</source>
        <translation>変わる値はありません。</translation>
    </message>
    <message>
        <source>The record&apos;s pin settings fail the range check: they would not be written.</source>
        <translation>記録のピン設定が範囲外のため、書き込まれません。</translation>
    </message>
    <message>
        <source>word pair: %1 -&gt; %2</source>
        <translation>ワードペア: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>selected pin: %1 -&gt; %2</source>
        <translation>選択ピン: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>adjustment (pins 1-9): %1 -&gt; %2</source>
        <translation>調整値 (ピン1-9): %1 -&gt; %2</translation>
    </message>
    <message>
        <source>total counter: %1 -&gt; %2</source>
        <translation>総カウンター: %1 -&gt; %2</translation>
    </message>
    <message>
        <source>pin counter (pins 1-9): %1 -&gt; %2</source>
        <translation>ピンカウンター (ピン1-9): %1 -&gt; %2</translation>
    </message>
    <message>
        <source>head counter: %1 -&gt; %2</source>
        <translation>ヘッドカウンター: %1 -&gt; %2</translation>
    </message>
</context>
<context>
    <name>CPrintJobSender</name>
    <message>
        <source>The print spooler reported an error but gave no description of it.</source>
        <translation>印刷スプーラーがエラーを報告しましたが、その内容は示されませんでした。</translation>
    </message>
    <message>
        <source>The print data %1 is missing from the program.</source>
        <translation>印刷データ %1 がプログラムにありません。</translation>
    </message>
</context>
<context>
    <name>CVendorPacket</name>
    <message>
        <source>Out of memory.</source>
        <translation>メモリが不足しています。</translation>
    </message>
</context>
<context>
    <name>DeviceAccess</name>
    <message>
        <source>The printer&apos;s queue cannot be read from the print spooler.</source>
        <translation>プリンターのキューを印刷スプーラーから読み取れません。</translation>
    </message>
    <message>
        <source>The ZT-40 is not connected or not switched on.</source>
        <translation>ZT-40が接続されていないか、電源が入っていません。</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but its USB device cannot be opened: no permission (install the udev rule, then reconnect the printer).</source>
        <translation>ZT-40は接続されていますが、USBデバイスを開けません: アクセス権がありません (udevルールをインストールしてから、プリンターを接続し直してください)。</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but its USB device is in use by another program.</source>
        <translation>ZT-40は接続されていますが、USBデバイスは他のプログラムが使用中です。</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but its USB device cannot be opened.</source>
        <translation>ZT-40は接続されていますが、USBデバイスを開けません。</translation>
    </message>
    <message>
        <source>The print spooler cannot be reached: it is not running or refuses the connection.</source>
        <translation>印刷スプーラーに接続できません: 起動していないか、接続を拒否しています。</translation>
    </message>
    <message>
        <source>The print spooler does not answer: restart it (sudo systemctl restart cups).</source>
        <translation>印刷スプーラーが応答しません: 再起動してください (sudo systemctl restart cups)。</translation>
    </message>
    <message>
        <source>The ZT-40 is connected but does not answer: switch it off and on again.</source>
        <translation>ZT-40は接続されていますが応答しません: 電源を入れなおしてください。</translation>
    </message>
</context>
<context>
    <name>Doctor</name>
    <message>
        <source>the queue &quot;%1&quot; does not use the &quot;Velmora ZT-40&quot; driver</source>
        <translation>キュー &quot;%1&quot; は &quot;Velmora ZT-40&quot; ドライバーを使っていません</translation>
    </message>
    <message>
        <source>no queue is named &quot;%1&quot;</source>
        <translation>&quot;%1&quot; という名前のキューはありません</translation>
    </message>
    <message>
        <source>name a ZT-40 queue that zt40ctl queues lists</source>
        <translation>zt40ctl queues が示す ZT-40 のキューを指定してください</translation>
    </message>
    <message>
        <source>not on a USB port</source>
        <translation>USBポートにありません</translation>
    </message>
    <message>
        <source>a network queue</source>
        <translation>ネットワークキューです</translation>
    </message>
    <message>
        <source>stopped or offline, or its printer is not plugged in</source>
        <translation>停止中またはオフラインか、プリンターが接続されていません</translation>
    </message>
    <message>
        <source>no queue uses the &quot;Velmora ZT-40&quot; driver (%1 other queues)</source>
        <translation>&quot;Velmora ZT-40&quot; ドライバーを使うキューがありません (ほかのキュー %1 個)</translation>
    </message>
    <message>
        <source>add one: lpadmin -p ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (zt40ctl queues shows the queues)</source>
        <translation>追加してください: lpadmin -p ZT-40 -E -v USB-URI -m velmora/velmora-zt40.ppd (キューは zt40ctl queues で確認できます)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; will be used</source>
        <translation>&quot;%1&quot; を使います</translation>
    </message>
    <message>
        <source>&quot;%1&quot; will be used; not chosen: %2</source>
        <translation>&quot;%1&quot; を使います。選ばれなかったキュー: %2</translation>
    </message>
    <message>
        <source>give the queue the printer&apos;s USB address: lpadmin -p QUEUE -v USB-URI</source>
        <translation>キューにプリンターのUSBアドレスを設定してください: lpadmin -p QUEUE -v USB-URI</translation>
    </message>
    <message>
        <source>plug in and switch on the printer; if it is on: cupsenable &quot;%1&quot;; cupsaccept &quot;%1&quot;</source>
        <translation>プリンターを接続して電源を入れてください。電源が入っている場合: cupsenable &quot;%1&quot;; cupsaccept &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no usable ZT-40 queue: %1</source>
        <translation>使用できるZT-40のキューがありません: %1</translation>
    </message>
    <message>
        <source>the printer&apos;s USB device cannot be opened</source>
        <translation>プリンターのUSBデバイスを開けません</translation>
    </message>
    <message>
        <source>see the checks above</source>
        <translation>上の検査結果を参照してください</translation>
    </message>
    <message>
        <source>the printer does not answer a status request</source>
        <translation>プリンターがステータス要求に応答しません</translation>
    </message>
    <message>
        <source>switch the printer off and on again</source>
        <translation>プリンターの電源を入れなおしてください</translation>
    </message>
    <message>
        <source>the printer answers status 0x%1 (ready)</source>
        <translation>プリンターのステータスは 0x%1 です (準備完了)</translation>
    </message>
    <message>
        <source>the printer answers status 0x%1: not ready</source>
        <translation>プリンターのステータスは 0x%1 です: 準備ができていません</translation>
    </message>
    <message>
        <source>let a running job end, or clear the printer&apos;s error and switch it off and on again</source>
        <translation>実行中のジョブの終了を待つか、プリンターのエラーを解除して電源を入れなおしてください</translation>
    </message>
    <message>
        <source>no folder for the usage records can be created</source>
        <translation>使用記録のフォルダーを作成できません</translation>
    </message>
    <message>
        <source>let this user write in /var/lib or in ~/.local/state</source>
        <translation>このユーザーが /var/lib または ~/.local/state に書き込めるようにしてください</translation>
    </message>
    <message>
        <source>not checked: it needs the checks above</source>
        <translation>未検査: 上の検査が先に必要です</translation>
    </message>
    <message>
        <source>the print spooler cannot be reached: %1</source>
        <translation>印刷スプーラーに接続できません: %1</translation>
    </message>
    <message>
        <source>start it: sudo systemctl start cups</source>
        <translation>起動してください: sudo systemctl start cups</translation>
    </message>
    <message>
        <source>the print spooler does not answer: %1</source>
        <translation>印刷スプーラーが応答しません: %1</translation>
    </message>
    <message>
        <source>restart it: sudo systemctl restart cups</source>
        <translation>再起動してください: sudo systemctl restart cups</translation>
    </message>
    <message>
        <source>the print spooler answers</source>
        <translation>印刷スプーラーは応答しています</translation>
    </message>
    <message>
        <source>the record folder %1 is missing or not writable</source>
        <translation>記録フォルダー %1 がないか、書き込めません</translation>
    </message>
    <message>
        <source>sudo chmod 1777 &quot;%1&quot;</source>
        <translation>sudo chmod 1777 &quot;%1&quot;</translation>
    </message>
    <message>
        <source>the record folder %1 is writable</source>
        <translation>記録フォルダー %1 は書き込み可能です</translation>
    </message>
    <message>
        <source>the printer is in use by another program</source>
        <translation>プリンターは他のプログラムが使用中です</translation>
    </message>
    <message>
        <source>close the other program that uses the printer (another ZT-40 Pinwarden or zt40ctl), then try again</source>
        <translation>プリンターを使用している他のプログラム (別のZT-40 Pinwardenまたはzt40ctl) を終了してから、もう一度お試しください</translation>
    </message>
    <message>
        <source>the printer answers the status request with error state %1</source>
        <translation>プリンターはステータス要求にエラー状態 %1 で応答しました</translation>
    </message>
    <message>
        <source>clear the error: switch the printer off and on again</source>
        <translation>エラーを解除してください: プリンターの電源を入れ直してください</translation>
    </message>
    <message>
        <source>the record folder %1 is a file, not a folder</source>
        <translation>記録フォルダー %1 はフォルダーではなくファイルです</translation>
    </message>
    <message>
        <source>move the file &quot;%1&quot; away, or name another folder in ZT40_DATA_DIR</source>
        <translation>ファイル &quot;%1&quot; を移動するか、ZT40_DATA_DIR に別のフォルダーを指定してください</translation>
    </message>
</context>
<context>
    <name>SimulatorWindow</name>
    <message>
        <source>spooling</source>
        <translation>スプール中</translation>
    </message>
    <message>
        <source>queued</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>印刷済み</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>取り消し済み</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <source>abandoned</source>
        <translation>中断</translation>
    </message>
    <message>
        <source>Job %1 &quot;%2&quot; on %3: %4 bytes, %5</source>
        <translation>ジョブ %1「%2」(%3): %4 バイト、%5</translation>
    </message>
    <message>
        <source>ZT-40 simulator</source>
        <translation>ZT-40 シミュレーター</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>プリンター</translation>
    </message>
    <message>
        <source>&amp;Answers commands:</source>
        <translation>コマンドへの応答(&amp;A):</translation>
    </message>
    <message>
        <source>normally</source>
        <translation>正常</translation>
    </message>
    <message>
        <source>with an error state</source>
        <translation>エラー状態</translation>
    </message>
    <message>
        <source>not at all</source>
        <translation>応答なし</translation>
    </message>
    <message>
        <source>Queue &quot;%1&quot;</source>
        <translation>キュー「%1」</translation>
    </message>
    <message>
        <source>Pin counters</source>
        <translation>ピンカウンター</translation>
    </message>
    <message>
        <source>No.%1:</source>
        <translation>No.%1:</translation>
    </message>
    <message>
        <source>Wear pins into every band</source>
        <translation>全色帯の使用量を設定</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>ジョブ</translation>
    </message>
    <message>
        <source>Print queued jobs</source>
        <translation>待機中のジョブを印刷</translation>
    </message>
    <message>
        <source>&amp;Plugged in</source>
        <translation>接続(&amp;P)</translation>
    </message>
    <message>
        <source>S&amp;witched on</source>
        <translation>電源オン(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Busy (never ready)</source>
        <translation>ビジー (準備完了にならない)(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Installed</source>
        <translation>インストール済み(&amp;I)</translation>
    </message>
    <message>
        <source>&amp;Online (not paused)</source>
        <translation>オンライン (一時停止なし)(&amp;O)</translation>
    </message>
</context>
</TS>
