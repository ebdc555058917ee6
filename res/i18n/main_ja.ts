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
        <source>Plugged in</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Switched on</source>
        <translation>電源オン</translation>
    </message>
    <message>
        <source>Busy (never ready)</source>
        <translation>ビジー (準備完了にならない)</translation>
    </message>
    <message>
        <source>Answers commands:</source>
        <translation>コマンドへの応答:</translation>
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
        <source>Installed</source>
        <translation>インストール済み</translation>
    </message>
    <message>
        <source>Online (not paused)</source>
        <translation>オンライン (一時停止なし)</translation>
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
</context>
</TS>
