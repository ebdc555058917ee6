<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en">
<context>
    <name>HistoryDialog</name>
    <message>
        <source>Maintenance history</source>
        <translation>メンテナンス履歴</translation>
    </message>
    <message>
        <source>No maintenance has been recorded yet.</source>
        <translation>メンテナンスの記録はまだありません。</translation>
    </message>
    <message>
        <source>Records of %1, newest first.</source>
        <translation>%1 の記録(新しい順)</translation>
    </message>
    <message>
        <source>Export to CSV...</source>
        <translation>CSV に書き出し...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>The history could not be written to %1: %2</source>
        <translation>履歴を %1 に書き込めませんでした: %2</translation>
    </message>
    <message>
        <source>Export history</source>
        <translation>履歴の書き出し</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV ファイル (*.csv)</translation>
    </message>
    <message>
        <source>Maintenance history...</source>
        <translation>メンテナンス履歴...</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>記録</translation>
    </message>
    <message>
        <source>Wear</source>
        <translation>摩耗</translation>
    </message>
    <message>
        <source>The history was written to %1.</source>
        <translation>履歴を %1 に書き込みました。</translation>
    </message>
</context>
<context>
    <name>UsageHistory</name>
    <message>
        <source>cut short: the file ends after %1 of its 10 lines</source>
        <translation>途中で切れています: 10 行のうち %1 行でファイルが終わっています</translation>
    </message>
    <message>
        <source>the total counter is negative or 2147483648 or more</source>
        <translation>総カウンタが負の値か 2147483648 以上です</translation>
    </message>
    <message>
        <source>the counter of pin %1 is negative or 2147483648 or more</source>
        <translation>ピン %1 のカウンタが負の値か 2147483648 以上です</translation>
    </message>
    <message>
        <source>the head counter is negative or 32768 or more</source>
        <translation>ヘッド カウンタが負の値か 32768 以上です</translation>
    </message>
    <message>
        <source>No folder for the usage record could be found or created.</source>
        <translation>使用記録のフォルダが見つからず、作成もできませんでした。</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>記録</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Head</source>
        <translation>ヘッド</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>総数</translation>
    </message>
    <message>
        <source>Pin 1</source>
        <translation>ピン 1</translation>
    </message>
    <message>
        <source>Pin 2</source>
        <translation>ピン 2</translation>
    </message>
    <message>
        <source>Pin 3</source>
        <translation>ピン 3</translation>
    </message>
    <message>
        <source>Pin 4</source>
        <translation>ピン 4</translation>
    </message>
    <message>
        <source>Pin 5</source>
        <translation>ピン 5</translation>
    </message>
    <message>
        <source>Pin 6</source>
        <translation>ピン 6</translation>
    </message>
    <message>
        <source>Pin 7</source>
        <translation>ピン 7</translation>
    </message>
    <message>
        <source>Pin 8</source>
        <translation>ピン 8</translation>
    </message>
    <message>
        <source>Pin 9</source>
        <translation>ピン 9</translation>
    </message>
    <message>
        <source>Word pair</source>
        <translation>ワード ペア</translation>
    </message>
    <message>
        <source>Adjustments (pins 1-9)</source>
        <translation>調整値 (ピン 1-9)</translation>
    </message>
    <message>
        <source>Selected pin</source>
        <translation>選択ピン</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>復元</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>理由</translation>
    </message>
    <message>
        <source>finished</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>no</source>
        <translation>不可</translation>
    </message>
    <message>
        <source>yes: restore takes this one</source>
        <translation>可 (復元ではこれを使用)</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>可</translation>
    </message>
    <message>
        <source>cut short: the file ends inside its last line</source>
        <translation>途中で切れています: ファイルが最後の行の途中で終わっています</translation>
    </message>
</context>
<context>
    <name>UsageRecord</name>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 が見つかりませんでした。</translation>
    </message>
    <message>
        <source>%1 contains an invalid path.</source>
        <translation>%1 には無効なパスが含まれています。</translation>
    </message>
    <message>
        <source>%1 could not be opened because there are too many open files.</source>
        <translation>開いているファイルが多すぎるため、%1 を開けませんでした。</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>%1 へのアクセスが拒否されました。</translation>
    </message>
    <message>
        <source>An invalid file handle was associated with %1.</source>
        <translation>%1 に無効なファイル ハンドルが関連付けられていました。</translation>
    </message>
    <message>
        <source>%1 could not be created because the directory is full.</source>
        <translation>ディレクトリがいっぱいのため、%1 を作成できませんでした。</translation>
    </message>
    <message>
        <source>Seek failed on %1</source>
        <translation>%1 でシークに失敗しました</translation>
    </message>
    <message>
        <source>A hardware I/O error was reported while accessing %1.</source>
        <translation>%1 へのアクセス中にハードウェアの入出力エラーが報告されました。</translation>
    </message>
    <message>
        <source>A sharing violation occurred while accessing %1.</source>
        <translation>%1 へのアクセス中に共有違反が発生しました。</translation>
    </message>
    <message>
        <source>A locking violation occurred while accessing %1.</source>
        <translation>%1 へのアクセス中にロック違反が発生しました。</translation>
    </message>
    <message>
        <source>Disk full while accessing %1.</source>
        <translation>%1 へのアクセス中にディスクがいっぱいになりました。</translation>
    </message>
    <message>
        <source>An attempt was made to access %1 past its end.</source>
        <translation>%1 の終わりを越えてアクセスしようとしました。</translation>
    </message>
    <message>
        <source>An unknown error occurred while accessing %1.</source>
        <translation>%1 へのアクセス中に不明なエラーが発生しました。</translation>
    </message>
    <message>
        <source>Please do again to turn on the power of ZT-40</source>
        <translation>ZT-40の電源を入れなおしてください</translation>
    </message>
    <message>
        <source>Nothing was restored: the printer keeps its values until %1 can be read.</source>
        <translation>何も復元されませんでした。%1 を読み込めるようになるまで、プリンターの値はそのままです。</translation>
    </message>
</context>
<context>
    <name>WearChart</name>
    <message>
        <source>No counter samples yet: the window and zt40ctl status keep one a day.</source>
        <translation>カウンターのサンプルはまだありません。ウィンドウと zt40ctl status が1日に1件記録します。</translation>
    </message>
    <message>
        <source>Wear of printer %1</source>
        <translation>プリンター %1 の摩耗</translation>
    </message>
    <message>
        <source>Counts</source>
        <translation>回数</translation>
    </message>
    <message>
        <source>Yellow band</source>
        <translation>黄色の範囲</translation>
    </message>
    <message>
        <source>Red band</source>
        <translation>赤の範囲</translation>
    </message>
    <message>
        <source>Pin %1</source>
        <translation>ピン %1</translation>
    </message>
</context>
<context>
    <name>WearForecast</name>
    <message>
        <source>in the red band: change the marking pin</source>
        <translation>赤の範囲です: 打刻するピンを交換してください</translation>
    </message>
    <message>
        <source>in the yellow band</source>
        <translation>黄色の範囲です</translation>
    </message>
    <message>
        <source>in the yellow band, red in about %1 days</source>
        <translation>黄色の範囲です。あと約 %1 日で赤</translation>
    </message>
    <message>
        <source>yellow in about %1 days, red in about %2 days</source>
        <translation>あと約 %1 日で黄色、約 %2 日で赤</translation>
    </message>
    <message>
        <source>Pin %1: %2 counts</source>
        <translation>ピン %1: %2 回</translation>
    </message>
    <message>
        <source>Pin %1 of the ZT-40 has reached the red band: change the marking pin.</source>
        <translation>ZT-40 のピン %1 が赤の範囲に達しました。打刻するピンを交換してください。</translation>
    </message>
    <message>
        <source>Pin %1 of the ZT-40 has reached the yellow band: plan to change the marking pin.</source>
        <translation>ZT-40 のピン %1 が黄色の範囲に達しました。打刻するピンの交換を計画してください。</translation>
    </message>
</context>
</TS>
